#include "controls/EntryTexts.h"

#include "controls/ControlParser.h"

#include <memory>

#include <QStringList>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Texts share blocks; each must stay a QString of its own whatever happens to the others.
TEST(EntryTexts, TextsOutliveTheirSetAndChangeAlone)
{
    auto set = std::make_unique<ControlSet>();
    parseControlDescription("Faders\r\n\tFader \x80 1  \r\n\tFader 2\r\n", *set);
    ASSERT_EQ(set->entryCount(), 3);
    QString first = set->entry(1).text;
    const QString second = set->entry(2).text;
    const QString third = set->entry(3).text;
    set.reset();

    EXPECT_EQ(second, QString::fromUtf8("Fader \xE2\x82\xAC 1"));
    EXPECT_EQ(second.size(), 9);
    EXPECT_EQ(second.utf16()[second.size()], 0);
    first += QStringLiteral(" and more");
    first[0] = u'f';
    EXPECT_EQ(first, QStringLiteral("faders and more"));
    EXPECT_EQ(second, QString::fromUtf8("Fader \xE2\x82\xAC 1"));
    EXPECT_EQ(third, QStringLiteral("Fader 2"));
}

TEST(EntryTexts, LongTextsAndManyTextsSpanBlocks)
{
    EntryTexts texts;
    const QByteArray longText(100'000, 'x');
    const QString big = texts.add(longText);
    QStringList small;
    for (int k = 0; k < 20'000; ++k)
        small << texts.add(QByteArray::number(k));
    EXPECT_EQ(big, QString::fromLatin1(longText));
    for (int k = 0; k < 20'000; ++k)
        ASSERT_EQ(small[k], QString::number(k));
}

} // namespace
} // namespace tarn

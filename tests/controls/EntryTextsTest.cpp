#include "controls/ControlParser.h"
#include "model/Windows1252.h"

#include <cstring>
#include <memory>
#include <numeric>
#include <utility>

#include <QByteArray>

#include <gtest/gtest.h>

namespace tarn {
namespace {

const char kFile[] = "Faders\r\n\tFader \x80 1  \r\n\tFader 2\r\n";

// Texts stay the file's bytes until a view asks; what the caller does with its buffer
// afterwards must not reach them.
TEST(EntryTexts, OutliveChangesToTheCallersBytes)
{
    QByteArray shared(kFile);
    QByteArray foreign(kFile);
    const QByteArray wrapped = QByteArray::fromRawData(foreign.constData(), foreign.size());
    ControlSet fromShared;
    ControlSet fromWrapped;
    parseControlDescription(shared, fromShared);
    parseControlDescription(wrapped, fromWrapped);
    shared.fill('x');
    std::memset(foreign.data(), 'x', std::size_t(foreign.size()));

    for (const ControlSet* set : {&fromShared, &fromWrapped}) {
        ASSERT_EQ(set->entryCount(), 3);
        EXPECT_EQ(set->textBytes(2).toByteArray(), QByteArray("Fader \x80 1"));
        EXPECT_EQ(set->text(2), QString::fromUtf8("Fader \xE2\x82\xAC 1"));
        EXPECT_EQ(set->entry(3).text(), QStringLiteral("Fader 2"));
    }
}

TEST(EntryTexts, MovingASetKeepsTextsAndChildren)
{
    auto set = std::make_unique<ControlSet>();
    parseControlDescription(QByteArray(kFile), *set);
    set->appendChild(1, QStringLiteral("Fader 3"));
    const ControlSet moved = std::move(*set);
    set.reset();

    ASSERT_EQ(moved.entry(1).children.size(), 3u);
    EXPECT_EQ(moved.text(moved.entry(1).children[0]), QString::fromUtf8("Fader \xE2\x82\xAC 1"));
    EXPECT_EQ(moved.text(moved.entry(1).children[2]), QStringLiteral("Fader 3"));
}

// Texts built by hand are kept as the file would hold them.
TEST(EntryTexts, HandBuiltTextsAreWindows1252)
{
    ControlSet set;
    const int root = set.appendRoot(QString::fromUtf8("Fader \xE2\x82\xAC \xC3\xA9"));
    set.appendChild(root, QString::fromUtf8("Check \xE2\x9C\x93 \xF0\x9F\x8E\x9A"));
    EXPECT_EQ(set.textBytes(1).toByteArray(), QByteArray("Fader \x80 \xE9"));
    EXPECT_EQ(set.text(1), QString::fromUtf8("Fader \xE2\x82\xAC \xC3\xA9"));
    EXPECT_EQ(set.text(2), QStringLiteral("Check ? ??"));
    // Every byte comes back as itself, so a text the program writes keeps the file's bytes.
    QByteArray bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(bytes)), bytes);
}

} // namespace
} // namespace tarn

#include "controls/ControlParser.h"

#include <functional>

#include <QByteArray>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Inputs far beyond what a description file holds, each parsed whole without a crash or a hang.
struct LongInputRow
{
    const char* id;
    std::function<QByteArray()> bytes;
    int entries;
    bool truncated;
    std::function<void(const ControlSet&)> check;
};

class LongInput : public ::testing::TestWithParam<LongInputRow>
{
};

TEST_P(LongInput, ParsesWholeWithinTheEntryLimit)
{
    const QByteArray bytes = GetParam().bytes();
    auto set = std::make_unique<ControlSet>();
    const ControlFileResult result = parseControlDescription(bytes, *set);
    EXPECT_EQ(set->entryCount(), GetParam().entries);
    EXPECT_EQ(result.truncated, GetParam().truncated);
    GetParam().check(*set);
}

QByteArray repeatedLines(int count, const std::function<QByteArray(int)>& line)
{
    QByteArray bytes;
    for (int k = 0; k < count; ++k)
        bytes += line(k) + "\r\n";
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LongInput,
    ::testing::Values(LongInputRow{"HundredThousandLines",
                                   [] {
                                       return repeatedLines(100000, [](int k) {
                                           return "Entry " + QByteArray::number(k) +
                                                  "~PTR=" + QByteArray::number(k % 32768) +
                                                  "~ACTIVE";
                                       });
                                   },
                                   kMaxEntries, true,
                                   [](const ControlSet& set) {
                                       EXPECT_EQ(set.entry(kMaxEntries).text(), "Entry 32766");
                                       EXPECT_EQ(set.PointerToNode(32766), kMaxEntries);
                                   }},
                      LongInputRow{"OneLineOfSixteenMebibytes",
                                   [] { return QByteArray(16 << 20, 'a'); }, 1, false,
                                   [](const ControlSet& set) {
                                       EXPECT_EQ(set.entry(1).text().size(), 16 << 20);
                                   }},
                      LongInputRow{"TenThousandLevels",
                                   [] {
                                       return repeatedLines(10000, [](int k) {
                                           return QByteArray(k, '\t') + "Level " +
                                                  QByteArray::number(k);
                                       });
                                   },
                                   10000, false,
                                   [](const ControlSet& set) {
                                       EXPECT_EQ(set.entry(10000).depth, 9999);
                                       EXPECT_EQ(set.entry(10000).parent, 9999);
                                   }},
                      // Every byte but the separators is text, one character each.
                      LongInputRow{"EveryByteValue",
                                   [] {
                                       QByteArray line;
                                       for (int b = 0; b < 256; ++b)
                                           if (b != '\r' && b != '\t' && b != '~')
                                               line += char(b);
                                       return line + "~PTR=9~ACTIVE\r\n";
                                   },
                                   1, false,
                                   [](const ControlSet& set) {
                                       EXPECT_EQ(set.entry(1).text().size(), 253);
                                       EXPECT_EQ(set.entry(1).text().at(0), QChar(0));
                                       // Three separators stand before 0x80, the euro sign in
                                       // Windows-1252.
                                       EXPECT_EQ(set.entry(1).text().at(0x80 - 3), QChar(0x20AC));
                                       EXPECT_EQ(set.PointerToNode(9), 1);
                                   }}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn

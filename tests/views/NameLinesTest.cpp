#include "views/ChannelNames.h"

#include <ostream>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct NameLinesRow
{
    const char* name;
    QByteArray bytes;
    int count;
    QStringList expected;
};

void PrintTo(const NameLinesRow& row, std::ostream* os)
{
    *os << row.name;
}

class NameLinesTest : public testing::TestWithParam<NameLinesRow>
{
};

TEST_P(NameLinesTest, ReadsTheFirstLines)
{
    const NameLinesRow& row = GetParam();
    EXPECT_EQ(readNameLines(row.bytes, row.count), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameLinesTest,
    testing::Values(
        NameLinesRow{"CrOnly", "Mic 1\rMic 2\rMic 3\r", 3, {"Mic 1", "Mic 2", "Mic 3"}},
        NameLinesRow{"CrLf", "Mic 1\r\nMic 2\r\nMic 3\r\n", 3, {"Mic 1", "Mic 2", "Mic 3"}},
        NameLinesRow{"LoneLf", "Mic 1\nMic 2\nMic 3\n", 3, {"Mic 1", "Mic 2", "Mic 3"}},
        NameLinesRow{"MixedEnds", "A\r\nB\rC\nD", 4, {"A", "B", "C", "D"}},
        // CR LF is one terminator, but LF CR is two.
        NameLinesRow{"CrLfIsOneEnd", "A\r\nB", 3, {"A", "B", ""}},
        NameLinesRow{"LfCrIsTwoEnds", "A\n\rB", 3, {"A", "", "B"}},
        NameLinesRow{"EmptyLineKeepsItsPlace", "A\r\n\r\nC\r\n", 3, {"A", "", "C"}},
        NameLinesRow{"BlanksKept", " Mic 1 \t\r\n  \r\n", 2, {" Mic 1 \t", "  "}},
        NameLinesRow{"CommasAndQuotesKept", "\"Mic, 1\"\r\n", 1, {"\"Mic, 1\""}},
        NameLinesRow{"ShortFileGivesEmptyNames", "A\r\n", 4, {"A", "", "", ""}},
        NameLinesRow{"EmptyFile", "", 2, {"", ""}},
        NameLinesRow{"LongerFileReadOnlyAsFarAsNeeded", "A\rB\rC\rD", 2, {"A", "B"}},
        NameLinesRow{"Windows1252",
                     "Caf\xE9\r\nPGM \x80\r\nS\xFC"
                     "d\r\n",
                     3,
                     {QString::fromUtf16(u"Caf\u00e9"), QString::fromUtf16(u"PGM \u20ac"),
                      QString::fromUtf16(u"S\u00fcd")}}),
    [](const testing::TestParamInfo<NameLinesRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn

#include "views/ChannelNames.h"

#include <ostream>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct LoopFieldsRow
{
    const char* name;
    QByteArray bytes;
    int count;
    QStringList expected;
};

void PrintTo(const LoopFieldsRow& row, std::ostream* os)
{
    *os << row.name;
}

class LoopFieldsTest : public testing::TestWithParam<LoopFieldsRow>
{
};

TEST_P(LoopFieldsTest, ReadsTheFirstFields)
{
    const LoopFieldsRow& row = GetParam();
    EXPECT_EQ(readLoopFields(row.bytes, row.count), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoopFieldsTest,
    testing::Values(
        LoopFieldsRow{
            "OnePerLine", "Cue\r\nTalkback\r\nPhone\r\n", 4, {"Cue", "Talkback", "Phone", ""}},
        LoopFieldsRow{"CommaFillsTwo", "Cue L,Cue R\r\nPhone", 3, {"Cue L", "Cue R", "Phone"}},
        LoopFieldsRow{"QuotedCommaFillsOne",
                      "\"Talkback, studio\",Cue\r\n",
                      3,
                      {"Talkback, studio", "Cue", ""}},
        LoopFieldsRow{
            "BlanksAroundUnquotedTrimmed", "  Cue L \t,\t Cue R  \r\n", 2, {"Cue L", "Cue R"}},
        LoopFieldsRow{"BlanksInsideQuotesKept", " \" Cue \" , Phone", 2, {" Cue ", "Phone"}},
        LoopFieldsRow{"BlankLinesGiveNoField", "Cue\r\n\r\n \t \r\n\nPhone", 2, {"Cue", "Phone"}},
        LoopFieldsRow{"CommaAtLineEndGivesEmptyField", "Cue,\r\nPhone", 3, {"Cue", "", "Phone"}},
        LoopFieldsRow{"EmptyBetweenCommas", "Cue,,Phone", 3, {"Cue", "", "Phone"}},
        LoopFieldsRow{"TextAfterClosingQuoteIgnored", "\"Cue\" left,Phone", 2, {"Cue", "Phone"}},
        LoopFieldsRow{"QuoteThenLineEnd", "\"Cue\"\r\nPhone", 2, {"Cue", "Phone"}},
        LoopFieldsRow{
            "LineBreakInsideQuotes", "\"Cue\r\nleft\",Phone", 2, {"Cue\r\nleft", "Phone"}},
        LoopFieldsRow{"OpenQuoteRunsToEndOfFile",
                      "Cue,\"Talkback, studio\r\nPhone",
                      3,
                      {"Cue", "Talkback, studio\r\nPhone", ""}},
        LoopFieldsRow{"QuoteInsideUnquotedKept", "Mic \"A\",Phone", 2, {"Mic \"A\"", "Phone"}},
        LoopFieldsRow{"CrOnly", "Cue\rTalkback\rPhone", 3, {"Cue", "Talkback", "Phone"}},
        LoopFieldsRow{"LfOnly", "Cue\nTalkback\nPhone", 3, {"Cue", "Talkback", "Phone"}},
        LoopFieldsRow{"MoreFieldsThanCount", "A,B,C,D", 2, {"A", "B"}},
        LoopFieldsRow{"EmptyFile", "", 2, {"", ""}},
        LoopFieldsRow{"Windows1252",
                      "S\xFC"
                      "d,\"R\xE9gie, 2\"",
                      2,
                      {QString::fromUtf16(u"S\u00fcd"), QString::fromUtf16(u"R\u00e9gie, 2")}}),
    [](const testing::TestParamInfo<LoopFieldsRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn

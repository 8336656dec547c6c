#include "views/ViewTexts.h"

#include "views/ChannelNames.h"

#include <limits>
#include <ostream>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ViewTexts, PaddedNumberHasABlankAndAtLeastTwoDigits)
{
    EXPECT_EQ(paddedNumber(1), " 01");
    EXPECT_EQ(paddedNumber(7), " 07");
    EXPECT_EQ(paddedNumber(10), " 10");
    EXPECT_EQ(paddedNumber(40), " 40");
    EXPECT_EQ(paddedNumber(64), " 64");
    EXPECT_EQ(paddedNumber(100), " 100");
}

TEST(ViewTexts, HeadersLabelsAndCaptions)
{
    EXPECT_EQ(crosspointHeaders(),
              QStringList({"MIX INPUTS", "CONTROL A", "CONTROL B", "CONTROL C", "CONTROL D"}));
    EXPECT_EQ(crosspointRowLabel(7, "Mic 7"), " 07 | Mic 7");
    EXPECT_EQ(mixOutputEntry(32, "PGM R"), " 32 | PGM R");
    EXPECT_EQ(meterCaption(1), "Meter 01");
    EXPECT_EQ(meterCaption(16), "Meter 16");
    // A name is free text: separators inside it stay as they are.
    EXPECT_EQ(crosspointRowLabel(3, " a | b : c "), " 03 |  a | b : c ");
}

TEST(ViewTexts, LoopLabelAddsABlankOnlyWhenTheLoopsFileWasRead)
{
    EXPECT_EQ(loopLabel(4, std::nullopt), " 04 |");
    EXPECT_EQ(loopLabel(4, QString()), " 04 | ");
    EXPECT_EQ(loopLabel(4, QString("Cue")), " 04 | Cue");
}

TEST(ViewTexts, MeterEntriesListTheAes3InputsThenItsOutputs)
{
    ChannelNames names;
    for (int k = 0; k < 64; ++k) {
        names.inputNames[0][k] = QString("AES in %1").arg(k + 1);
        names.inputNames[1][k] = QString("IP in %1").arg(k + 1);
    }
    for (int k = 0; k < 32; ++k) {
        names.outputNames[0][k] = QString("AES out %1").arg(k + 1);
        names.outputNames[1][k] = QString("IP out %1").arg(k + 1);
    }

    const QStringList entries = meterEntries(names);
    ASSERT_EQ(entries.size(), 97);
    EXPECT_EQ(entries[0], "DISABLED");
    EXPECT_EQ(entries[1], "MIX INPUT  01 : AES in 1");
    EXPECT_EQ(entries[9], "MIX INPUT  09 : AES in 9");
    EXPECT_EQ(entries[64], "MIX INPUT  64 : AES in 64");
    EXPECT_EQ(entries[65], "MIX OUPUT 01 : AES out 1");
    EXPECT_EQ(entries[96], "MIX OUPUT 32 : AES out 32");
}

struct WidthRow
{
    const char* name;
    int chars;
    double twipsPerPixel;
    int twips;
};

void PrintTo(const WidthRow& row, std::ostream* os)
{
    *os << row.name;
}

class ColumnWidthTest : public testing::TestWithParam<WidthRow>
{
};

TEST_P(ColumnWidthTest, TwoCharactersMoreAtSixPixelsEach)
{
    const WidthRow& row = GetParam();
    EXPECT_EQ(columnWidthTwips(row.chars, row.twipsPerPixel), row.twips);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColumnWidthTest,
    testing::Values(WidthRow{"NineCharsAt96Dpi", 9, 15.0, 990},
                    WidthRow{"TwentyCharsAt96Dpi", 20, 15.0, (20 + 2) * 6 * 15},
                    WidthRow{"EmptyIsTwelvePixels", 0, 15.0, 12 * 15},
                    WidthRow{"NineCharsAt120Dpi", 9, 12.0, 792},
                    // (n + 2) x 6 x 0.125 lands on halves: 1.5 -> 2, 4.5 -> 4, 7.5 -> 8.
                    WidthRow{"HalfRoundsUpToEven", 0, 0.125, 2},
                    WidthRow{"HalfRoundsDownToEven", 4, 0.125, 4},
                    WidthRow{"HalfAboveOddRoundsUp", 8, 0.125, 8},
                    WidthRow{"FractionRoundsToNearest", 1, 15.0 / 14.0, 19},
                    WidthRow{"HugeCountDoesNotOverflow", std::numeric_limits<int>::max(), 15.0,
                             std::numeric_limits<int>::max()}),
    [](const testing::TestParamInfo<WidthRow>& info) { return std::string(info.param.name); });

TEST(ViewTexts, ColumnWidthOfTextsUsesTheLongestInCharacters)
{
    EXPECT_EQ(columnWidthTwips(QStringList({"LOOP", " 01 | Talkback, studio", " 02 | Cue"}), 15.0),
              (22 + 2) * 6 * 15);
    EXPECT_EQ(columnWidthTwips(QStringList(), 15.0), 12 * 15);
    EXPECT_EQ(columnWidthTwips(QStringList({"", ""}), 15.0), 12 * 15);
    // Characters, not encoded bytes.
    EXPECT_EQ(columnWidthTwips(QStringList({QString::fromUtf16(u"R\u00e9gie \u20ac")}), 15.0),
              (7 + 2) * 6 * 15);
}

} // namespace
} // namespace tarn

#include "texts/DisplayTexts.h"

#include "controls/ControlSet.h"
#include "model/ConfigModel.h"
#include "texts/MixOutputTexts.h"

#include <limits>
#include <ostream>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// A name is free text: separators inside it stay as they are.
TEST(ViewTexts, LabelsKeepTheNameAsItIs)
{
    EXPECT_EQ(crosspointRowLabel(3, " a | b : c "), " 03 |  a | b : c ");
}

struct WidthRow
{
    const char* name;
    int chars;
    double twipsPerPixel;
    int twips;
};

using ColumnWidthRows = ::testing::TestWithParam<WidthRow>;

TEST_P(ColumnWidthRows, TwoCharactersMoreAtSixPixelsEach)
{
    EXPECT_EQ(columnWidthTwips(GetParam().chars, GetParam().twipsPerPixel), GetParam().twips);
}

const WidthRow kWidthRows[] = {
    {"NineCharsAt96Dpi", 9, 15.0, 990},
    {"EmptyIsTwelvePixels", 0, 15.0, 180},
    // (n + 2) x 6 x 0.125 lands on halves: 1.5 -> 2, 4.5 -> 4.
    {"HalfRoundsUpToEven", 0, 0.125, 2},
    {"HalfRoundsDownToEven", 4, 0.125, 4},
    {"FractionRoundsToNearest", 1, 15.0 / 14.0, 19},
    {"HugeCountDoesNotOverflow", std::numeric_limits<int>::max(), 15.0,
     std::numeric_limits<int>::max()},
};

INSTANTIATE_TEST_SUITE_P(Rows, ColumnWidthRows, testing::ValuesIn(kWidthRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewTexts, ColumnWidthOfTextsUsesTheLongestInCharacters)
{
    // The loops grid's first column: a longest label of 20 characters.
    EXPECT_EQ(columnWidthTwips(QStringList({"LOOP", " 01 | Talkback studi", " 02 | Cue"}), 15.0),
              1980);
    EXPECT_EQ(columnWidthTwips(QStringList({"", ""}), 15.0), 180);
    // Characters, not encoded bytes.
    EXPECT_EQ(columnWidthTwips(QStringList({QString::fromUtf16(u"R\u00e9gie \u20ac")}), 15.0), 810);
}

// A small IP mix control set: MUTE at pointer 0, Fader 2 at 17, Unity 0dB at 73.
ControlSet ipMixControls()
{
    ControlSet set;
    const int fixed = set.appendRoot("Fixed");
    set.setPointerToNode(0, set.appendChild(fixed, "MUTE"));
    set.setPointerToNode(73, set.appendChild(fixed, "Unity 0dB"));
    set.setPointerToNode(17, set.appendChild(set.appendRoot("Faders"), "  Fader 2"));
    set.rebuildNodeToPointer();
    return set;
}

TEST(MixOutputView, CellsShowTheSelectedOutputsSlotsOfTheirMixer)
{
    const ControlSet set = ipMixControls();
    ConfigModel model;
    model.setSlot(1, 16, 4, 1, 17);
    model.setSlot(1, 16, 63, 3, 73);
    // Neighbouring outputs and the other mixer must not show through.
    model.setSlot(1, 15, 4, 1, 73);
    model.setSlot(1, 17, 4, 1, 73);
    model.setSlot(0, 16, 4, 1, 73);

    const MixOutputTexts texts = mixOutputCellTexts(model, set, 1, 16);
    EXPECT_EQ(texts[4][1], "   Fader 2");
    EXPECT_EQ(texts[63][3], " Unity 0dB");
    EXPECT_EQ(texts[4][0], " MUTE");
    EXPECT_EQ(texts[5][1], " MUTE");
}

TEST(MixOutputView, PointerWithoutEntryShowsTheInvalidMarker)
{
    const ControlSet set = ipMixControls();
    EXPECT_EQ(controlCellText(set, 0), " MUTE");
    for (const int pointer : {1, -1, 32767, 32768})
        EXPECT_EQ(controlCellText(set, pointer), " ----INVALID----") << pointer;
}

} // namespace
} // namespace tarn

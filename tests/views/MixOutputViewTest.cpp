#include "views/MixOutputView.h"

#include "controls/ControlSet.h"
#include "model/ConfigModel.h"
#include "views/ViewTexts.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// A small IP mix control set: MUTE at pointer 0, Fader 2 at 17, Unity 0dB at 73.
ControlSet ipMixControls()
{
    ControlSet set;
    const int fixed = set.appendRoot("Fixed");
    set.setPointerToNode(0, set.appendChild(fixed, "MUTE"));
    set.setPointerToNode(73, set.appendChild(fixed, "Unity 0dB"));
    const int faders = set.appendRoot("Faders");
    set.setPointerToNode(17, set.appendChild(faders, "  Fader 2"));
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
    EXPECT_EQ(texts[0][0], " MUTE");
    EXPECT_EQ(texts[5][1], " MUTE");
}

TEST(MixOutputView, PointerWithoutEntryShowsTheInvalidMarker)
{
    const ControlSet set = ipMixControls();
    ConfigModel model;
    model.setSlot(0, 0, 2, 2, 18);
    model.setSlot(0, 0, 3, 2, 32767);
    model.setSlot(0, 0, 4, 2, -5);

    const MixOutputTexts texts = mixOutputCellTexts(model, set, 0, 0);
    EXPECT_EQ(texts[2][2], " ----INVALID----");
    EXPECT_EQ(texts[3][2], " ----INVALID----");
    EXPECT_EQ(texts[4][2], " ----INVALID----");
    EXPECT_EQ(texts[2][1], " MUTE");
}

TEST(MixOutputView, EmptyControlSetShowsTheMarkerInAllCells)
{
    const ControlSet empty;
    ConfigModel model;
    model.setSlot(0, 5, 10, 1, 73);

    const MixOutputTexts texts = mixOutputCellTexts(model, empty, 0, 5);
    for (const auto& row : texts) {
        for (const QString& cell : row)
            ASSERT_EQ(cell, " ----INVALID----");
    }
}

TEST(MixOutputView, ControlCellTextRejectsPointersOutsideTheMaps)
{
    const ControlSet set = ipMixControls();
    EXPECT_EQ(controlCellText(set, 0), " MUTE");
    EXPECT_EQ(controlCellText(set, -1), kInvalidMarker);
    EXPECT_EQ(controlCellText(set, 32768), kInvalidMarker);
    EXPECT_EQ(controlCellText(set, 1), kInvalidMarker);
}

} // namespace
} // namespace tarn

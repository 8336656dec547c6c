#include "editors/CompressorEditor.h"
#include "editors/CrosspointEditor.h"
#include "editors/LoopEditor.h"
#include "editors/MeterEditor.h"
#include "editors/MixOutputBuffer.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// A model whose every slot holds a value unique to (mixer, output, input, slot).
ConfigModel patternedModel()
{
    ConfigModel model;
    for (int m = 0; m < kMixerCount; ++m)
        for (int o = 0; o < kOutputCount; ++o)
            for (int i = 0; i < kInputCount; ++i)
                for (int s = 0; s < kSlotCount; ++s)
                    model.setSlot(m, o, i, s,
                                  static_cast<std::int16_t>((m * 32 + o) * 256 + i * 4 + s));
    return model;
}

struct AssignRow
{
    const char* name;
    int mixer;
    int output;
    CellRect cells; // rows are inputs, columns slots
    int pointer;
    int changed; // slots that take the pointer
};

using AssignCrossPointRows = ::testing::TestWithParam<AssignRow>;

// The slots of the selection, from either corner and clipped to the grid, take the pointer;
// every other slot of both mixers keeps its value. A negative pointer changes nothing.
TEST_P(AssignCrossPointRows, FillsTheClippedSelectionOnly)
{
    const AssignRow& row = GetParam();
    const ConfigModel original = patternedModel();
    ConfigModel model = original;
    EXPECT_EQ(AssignCrossPoint(model, row.mixer, row.output, row.cells, row.pointer),
              row.pointer >= 0);
    int changed = 0;
    for (int m = 0; m < kMixerCount; ++m)
        for (int o = 0; o < kOutputCount; ++o)
            for (int i = 0; i < kInputCount; ++i)
                for (int s = 0; s < kSlotCount; ++s) {
                    const bool inside = row.pointer >= 0 && m == row.mixer && o == row.output &&
                                        row.cells.contains(i, s);
                    ASSERT_EQ(model.slot(m, o, i, s),
                              inside ? row.pointer : original.slot(m, o, i, s));
                    changed += inside;
                }
    EXPECT_EQ(changed, row.changed);
}

const AssignRow kAssignRows[] = {
    {"Rectangle", 0, 7, {2, 1, 4, 2}, 17, 6},
    {"RectangleFromTheOtherCorner", 0, 7, {4, 2, 2, 1}, 17, 6},
    {"SingleCell", 1, 31, {63, 3, 63, 3}, 73, 1},
    {"BeyondTheInputsAndSlots", 0, 0, {-1, -1, 70, 9}, kMaxPointer, 256},
    {"NegativePointer", 1, 0, {0, 0, 63, 3}, -1, 0},
};

INSTANTIATE_TEST_SUITE_P(Selections, AssignCrossPointRows, ::testing::ValuesIn(kAssignRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AssignLoop, UpwardSelectionSetsBothFormsOfEachLoop)
{
    ConfigModel model;
    ASSERT_TRUE(AssignLoop(model, 1, 5, 2, 300));
    for (int l = 0; l < kLoopCount; ++l) {
        const bool inside = l >= 2 && l <= 5;
        EXPECT_EQ(model.loopAssignment(1, l), inside ? 300 : 0);
        EXPECT_EQ(model.mixImage(1).mid(kLoopWordsOffset + 4 * l, 4),
                  inside ? QByteArray::fromHex("0000012C") : QByteArray(4, '\0'));
    }
    EXPECT_FALSE(AssignLoop(model, 0, 0, 7, -1));
    EXPECT_EQ(model.mixImage(0), QByteArray(kMixImageSize, '\0'));
    ASSERT_TRUE(AssignLoop(model, 1, 0, 9, 0));
    EXPECT_EQ(model.mixImage(1), QByteArray(kMixImageSize, '\0'));
}

TEST(MixOutputBuffer, CopyPasteAndSwapMoveOneWholeOutput)
{
    ConfigModel model = patternedModel();
    const ConfigModel original = patternedModel();
    MixOutputBuffer buffer;
    EXPECT_FALSE(buffer.isFilled(0));
    buffer.pasteInto(model, 0, 3); // unusable before a copy
    EXPECT_TRUE(model == original);

    buffer.copyFrom(model, 0, 1);
    EXPECT_TRUE(buffer.isFilled(0));
    EXPECT_FALSE(buffer.isFilled(1));
    buffer.pasteInto(model, 0, 2);
    buffer.pasteInto(model, 0, 3);
    for (int i = 0; i < kInputCount; ++i)
        for (int s = 0; s < kSlotCount; ++s) {
            EXPECT_EQ(model.slot(0, 2, i, s), original.slot(0, 1, i, s));
            EXPECT_EQ(model.slot(0, 3, i, s), original.slot(0, 1, i, s));
            EXPECT_EQ(model.slot(0, 1, i, s), original.slot(0, 1, i, s));
        }
    EXPECT_EQ(model.mixImage(1), original.mixImage(1));

    buffer.swapWith(model, 0, 5);
    EXPECT_EQ(model.slot(0, 5, 9, 2), original.slot(0, 1, 9, 2));
    EXPECT_EQ(buffer.word(0, 9, 2), original.slot(0, 5, 9, 2));
    buffer.swapWith(model, 0, 5);
    EXPECT_EQ(model.slot(0, 5, 9, 2), original.slot(0, 5, 9, 2));
    EXPECT_EQ(buffer.word(0, 9, 2), original.slot(0, 1, 9, 2));
}

struct MeterCase
{
    const char* name;
    int position;
    int byte;
};

using MeterEditorTest = ::testing::TestWithParam<MeterCase>;

TEST_P(MeterEditorTest, PositionBecomesTheMetersByteOnly)
{
    ConfigModel model;
    model.setMeter(2, 100);
    applyMeterPosition(model, 2, GetParam().position);
    EXPECT_EQ(model.meter(2), GetParam().byte);
    EXPECT_EQ(model.meter(1), 0);
    EXPECT_EQ(model.meter(3), 0);
}

INSTANTIATE_TEST_SUITE_P(Positions, MeterEditorTest,
                         ::testing::Values(MeterCase{"Disabled", 0, 255}, MeterCase{"Input1", 1, 0},
                                           MeterCase{"Input64", 64, 63},
                                           MeterCase{"Output1", 65, 64},
                                           MeterCase{"Output32", 96, 95},
                                           MeterCase{"NoSelection", -1, 100},
                                           MeterCase{"BeyondList", 97, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompressorEditor, PositionsBecomeWordsAndHoldCountsIn480s)
{
    ConfigModel model;
    applyCompressorPosition(model, CompressorParam::Hold, 60);
    EXPECT_EQ(model.compressor(CompressorWord::Hold), 28800);
    applyCompressorPosition(model, CompressorParam::Hold, 1000);
    EXPECT_EQ(model.compressor(CompressorWord::Hold), 480000);
    applyCompressorPosition(model, CompressorParam::Threshold, -42);
    EXPECT_EQ(model.compressor(CompressorWord::Threshold), -42);
    // Only the parameter's own word changes.
    ConfigModel reference;
    reference.setCompressor(CompressorWord::Hold, 480000);
    reference.setCompressor(CompressorWord::Threshold, -42);
    EXPECT_TRUE(model == reference);
}

} // namespace
} // namespace tarn

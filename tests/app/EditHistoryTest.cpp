#include "app/EditHistory.h"

#include "editors/CompressorEditor.h"
#include "editors/CrosspointEditor.h"
#include "editors/LoopEditor.h"
#include "editors/MeterEditor.h"
#include "editors/MixOutputBuffer.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// A model whose slots, loops, meters and compressor words all differ from one another, with
// one loop whose two forms disagree (as a file can give them).
ConfigModel startModel()
{
    ConfigModel model;
    for (int m = 0; m < kMixerCount; ++m)
        for (int o = 0; o < kOutputCount; ++o)
            for (int i = 0; i < kInputCount; ++i)
                for (int s = 0; s < kSlotCount; ++s)
                    model.setSlot(m, o, i, s, static_cast<std::int16_t>((o * 64 + i) * 4 + s + m));
    for (int m = 0; m < kMixerCount; ++m)
        for (int l = 0; l < kLoopCount; ++l)
            model.setLoopPointer(m, l, static_cast<std::int16_t>(100 * m + l));
    model.setLoopAssignment(1, 7, 555);
    for (int i = 0; i < kMeterCount; ++i)
        model.setMeter(i, static_cast<std::uint8_t>(i == 5 ? 100 : i));
    applyCompressorPosition(model, CompressorParam::Hold, 50);
    applyCompressorPosition(model, CompressorParam::Gain, 18);
    return model;
}

struct StepRow
{
    std::string name;
    EditPlace place;
    std::function<void(ConfigModel&, MixOutputBuffer&)> edit;
    bool changes = true; // whether the edit changes the model at all
};

using EditHistoryTest = ::testing::TestWithParam<StepRow>;

// The buffer holds output 9 of each mixer, as after "Copy to buffer" there.
MixOutputBuffer filledBuffer(const ConfigModel& model)
{
    MixOutputBuffer buffer;
    buffer.copyFrom(model, 0, 9);
    buffer.copyFrom(model, 1, 9);
    return buffer;
}

TEST_P(EditHistoryTest, UndoRestoresEveryByteAndRedoRepeatsTheEdit)
{
    const StepRow& row = GetParam();
    const ConfigModel before = startModel();
    ConfigModel after = before;
    MixOutputBuffer buffer = filledBuffer(before);
    row.edit(after, buffer);
    ASSERT_EQ(!(after == before), row.changes);

    const EditStep step = recordEdit(before, after, row.place);
    EXPECT_EQ(step.changesModel(), row.changes);
    // A whole mix output is 512 bytes each way: a step stays within a few kilobytes.
    EXPECT_LE(step.byteCount(), 2 * 2 * 512 + 64);
    EXPECT_EQ(step.place.tab, row.place.tab);
    EXPECT_EQ(step.place.cells.bottom(), row.place.cells.bottom());

    ConfigModel model = after;
    undoEdit(model, step);
    EXPECT_TRUE(model == before);
    EXPECT_EQ(model.mixImage(0), before.mixImage(0));
    EXPECT_EQ(model.mixImage(1), before.mixImage(1));
    EXPECT_EQ(model.loopAssignment(1, 7), 555);
    redoEdit(model, step);
    EXPECT_TRUE(model == after);
    // Twice back and forth ends where it started.
    undoEdit(model, step);
    redoEdit(model, step);
    EXPECT_TRUE(model == after);
}

const CellRect kRectangle{5, 3, 1, 1};
const CellRect kWholeOutput{0, 0, 63, 3};

// clang-format off
const StepRow kSteps[] = {
    {"TreeEntryOnCrosspoints", {EditPlace::AesMix, 0, 3, kRectangle, 0},
     [](ConfigModel& m, MixOutputBuffer&) { AssignCrossPoint(m, 0, 3, kRectangle, 17); }},
    {"SameValueAgain", {EditPlace::AesMix, 0, 0, CellRect{}, 0},
     [](ConfigModel& m, MixOutputBuffer&) {
         AssignCrossPoint(m, 0, 0, {}, m.slot(0, 0, 0, 0)); },
     false},
    {"TwoRangesOfOneImage", {EditPlace::AesMix, 0, 0, {}, 0},
     [](ConfigModel& m, MixOutputBuffer&) {
         m.setSlot(0, 0, 0, 0, 1); m.setSlot(0, 31, 63, 3, 2); }},
    {"Swap", {EditPlace::IpMix, 1, 20, kWholeOutput, 0},
     [](ConfigModel& m, MixOutputBuffer& b) { b.swapWith(m, 1, 20); }},
    {"LoopRows", {EditPlace::Loops, 1, 0, CellRect{7, 0, 2, 0}, 0},
     [](ConfigModel& m, MixOutputBuffer&) { AssignLoop(m, 1, 7, 2, 300); }},
    {"Meter", {EditPlace::Meters, 0, 0, {}, 5},
     [](ConfigModel& m, MixOutputBuffer&) { applyMeterPosition(m, 5, 0); }},
    {"CompressorSpinner", {EditPlace::Compressor, 0, 0, {}, 1},
     [](ConfigModel& m, MixOutputBuffer&) {
         applyCompressorPosition(m, CompressorParam::Hold, 60); }},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EveryKindOfStep, EditHistoryTest, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return info.param.name; });

TEST(EditHistory, MergedSpinnerStepsGoBackToTheFirstValueInOneUndo)
{
    const ConfigModel start = startModel();
    ConfigModel model = start;
    const EditPlace place{EditPlace::Compressor, 0, 0, {}, 1};
    EditStep merged = recordEdit(model, model, place);
    for (const int position : {60, 70, 80}) {
        const ConfigModel before = model;
        applyCompressorPosition(model, CompressorParam::Hold, position);
        merged = mergeEdits(merged, recordEdit(before, model, place), model);
    }
    EXPECT_EQ(model.compressor(CompressorWord::Hold), 80 * 480);
    undoEdit(model, merged);
    EXPECT_TRUE(model == start);

    // Stepping back to where it started leaves a step that changes nothing.
    ConfigModel back = start;
    applyCompressorPosition(back, CompressorParam::Hold, 60);
    const EditStep up = recordEdit(start, back, place);
    const ConfigModel upped = back;
    applyCompressorPosition(back, CompressorParam::Hold, 50);
    EXPECT_FALSE(mergeEdits(up, recordEdit(upped, back, place), back).changesModel());
}

} // namespace
} // namespace tarn

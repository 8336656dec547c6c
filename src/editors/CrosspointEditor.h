#pragma once

#include "editors/CellRect.h"
#include "model/ConfigModel.h"
#include "model/MixFile.h"

#include <cstdint>

namespace tarn {

// What a pop-up item of the crosspoint grid assigns: a fixed pointer, and the text the cells
// show after their blank (not looked up in the tree).
struct FixedAssignment
{
    std::int16_t pointer;
    const char* text;
};

inline constexpr FixedAssignment kMuteAssignment{kMutePointer, "MUTE"};
inline constexpr FixedAssignment kUnityAssignment{kUnityPointer, "  0dB"};

// Stores `pointer` into every slot of `cells` (rows are inputs, columns slots) of mix output
// `output`; cells outside the inputs and slots are skipped. Returns false, changing nothing,
// for a negative pointer.
bool AssignCrossPoint(ConfigModel& model, int mixer, int output, const CellRect& cells,
                      int pointer);

} // namespace tarn

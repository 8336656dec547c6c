#pragma once

#include "editors/CellRange.h"
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

// Stores `pointer` into every slot of the selected rectangle of mix output `output`
// (rows 1..64 are inputs, columns 1..4 slots A..D); cells outside that range are skipped.
// Returns false, changing nothing, for a negative pointer.
bool AssignCrossPoint(ConfigModel& model, int mixer, int output, const CellRange& selection,
                      int pointer);

} // namespace tarn

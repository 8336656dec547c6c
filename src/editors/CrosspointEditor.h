#pragma once

#include "editors/CellRange.h"
#include "model/ConfigModel.h"

namespace tarn {

// Stores `pointer` into every slot of the selected rectangle of mix output `output`
// (rows 1..64 are inputs, columns 1..4 slots A..D); cells outside that range are skipped.
// Returns false, changing nothing, for a negative pointer.
bool AssignCrossPoint(ConfigModel& model, int mixer, int output, const CellRange& selection,
                      int pointer);

} // namespace tarn

#pragma once

#include "model/ConfigModel.h"

namespace tarn {

// Stores `pointer`, in both of its forms, into the loops of grid rows `row`..`otherRow`
// (either order; rows 1..8 are loops 0..7). Returns false, changing nothing, for a negative
// pointer.
bool AssignLoop(ConfigModel& model, int mixer, int row, int otherRow, int pointer);

} // namespace tarn

#pragma once

#include "model/ConfigModel.h"

namespace tarn {

// Stores `pointer`, in both of its forms, into loops `loop`..`otherLoop` (either order; loops
// outside 0..7 are skipped). Returns false, changing nothing, for a negative pointer.
bool AssignLoop(ConfigModel& model, int mixer, int loop, int otherLoop, int pointer);

} // namespace tarn

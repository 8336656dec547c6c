#pragma once

#include "model/ConfigModel.h"

namespace tarn {

// A meter list's selection stores 255 for "DISABLED" (position 0) and position - 1 for a
// source; any other position (no selection) leaves the byte as it is.
void applyMeterPosition(ConfigModel& model, int meter, int position);

} // namespace tarn

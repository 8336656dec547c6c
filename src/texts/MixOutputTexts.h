#pragma once

#include "model/ConfigModel.h"

#include <array>

#include <QString>

namespace tarn {

class ControlSet;

using MixOutputTexts = std::array<std::array<QString, kSlotCount>, kInputCount>;

// The 256 cell texts of one mix output: [input][slot], each the control's cell text or the
// invalid marker.
MixOutputTexts mixOutputCellTexts(const ConfigModel& model, const ControlSet& set, int mixer,
                                  int output);

} // namespace tarn

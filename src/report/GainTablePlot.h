#pragma once

#include <string>

namespace tarn {

class ConfigModel;

// The gain in dB of a gain table word, 20 log10(value / 32768); minus infinity for 0 and
// below, which stand for no gain the scale can express.
double gainTableDecibels(int value);

// Appends the SVG plot of the compressor's gain table: entry 0..255 against its gain in dB,
// with the default table dashed behind it when the two differ. Entries of 0 or below have no
// dB value and are marked on the bottom edge.
void appendGainTablePlot(std::string& out, const ConfigModel& model);

} // namespace tarn

#pragma once

#include "model/ConfigModel.h"
#include "model/Index.h"

#include <array>

namespace tarn {

enum class CompressorParam { Attack, Hold, Decay, Gain, Threshold };
inline constexpr std::array<CompressorParam, 5> kCompressorParams = {
    CompressorParam::Attack, CompressorParam::Hold, CompressorParam::Decay, CompressorParam::Gain,
    CompressorParam::Threshold};

struct SpinnerRange
{
    int minimum = 0;
    int maximum = 0;
    int step = 1;
};

SpinnerRange spinnerRange(CompressorParam param);
CompressorWord compressorWordOf(CompressorParam param);

// What a spinner's change stores: its position, or for Hold the position x 480.
void applyCompressorPosition(ConfigModel& model, CompressorParam param, int position);

// The spinner positions that show the model's parameters (Hold / 480, remainder dropped).
struct CompressorPositions
{
    std::array<int, 5> values{};
    int& operator[](CompressorParam p) { return at(values, p); }
    int operator[](CompressorParam p) const { return at(values, p); }
    friend bool operator==(const CompressorPositions&, const CompressorPositions&) = default;
};

// The load's clamping and spinner set-up, run on the model: each parameter is clamped into its
// load range and shown; where a shown position differs from `before`, the spinner's change
// stores it back (so Hold is rounded down to a multiple of 480 exactly then). Returns the
// positions shown.
CompressorPositions settleCompressor(ConfigModel& model, const CompressorPositions& before);

} // namespace tarn

#pragma once

#include "model/ConfigModel.h"

#include <array>
#include <cstdint>

#include <QByteArrayView>

namespace tarn {

extern const std::array<std::int32_t, kGainTableSize> kDefaultGainTable;

inline constexpr std::int32_t kDefaultAttack = 3;
inline constexpr std::int32_t kDefaultHold = 24000;
inline constexpr std::int32_t kDefaultDecay = 7;
inline constexpr std::int32_t kDefaultGain = 18;
inline constexpr std::int32_t kDefaultThreshold = -30;
// A load clamps Hold into 0..48000; the spinner itself reaches 1000 x 480.
inline constexpr std::int32_t kHoldLoadMaximum = 48000;
inline constexpr std::int32_t kHoldPerPosition = 480;

// A 1280-byte file is taken whole; any other length gives the default parameters and gain
// table and leaves the reserved words as they are.
void applyCompressorFileBytes(ConfigModel& model, QByteArrayView bytes);

} // namespace tarn

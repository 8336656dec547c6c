#pragma once

#include "model/ConfigModel.h"

#include <array>
#include <cstdint>

#include <QByteArrayView>

namespace tarn {

inline constexpr std::uint8_t kMeterDisabled = 255;
// Highest byte that names a source: 0..63 mix inputs, 64..95 mix outputs.
inline constexpr std::uint8_t kLastMeterSource = 95;

inline constexpr std::array<std::uint8_t, kMeterImageSize> kDefaultMeters = {
    24, 25, 26, 27, 28, 29, 30, 31, 72, 88, 255, 255, 255, 255, 255, 255};

// A 16-byte file is taken as it stands; any other length gives the defaults.
void applyMeterFileBytes(ConfigModel& model, QByteArrayView bytes);

// The meter list position that shows a byte: b + 1 for a source, 0 ("DISABLED") otherwise.
int meterPositionForByte(std::uint8_t value);

} // namespace tarn

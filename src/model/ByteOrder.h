#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// Reverses the four bytes of a 32-bit integer; exact for negative values too.
std::int32_t ClngEndian(std::int32_t value);

// Explicit little-endian access, so file images are exact whatever the host's byte order;
// big-endian words go through ClngEndian.
std::int16_t readLE16(const std::uint8_t* bytes);
void writeLE16(std::uint8_t* bytes, std::int16_t value);
std::int32_t readLE32(const std::uint8_t* bytes);
void writeLE32(std::uint8_t* bytes, std::int32_t value);

} // namespace tarn

#include "model/ByteOrder.h"

namespace tarn {

std::int32_t ClngEndian(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    const std::uint32_t swapped = ((u & 0x000000FFu) << 24) | ((u & 0x0000FF00u) << 8) |
                                  ((u & 0x00FF0000u) >> 8) | ((u & 0xFF000000u) >> 24);
    return static_cast<std::int32_t>(swapped);
}

std::int16_t readLE16(const std::uint8_t* bytes)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

void writeLE16(std::uint8_t* bytes, std::int16_t value)
{
    const auto u = static_cast<std::uint16_t>(value);
    bytes[0] = static_cast<std::uint8_t>(u & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(u >> 8);
}

std::int32_t readLE32(const std::uint8_t* bytes)
{
    const std::uint32_t u = std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
                            (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
    return static_cast<std::int32_t>(u);
}

void writeLE32(std::uint8_t* bytes, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        bytes[k] = static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF);
}

} // namespace tarn

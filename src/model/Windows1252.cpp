#include "model/Windows1252.h"

#include <algorithm>
#include <array>

namespace tarn {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the range equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    // Plain ASCII, the usual case, widens byte for byte; anything else is done again below.
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    unsigned char high = 0;
    for (qsizetype k = 0; k < bytes.size(); ++k) {
        high |= in[k];
        out[k] = in[k];
    }
    if (high >= 0x80) {
        for (qsizetype k = 0; k < bytes.size(); ++k)
            out[k] = fromWindows1252(bytes[k]);
    }
    return text;
}

char16_t fromWindows1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : char16_t(b);
}

std::optional<char> toWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), c);
    if (found == kHighControls.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

QByteArray encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype k = 0; k < text.size(); ++k)
        bytes[k] = toWindows1252(text[k].unicode()).value_or('?');
    return bytes;
}

} // namespace tarn

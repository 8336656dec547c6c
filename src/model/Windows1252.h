#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tarn {

// The unit's text files are 8-bit Windows-1252. Every byte maps to one character (the five
// bytes Windows-1252 leaves undefined map to the C1 control of the same value), so no byte is
// lost or rejected and a text's length in characters equals its length in bytes.
QString decodeWindows1252(QByteArrayView bytes);
// One byte's character.
char16_t fromWindows1252(char byte);
// The byte that stands for `c`, or nothing when Windows-1252 lacks it.
std::optional<char> toWindows1252(char16_t c);
// The other way, for texts made in the program: a character Windows-1252 lacks becomes "?".
QByteArray encodeWindows1252(QStringView text);

} // namespace tarn

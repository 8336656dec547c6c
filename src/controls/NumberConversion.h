#pragma once

#include <cstdint>
#include <optional>

#include <QByteArrayView>

namespace tarn {

// number(value): the leading-number conversion of a directive value (blanks, tabs and line
// feeds skipped; sign, digits, fraction, exponent; 0 when no digit).
double leadingNumber(QByteArrayView value);
// The same when the value is a whole number of at most nine digits without fraction or
// exponent, the usual case; nothing otherwise.
std::optional<std::int32_t> leadingWholeNumber(QByteArrayView value);

} // namespace tarn

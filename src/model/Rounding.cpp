#include "model/Rounding.h"

#include <cmath>

namespace tarn {

double roundHalfEven(double value)
{
    // Whole numbers, the usual case, as they are; beyond 2^52 every double is whole anyway.
    if (!(std::fabs(value) < 4503599627370496.0))
        return value;
    if (static_cast<double>(static_cast<long long>(value)) == value)
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1.0;
    const double half = floor * 0.5; // exact: floor is whole
    return std::floor(half) == half ? floor : floor + 1.0;
}

} // namespace tarn

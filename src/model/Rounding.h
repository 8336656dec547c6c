#pragma once

namespace tarn {

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4, -2.5 gives -2);
// the one rounding rule of pointers, column widths and layout twips.
double roundHalfEven(double value);

} // namespace tarn

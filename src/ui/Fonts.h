#pragma once

#include <QFont>

namespace tarn {

// A fixed-pitch font whose character advance is exactly 6 pixels on this screen (the grids,
// mix output lists and trees); found at run time.
QFont sixPixelFixedFont();
// The tab strip's font (8.25 pt sans-serif) and the spinner value labels' (12 pt bold).
QFont tabStripFont();
QFont spinnerLabelFont();

} // namespace tarn

#pragma once

#include <QRect>

namespace tarn {

inline constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel for a screen's logical dots per inch (15 at 96 dpi).
double twipsPerPixel(double logicalDpi);
// Pixels for a length in twips, rounded to the nearest pixel.
int twipsToPixels(double twips, double twipsPerPixel);
double pixelsToTwips(int pixels, double twipsPerPixel);

// A widget's geometry in twips, relative to its container.
struct TwipsRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

QRect toPixels(const TwipsRect& rect, double twipsPerPixel);

} // namespace tarn

#include "layout/Twips.h"

#include <cmath>

namespace tarn {

namespace {

// A screen that reports no resolution is treated as the usual 96 dpi rather than dividing by 0.
constexpr double kFallbackDpi = 96.0;

} // namespace

double twipsPerPixel(double logicalDpi)
{
    return kTwipsPerInch / (logicalDpi > 0 ? logicalDpi : kFallbackDpi);
}

int twipsToPixels(double twips, double twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return 0;
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

double pixelsToTwips(int pixels, double twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

QRect toPixels(const TwipsRect& rect, double twipsPerPixel)
{
    // Edges are rounded rather than sizes, so that widgets which touch or keep a gap in twips
    // keep it in pixels too.
    const int left = twipsToPixels(rect.left, twipsPerPixel);
    const int top = twipsToPixels(rect.top, twipsPerPixel);
    const int right = twipsToPixels(rect.left + rect.width, twipsPerPixel);
    const int bottom = twipsToPixels(rect.top + rect.height, twipsPerPixel);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace tarn

#pragma once

#include "layout/Twips.h"
#include "layout/WindowLayout.h"

// Every design position of the window, in twips, relative to the containing widget (a tab's
// widgets relative to the tab strip, its tab row included).
namespace tarn {

// The design geometry of the widgets the layout rules fit to the window.
WindowGeometry designGeometry();

// Design positions in twips of the widgets the layout never moves.
inline constexpr TwipsRect kSaveCommandRect{18000, 120, 855, 255};
inline constexpr TwipsRect kCopyMixOutRect{120, 240, 1455, 255};
inline constexpr TwipsRect kSwapMixOutRect{1800, 240, 1455, 255};
inline constexpr TwipsRect kPasteMixOutRect{3480, 240, 1455, 255};
inline constexpr TwipsRect kMixOutputComboRect{120, 600, 4815, 240};
inline constexpr TwipsRect kMeterContainerRect{120, 360, 10935, 5895};
inline constexpr double kMeterFrameLefts[2] = {120, 5520};
inline constexpr double kMeterFrameTops[8] = {240, 840, 1560, 2280, 3000, 3720, 4440, 5160};
inline constexpr double kMeterFrameWidth = 5295;
inline constexpr double kMeterFrameHeight = 615;
inline constexpr TwipsRect kMeterComboRect{120, 240, 5055, 315};
inline constexpr TwipsRect kFrame1Rect{120, 360, 6735, 975};
inline constexpr TwipsRect kCompressorFrameRects[5] = {{120, 120, 1095, 735},
                                                       {1320, 120, 1215, 735},
                                                       {2640, 120, 1095, 735},
                                                       {3840, 120, 1095, 735},
                                                       {5040, 120, 1575, 735}};
// Inside a compressor frame: the value label and, at its right, the up-down arrows.
inline constexpr double kSpinnerInset = 120;
inline constexpr double kSpinnerTop = 240;
inline constexpr double kSpinnerWidth = 255;
inline constexpr double kSpinnerHeight = 375;

} // namespace tarn

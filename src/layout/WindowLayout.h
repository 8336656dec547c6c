#pragma once

#include "layout/Twips.h"

#include <array>

#include <QMargins>
#include <QRect>

namespace tarn {

// The geometry ArrangeWindow reads and writes, in twips, for the widgets it places. Pure data,
// so the layout rules are tested without widgets.
struct MixTabGeometry
{
    TwipsRect mixOutputFrame;
    TwipsRect mixControlsFrame;
    TwipsRect controlsTree;
    TwipsRect mixInputFrame;
    TwipsRect crossPointGrid;

    friend bool operator==(const MixTabGeometry&, const MixTabGeometry&) = default;
};

struct LoopsTabGeometry
{
    std::array<TwipsRect, 2> dcLoopsFrame;
    std::array<TwipsRect, 2> loopsGridFrame;
    std::array<TwipsRect, 2> loopsGrid;
    std::array<TwipsRect, 2> loopControlsFrame;
    std::array<TwipsRect, 2> controlsTree; // ControlsTree(2 + i)

    friend bool operator==(const LoopsTabGeometry&, const LoopsTabGeometry&) = default;
};

struct WindowGeometry
{
    TwipsRect tabStrip;
    std::array<MixTabGeometry, 2> mixTabs;
    LoopsTabGeometry loopsTab;

    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

inline constexpr int kMinimumTabWidth = 11175;
inline constexpr int kMinimumTabHeight = 7335;

// Fits the tab strip to the client area and places the active tab's widgets (tabs 0..2;
// tabs 3 and 4 only resize the tab strip). Widgets of other tabs keep their geometry.
void ArrangeWindow(WindowGeometry& geometry, double clientWidth, double clientHeight, int activeTab,
                   int initialTabWidth, int initialTabHeight);

// The client geometry that puts the whole window, `frame` (what the window manager adds, zero
// until it is known) included, into `available`: shrunk only where it does not fit, moved to
// the area's corner only where it stands out.
QRect fitFrameInto(const QRect& available, const QMargins& frame, const QRect& client);

// Whole twips, halves to even.
double wholeTwips(double value);

} // namespace tarn

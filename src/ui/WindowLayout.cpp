#include "ui/WindowLayout.h"

#include "model/Rounding.h"

namespace tarn {

namespace {

constexpr double kEdgeRoom = 240;   // client size minus this is the room for the tab strip
constexpr double kGap = 120;        // between frames, and to the tab strip's right or bottom
constexpr double kFrameInset = 240; // width lost inside a frame
constexpr double kGridLeft = 120;
constexpr double kGridTop = 240;
constexpr double kGridHeightLoss = 345; // 240 above a crosspoint grid, 105 below it

double fitted(double room, double initial, double minimum)
{
    if (room >= initial)
        return initial;
    return room >= minimum ? room : minimum;
}

void arrangeMixTab(MixTabGeometry& tab, double W, double H)
{
    tab.mixOutputFrame.left = W - tab.mixOutputFrame.width - kGap;

    TwipsRect& controls = tab.mixControlsFrame;
    controls = {wholeTwips(W - controls.width - kGap), wholeTwips(controls.top), controls.width,
                wholeTwips(H - controls.top - kGap)};

    tab.controlsTree.height = controls.height - tab.controlsTree.top - kGap;

    TwipsRect& inputs = tab.mixInputFrame;
    inputs = {wholeTwips(inputs.left), wholeTwips(inputs.top),
              wholeTwips(tab.mixOutputFrame.left - inputs.left - kGap),
              wholeTwips(H - inputs.top - kGap)};

    tab.crossPointGrid = {kGridLeft, kGridTop, inputs.width - kFrameInset,
                          inputs.height - kGridHeightLoss};
}

void arrangeLoopsTab(LoopsTabGeometry& tab, double W, double H)
{
    const double top = wholeTwips(tab.dcLoopsFrame[0].top);
    const double width = wholeTwips(W / 2 - kFrameInset);
    const double height = wholeTwips(H - top - kGap);
    tab.dcLoopsFrame[0] = {wholeTwips(tab.dcLoopsFrame[0].left), top, width, height};
    tab.dcLoopsFrame[1] = {wholeTwips(W / 2 + kGap), top, width, height};

    for (std::size_t i = 0; i < 2; ++i) {
        tab.loopsGridFrame[i].width = tab.dcLoopsFrame[i].width - kFrameInset;
        tab.loopsGrid[i].width = tab.loopsGridFrame[i].width - kFrameInset;
    }
    for (std::size_t i = 0; i < 2; ++i) {
        TwipsRect& controls = tab.loopControlsFrame[i];
        controls.width = tab.dcLoopsFrame[i].width - kFrameInset;
        controls.height = tab.dcLoopsFrame[i].height - controls.top - kGap;
        TwipsRect& tree = tab.controlsTree[i];
        tree.width = controls.width - kFrameInset;
        tree.height = controls.height - tree.top - kGap;
    }
}

} // namespace

double wholeTwips(double value)
{
    return roundHalfEven(value);
}

WindowGeometry designGeometry()
{
    WindowGeometry g;
    g.tabStrip = {120, 120, 18735, 11655};
    for (std::size_t k = 0; k < 2; ++k) {
        MixTabGeometry& mix = g.mixTabs[k];
        mix.mixOutputFrame = {13560, 360, 5055, 975};
        mix.mixControlsFrame = {13560, 1440, 5055, 10095};
        mix.controlsTree = {120, 240, 4815, 10095};
        mix.mixInputFrame = {120, 360, 13335, 11175};
        mix.crossPointGrid = {120, 240, 13095, k == 0 ? 10830.0 : 10815.0};
    }
    LoopsTabGeometry& loops = g.loopsTab;
    // The right-hand loops frame starts one gap to the right of the left-hand one; the layout
    // moves it whenever its tab is shown.
    loops.dcLoopsFrame[0] = {120, 360, 9135, 11175};
    loops.dcLoopsFrame[1] = {120 + 9135 + kGap, 360, 9135, 11175};
    for (std::size_t i = 0; i < 2; ++i) {
        loops.loopsGridFrame[i] = {120, 240, 8895, 2055};
        loops.loopsGrid[i] = {120, 240, 8655, 1695};
        loops.loopControlsFrame[i] = {120, 2280, 8895, 8775};
        loops.controlsTree[i] = {120, 240, 8655, 8415};
    }
    return g;
}

void ArrangeWindow(WindowGeometry& geometry, double clientWidth, double clientHeight, int activeTab,
                   int initialTabWidth, int initialTabHeight)
{
    TwipsRect& strip = geometry.tabStrip;
    strip.height = fitted(clientHeight - kEdgeRoom, initialTabHeight, kMinimumTabHeight);
    strip.width = fitted(clientWidth - kEdgeRoom, initialTabWidth, kMinimumTabWidth);

    const double W = strip.width;
    const double H = strip.height;
    if (activeTab == 0 || activeTab == 1)
        arrangeMixTab(geometry.mixTabs[static_cast<std::size_t>(activeTab)], W, H);
    else if (activeTab == 2)
        arrangeLoopsTab(geometry.loopsTab, W, H);
}

} // namespace tarn

#include "layout/WindowLayout.h"

#include "model/Index.h"
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

QRect fitFrameInto(const QRect& available, const QMargins& frame, const QRect& client)
{
    const QSize room = available.marginsRemoved(frame).size();
    QRect fitted(client.topLeft(), client.size().boundedTo(room));
    if (!available.contains(fitted.marginsAdded(frame)))
        fitted.moveTopLeft(available.topLeft() + QPoint(frame.left(), frame.top()));
    return fitted;
}

double wholeTwips(double value)
{
    return roundHalfEven(value);
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
        arrangeMixTab(at(geometry.mixTabs, activeTab), W, H);
    else if (activeTab == 2)
        arrangeLoopsTab(geometry.loopsTab, W, H);
}

} // namespace tarn

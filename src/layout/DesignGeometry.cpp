#include "layout/DesignGeometry.h"

namespace tarn {

WindowGeometry designGeometry()
{
    constexpr double kDesignGap = 120;
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
    loops.dcLoopsFrame[1] = {120 + 9135 + kDesignGap, 360, 9135, 11175};
    for (std::size_t i = 0; i < 2; ++i) {
        loops.loopsGridFrame[i] = {120, 240, 8895, 2055};
        loops.loopsGrid[i] = {120, 240, 8655, 1695};
        loops.loopControlsFrame[i] = {120, 2280, 8895, 8775};
        loops.controlsTree[i] = {120, 240, 8655, 8415};
    }
    return g;
}

} // namespace tarn

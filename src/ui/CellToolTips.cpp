#include "ui/CellToolTips.h"

#include "app/LoadSequence.h"
#include "model/Index.h"
#include "texts/WindowTexts.h"
#include "ui/GridView.h"
#include "ui/MixTab.h"

namespace tarn {

void CellToolTips::attachToCrossPoints(const MixTab& tab, int mixer) const
{
    tab.grid().cells().setToolTips([this, &tab, mixer](int input, int slot) {
        const int output = tab.selectedOutput();
        const ControlSet& mix = at(m_load->sets, crosspointSetOf(mixer));
        return output < 0 ? QString()
                          : pointerToolTip(mix, m_model.slot(mixer, output, input, slot));
    });
}

void CellToolTips::attachToLoops(GridView& grid, int mixer) const
{
    grid.cells().setToolTips([this, mixer](int loop, int) {
        const ControlSet& loops = at(m_load->sets, loopSetOf(mixer));
        return pointerToolTip(loops, m_model.loopAssignment(mixer, loop));
    });
}

} // namespace tarn

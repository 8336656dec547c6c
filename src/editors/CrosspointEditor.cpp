#include "editors/CrosspointEditor.h"

namespace tarn {

bool AssignCrossPoint(ConfigModel& model, int mixer, int output, const CellRect& cells, int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer || output < 0 || output >= kOutputCount)
        return false;
    for (int s = std::max(cells.left(), 0); s <= std::min(cells.right(), kSlotCount - 1); ++s)
        for (int i = std::max(cells.top(), 0); i <= std::min(cells.bottom(), kInputCount - 1); ++i)
            model.setSlot(mixer, output, i, s, static_cast<std::int16_t>(pointer));
    return true;
}

} // namespace tarn

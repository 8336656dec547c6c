#include "editors/CrosspointEditor.h"

namespace tarn {

bool AssignCrossPoint(ConfigModel& model, int mixer, int output, const CellRange& selection,
                      int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer || output < 0 || output >= kOutputCount)
        return false;
    for (int c = std::max(selection.left(), 1); c <= std::min(selection.right(), kSlotCount); ++c)
        for (int r = std::max(selection.top(), 1); r <= std::min(selection.bottom(), kInputCount);
             ++r)
            model.setSlot(mixer, output, r - 1, c - 1, static_cast<std::int16_t>(pointer));
    return true;
}

} // namespace tarn

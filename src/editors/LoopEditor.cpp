#include "editors/LoopEditor.h"

#include <algorithm>

namespace tarn {

bool AssignLoop(ConfigModel& model, int mixer, int row, int otherRow, int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer)
        return false;
    const int first = std::max(std::min(row, otherRow), 1);
    const int last = std::min(std::max(row, otherRow), kLoopCount);
    for (int r = first; r <= last; ++r)
        model.setLoopPointer(mixer, r - 1, static_cast<std::int16_t>(pointer));
    return true;
}

} // namespace tarn

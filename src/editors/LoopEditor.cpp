#include "editors/LoopEditor.h"

#include <algorithm>

namespace tarn {

bool AssignLoop(ConfigModel& model, int mixer, int loop, int otherLoop, int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer)
        return false;
    const int first = std::max(std::min(loop, otherLoop), 0);
    const int last = std::min(std::max(loop, otherLoop), kLoopCount - 1);
    for (int l = first; l <= last; ++l)
        model.setLoopPointer(mixer, l, static_cast<std::int16_t>(pointer));
    return true;
}

} // namespace tarn

#include "editors/MeterEditor.h"

#include "model/MeterFile.h"

namespace tarn {

void applyMeterPosition(ConfigModel& model, int meter, int position)
{
    if (position == 0)
        model.setMeter(meter, kMeterDisabled);
    else if (position >= 1 && position <= kLastMeterSource + 1)
        model.setMeter(meter, static_cast<std::uint8_t>(position - 1));
}

} // namespace tarn

#include "model/MeterFile.h"

#include "model/Index.h"

namespace tarn {

void applyMeterFileBytes(ConfigModel& model, QByteArrayView bytes)
{
    if (bytes.size() == kMeterImageSize) {
        model.setMeterImage(bytes);
        return;
    }
    for (int i = 0; i < kMeterCount; ++i)
        model.setMeter(i, at(kDefaultMeters, i));
}

int meterPositionForByte(std::uint8_t value)
{
    return value <= kLastMeterSource ? value + 1 : 0;
}

} // namespace tarn

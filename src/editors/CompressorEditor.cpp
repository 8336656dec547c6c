#include "editors/CompressorEditor.h"

#include "model/CompressorFile.h"

#include <algorithm>

namespace tarn {

SpinnerRange spinnerRange(CompressorParam param)
{
    switch (param) {
    case CompressorParam::Attack:
    case CompressorParam::Decay:
        return {0, 7, 1};
    case CompressorParam::Hold:
        return {0, 1000, 10};
    case CompressorParam::Gain:
        return {-36, 36, 1};
    case CompressorParam::Threshold:
        return {-42, 0, 1};
    }
    return {};
}

CompressorWord compressorWordOf(CompressorParam param)
{
    switch (param) {
    case CompressorParam::Attack:
        return CompressorWord::Attack;
    case CompressorParam::Hold:
        return CompressorWord::Hold;
    case CompressorParam::Decay:
        return CompressorWord::Decay;
    case CompressorParam::Gain:
        return CompressorWord::Gain;
    case CompressorParam::Threshold:
        return CompressorWord::Threshold;
    }
    return CompressorWord::Attack;
}

void applyCompressorPosition(ConfigModel& model, CompressorParam param, int position)
{
    const SpinnerRange range = spinnerRange(param);
    position = std::clamp(position, range.minimum, range.maximum);
    const std::int32_t value =
        param == CompressorParam::Hold ? position * kHoldPerPosition : position;
    model.setCompressor(compressorWordOf(param), value);
}

CompressorPositions settleCompressor(ConfigModel& model, const CompressorPositions& before)
{
    CompressorPositions shown;
    for (const CompressorParam param : kCompressorParams) {
        const CompressorWord word = compressorWordOf(param);
        const SpinnerRange range = spinnerRange(param);
        std::int32_t value = model.compressor(word);
        int position = 0;
        if (param == CompressorParam::Hold) {
            value = std::clamp(value, 0, kHoldLoadMaximum);
            position = value / kHoldPerPosition;
        } else {
            value = std::clamp(value, range.minimum, range.maximum);
            position = value;
        }
        model.setCompressor(word, value);
        if (position != before[param])
            applyCompressorPosition(model, param, position);
        shown[param] = position;
    }
    return shown;
}

} // namespace tarn

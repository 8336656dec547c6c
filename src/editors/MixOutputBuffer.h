#pragma once

#include "model/ConfigModel.h"
#include "model/Index.h"

#include <array>
#include <cstdint>

namespace tarn {

// Per mixer, the 64 x 4 slots of one whole mix output, held in memory only.
class MixOutputBuffer
{
public:
    void copyFrom(const ConfigModel& model, int mixer, int output);
    void pasteInto(ConfigModel& model, int mixer, int output) const;
    void swapWith(ConfigModel& model, int mixer, int output);

    // Paste and swap are usable once something was copied on that mixer.
    bool isFilled(int mixer) const { return at(m_filled, mixer); }
    std::int16_t word(int mixer, int input, int slot) const;

private:
    using Words = std::array<std::int16_t, kSlotsPerOutput>;
    std::array<Words, kMixerCount> m_words{};
    std::array<bool, kMixerCount> m_filled{};
};

} // namespace tarn

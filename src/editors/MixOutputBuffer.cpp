#include "editors/MixOutputBuffer.h"

#include "model/Index.h"

#include <utility>

namespace tarn {

namespace {

std::size_t wordIndex(int input, int slot)
{
    return static_cast<std::size_t>(input * kSlotCount + slot);
}

} // namespace

void MixOutputBuffer::copyFrom(const ConfigModel& model, int mixer, int output)
{
    auto& words = at(m_words, mixer);
    for (int i = 0; i < kInputCount; ++i)
        for (int s = 0; s < kSlotCount; ++s)
            words[wordIndex(i, s)] = model.slot(mixer, output, i, s);
    at(m_filled, mixer) = true;
}

void MixOutputBuffer::pasteInto(ConfigModel& model, int mixer, int output) const
{
    if (!isFilled(mixer))
        return;
    const auto& words = at(m_words, mixer);
    for (int i = 0; i < kInputCount; ++i)
        for (int s = 0; s < kSlotCount; ++s)
            model.setSlot(mixer, output, i, s, words[wordIndex(i, s)]);
}

void MixOutputBuffer::swapWith(ConfigModel& model, int mixer, int output)
{
    if (!isFilled(mixer))
        return;
    auto& words = at(m_words, mixer);
    for (int i = 0; i < kInputCount; ++i) {
        for (int s = 0; s < kSlotCount; ++s) {
            const std::int16_t slot = model.slot(mixer, output, i, s);
            model.setSlot(mixer, output, i, s, words[wordIndex(i, s)]);
            words[wordIndex(i, s)] = slot;
        }
    }
}

std::int16_t MixOutputBuffer::word(int mixer, int input, int slot) const
{
    return at(m_words, mixer)[wordIndex(input, slot)];
}

} // namespace tarn

#include "model/ConfigModel.h"

#include "model/ByteOrder.h"

#include <algorithm>
#include <cstring>

#include <QtGlobal>

namespace tarn {

namespace {

bool validMixer(int mixer)
{
    return mixer >= 0 && mixer < kMixerCount;
}

template <std::size_t N> QByteArray toByteArray(const std::array<std::uint8_t, N>& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(N));
}

template <std::size_t N> void copyPrefix(std::array<std::uint8_t, N>& image, QByteArrayView bytes)
{
    const auto count = std::min<qsizetype>(bytes.size(), static_cast<qsizetype>(N));
    if (count > 0)
        std::memcpy(image.data(), bytes.data(), static_cast<std::size_t>(count));
}

} // namespace

ConfigModel::ConfigModel() = default;

std::int16_t ConfigModel::slot(int mixer, int output, int input, int slot) const
{
    Q_ASSERT(validMixer(mixer) && output >= 0 && output < kOutputCount && input >= 0 &&
             input < kInputCount && slot >= 0 && slot < kSlotCount);
    return readLE16(m_mix[mixer].data() + slotOffset(output, input, slot));
}

void ConfigModel::setSlot(int mixer, int output, int input, int slot, std::int16_t pointer)
{
    Q_ASSERT(validMixer(mixer) && output >= 0 && output < kOutputCount && input >= 0 &&
             input < kInputCount && slot >= 0 && slot < kSlotCount);
    writeLE16(m_mix[mixer].data() + slotOffset(output, input, slot), pointer);
}

std::int32_t ConfigModel::loopWord(int mixer, int loop) const
{
    Q_ASSERT(validMixer(mixer) && loop >= 0 && loop < kLoopCount);
    return readLE32(m_mix[mixer].data() + kLoopWordsOffset + 4 * loop);
}

void ConfigModel::setLoopWord(int mixer, int loop, std::int32_t word)
{
    Q_ASSERT(validMixer(mixer) && loop >= 0 && loop < kLoopCount);
    writeLE32(m_mix[mixer].data() + kLoopWordsOffset + 4 * loop, word);
}

std::int16_t ConfigModel::loopAssignment(int mixer, int loop) const
{
    Q_ASSERT(validMixer(mixer) && loop >= 0 && loop < kLoopCount);
    return m_loopAssignments[mixer][loop];
}

void ConfigModel::setLoopAssignment(int mixer, int loop, std::int16_t pointer)
{
    Q_ASSERT(validMixer(mixer) && loop >= 0 && loop < kLoopCount);
    m_loopAssignments[mixer][loop] = pointer;
}

void ConfigModel::setLoopPointer(int mixer, int loop, std::int16_t pointer)
{
    setLoopAssignment(mixer, loop, pointer);
    setLoopWord(mixer, loop, ClngEndian(pointer));
}

std::uint8_t ConfigModel::meter(int meter) const
{
    Q_ASSERT(meter >= 0 && meter < kMeterCount);
    return m_meters[meter];
}

void ConfigModel::setMeter(int meter, std::uint8_t value)
{
    Q_ASSERT(meter >= 0 && meter < kMeterCount);
    m_meters[meter] = value;
}

std::int32_t ConfigModel::compressorWord(int index) const
{
    Q_ASSERT(index >= 0 && index < kCompressorWordCount);
    return readLE32(m_compressor.data() + 4 * index);
}

void ConfigModel::setCompressorWord(int index, std::int32_t value)
{
    Q_ASSERT(index >= 0 && index < kCompressorWordCount);
    writeLE32(m_compressor.data() + 4 * index, value);
}

QByteArray ConfigModel::mixImage(int mixer) const
{
    Q_ASSERT(validMixer(mixer));
    return toByteArray(m_mix[mixer]);
}

void ConfigModel::setMixImage(int mixer, QByteArrayView bytes)
{
    Q_ASSERT(validMixer(mixer));
    copyPrefix(m_mix[mixer], bytes);
}

QByteArray ConfigModel::meterImage() const
{
    return toByteArray(m_meters);
}

void ConfigModel::setMeterImage(QByteArrayView bytes)
{
    copyPrefix(m_meters, bytes);
}

QByteArray ConfigModel::compressorImage() const
{
    return toByteArray(m_compressor);
}

void ConfigModel::setCompressorImage(QByteArrayView bytes)
{
    copyPrefix(m_compressor, bytes);
}

} // namespace tarn

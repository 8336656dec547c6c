#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarn {

inline constexpr int kMixerCount = 2;
inline constexpr int kOutputCount = 32;
inline constexpr int kInputCount = 64;
inline constexpr int kSlotCount = 4;
inline constexpr int kLoopCount = 8;
inline constexpr int kMeterCount = 16;

inline constexpr int kSlotsPerOutput = kInputCount * kSlotCount;
inline constexpr int kMixImageSize = 16416;
inline constexpr int kLoopWordsOffset = 16384;
inline constexpr int kMeterImageSize = 16;
inline constexpr int kCompressorWordCount = 320;
inline constexpr int kCompressorImageSize = kCompressorWordCount * 4;
inline constexpr int kGainTableSize = 256;
inline constexpr int kReservedFirstWord = 261;
inline constexpr int kReservedWordCount = 59;

inline constexpr int kMaxPointer = 32767;

// Word indexes of the named compressor parameters.
enum class CompressorWord : int {
    Attack = 256,
    Hold = 257,
    Decay = 258,
    Gain = 259,
    Threshold = 260
};

// The one record of configuration state. The three persistent blocks are held as the exact
// byte images of their files, so block access is byte-exact on any host; element access
// converts with explicit byte order.
class ConfigModel
{
public:
    ConfigModel();

    // Crosspoint slot (mixer 0..1, output 0..31, input 0..63, slot 0..3).
    std::int16_t slot(int mixer, int output, int input, int slot) const;
    void setSlot(int mixer, int output, int input, int slot, std::int16_t pointer);

    // The loop word as a little-endian host reads it from the image: ClngEndian of the pointer.
    std::int32_t loopWord(int mixer, int loop) const;
    void setLoopWord(int mixer, int loop, std::int32_t word);

    std::int16_t loopAssignment(int mixer, int loop) const;
    void setLoopAssignment(int mixer, int loop, std::int16_t pointer);
    // Sets both forms of a loop's pointer in step.
    void setLoopPointer(int mixer, int loop, std::int16_t pointer);

    std::uint8_t meter(int meter) const;
    void setMeter(int meter, std::uint8_t value);

    std::int32_t compressorWord(int index) const;
    void setCompressorWord(int index, std::int32_t value);
    std::int32_t compressor(CompressorWord word) const
    {
        return compressorWord(static_cast<int>(word));
    }
    void setCompressor(CompressorWord word, std::int32_t value)
    {
        setCompressorWord(static_cast<int>(word), value);
    }

    // File images. The setters copy at most the image size from the start of `bytes` and
    // leave the rest of the image as it was.
    QByteArray mixImage(int mixer) const;
    void setMixImage(int mixer, QByteArrayView bytes);
    QByteArray meterImage() const;
    void setMeterImage(QByteArrayView bytes);
    QByteArray compressorImage() const;
    void setCompressorImage(QByteArrayView bytes);

    // Takes the configuration blocks of `loaded` (slots, loops, meters, compressor); the values
    // of the current run stay as they are.
    void takeConfiguration(const ConfigModel& loaded)
    {
        m_mix = loaded.m_mix;
        m_loopAssignments = loaded.m_loopAssignments;
        m_meters = loaded.m_meters;
        m_compressor = loaded.m_compressor;
    }

    // Values of the current run.
    QString configFolder;
    QString captionBase;
    std::int16_t initialTabHeight = 0;
    std::int16_t initialTabWidth = 0;

    friend bool operator==(const ConfigModel& a, const ConfigModel& b)
    {
        return a.m_mix == b.m_mix && a.m_loopAssignments == b.m_loopAssignments &&
               a.m_meters == b.m_meters && a.m_compressor == b.m_compressor;
    }

private:
    std::array<std::array<std::uint8_t, kMixImageSize>, kMixerCount> m_mix{};
    std::array<std::array<std::int16_t, kLoopCount>, kMixerCount> m_loopAssignments{};
    std::array<std::uint8_t, kMeterImageSize> m_meters{};
    std::array<std::uint8_t, kCompressorImageSize> m_compressor{};
};

// Byte offset of a crosspoint slot within its mixer's image.
constexpr int slotOffset(int output, int input, int slot)
{
    return 2 * (output * kSlotsPerOutput + input * kSlotCount + slot);
}

} // namespace tarn

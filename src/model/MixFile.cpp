#include "model/MixFile.h"

#include "model/ByteOrder.h"
#include "model/Index.h"

namespace tarn {

MixLayout mixLayoutForLength(qint64 length)
{
    if (length == 0)
        return MixLayout::Empty;
    if (length == kLegacyMixFileSize)
        return MixLayout::Legacy;
    if (length == kMixImageSize)
        return MixLayout::Current;
    return length > kMixImageSize ? MixLayout::Longer : MixLayout::Shorter;
}

void applyMixFileBytes(ConfigModel& model, int mixer, QByteArrayView bytes)
{
    switch (mixLayoutForLength(bytes.size())) {
    case MixLayout::Empty:
        for (int o = 0; o < kOutputCount; ++o)
            for (int i = 0; i < kInputCount; ++i)
                for (int s = 1; s < kSlotCount; ++s)
                    model.setSlot(mixer, o, i, s, kUnityPointer);
        break;
    case MixLayout::Legacy: {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        for (int o = 0; o < kOutputCount; ++o) {
            for (int i = 0; i < kInputCount; ++i) {
                const int offset = 256 * o + 4 * i;
                model.setSlot(mixer, o, i, 0, readLE16(data + offset));
                model.setSlot(mixer, o, i, 1, readLE16(data + offset + 2));
                model.setSlot(mixer, o, i, 2, kUnityPointer);
                model.setSlot(mixer, o, i, 3, kUnityPointer);
            }
        }
        break;
    }
    case MixLayout::Current:
    case MixLayout::Longer:
    case MixLayout::Shorter:
        model.setMixImage(mixer, bytes);
        break;
    }
}

MixCheck checkMixSettings(ConfigModel& model, int mixer, const PointerHasEntry& crosspointSet,
                          const PointerHasEntry& loopSet)
{
    MixCheck check;
    // Read from one copy of the image: each slot is read once, before any repair can touch it,
    // and 8192 accessor calls per mixer would cost more than the check itself.
    const QByteArray image = model.mixImage(mixer);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.constData());
    for (int s = 0; s < kSlotCount; ++s) {
        for (int i = 0; i < kInputCount; ++i) {
            for (int o = 0; o < kOutputCount; ++o) {
                std::int16_t value = readLE16(bytes + slotOffset(o, i, s));
                if (value < 0) {
                    value = 0;
                    model.setSlot(mixer, o, i, s, value);
                    ++check.repairedSlots;
                }
                if (!crosspointSet(value))
                    check.invalidSlots.push_back({o, i, s, value});
            }
        }
    }
    for (int l = 0; l < kLoopCount; ++l) {
        const std::int32_t stored = ClngEndian(model.loopWord(mixer, l));
        const bool negative = stored < 0;
        // A pointer that no 16-bit loop assignment can hold is corrupt, even though 0 may
        // name an entry; a negative 16-bit one is repaired to 0 and checked like any other.
        const bool unrepresentable = stored > kMaxPointer || stored < INT16_MIN;
        const auto pointer = static_cast<std::int16_t>(negative || unrepresentable ? 0 : stored);
        if (negative || unrepresentable)
            ++check.repairedLoops;
        const bool invalid = unrepresentable || !loopSet(pointer);
        if (invalid) {
            check.invalidLoops.push_back({l, stored});
            at(check.loopInvalid, l) = true;
        }
        model.setLoopPointer(mixer, l, pointer);
    }
    return check;
}

QByteArray mixFileBytesForSave(const ConfigModel& model, int mixer, QByteArrayView existing)
{
    QByteArray bytes = model.mixImage(mixer);
    if (existing.size() > kMixImageSize)
        bytes.append(existing.sliced(kMixImageSize));
    return bytes;
}

} // namespace tarn

#pragma once

#include "model/ConfigModel.h"

#include <array>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>

namespace tarn {

inline constexpr int kLegacyMixFileSize = 8192;
inline constexpr std::int16_t kUnityPointer = 73;
inline constexpr std::int16_t kMutePointer = 0;

// How a mix file of a given length is read; recognised by length alone.
enum class MixLayout {
    Empty,   // 0 bytes: slots B..D become 73
    Legacy,  // 8192 bytes: slots A and B only, C and D become 73
    Current, // 16416 bytes
    Longer,  // more than 16416: the first 16416 are the image, the rest is carried on save
    Shorter, // any other length below 16416: the bytes it has, the rest of the image stays
};

MixLayout mixLayoutForLength(qint64 length);

// Reads a mix file's bytes into mixer `mixer` of the model according to its layout.
void applyMixFileBytes(ConfigModel& model, int mixer, QByteArrayView bytes);

struct InvalidSlot
{
    int output = 0;
    int input = 0;
    int slot = 0;
    std::int16_t pointer = 0;
};

struct InvalidLoop
{
    int loop = 0;
    std::int32_t pointer = 0; // as stored, before any repair
};

struct MixCheck
{
    std::vector<InvalidSlot> invalidSlots;
    std::vector<InvalidLoop> invalidLoops;
    int repairedSlots = 0; // negative slots set to 0
    int repairedLoops = 0; // loop pointers outside 0..32767 set to 0
    std::array<bool, kLoopCount> loopInvalid{};

    bool anyInvalid() const { return !invalidSlots.empty() || !invalidLoops.empty(); }
};

// The load-time check of one mixer: negative slots become 0, slots without an entry in the
// crosspoint set are noted; each loop's pointer is read through ClngEndian and repaired to 0
// when negative, checked against the loop set and written back in both forms. A loop pointer
// outside the 16-bit range is held as 0 and always noted as invalid.
// Whether a control set has an entry for a pointer 0..32767; the model knows no control sets.
using PointerHasEntry = std::function<bool(int pointer)>;

MixCheck checkMixSettings(ConfigModel& model, int mixer, const PointerHasEntry& crosspointSet,
                          const PointerHasEntry& loopSet);

// The bytes a save writes: the mixer's image, followed by whatever the existing file held
// beyond the image.
QByteArray mixFileBytesForSave(const ConfigModel& model, int mixer, QByteArrayView existing);

} // namespace tarn

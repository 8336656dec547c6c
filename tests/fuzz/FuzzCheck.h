#pragma once

#include "model/ByteOrder.h"
#include "model/ConfigModel.h"

#include <cstdio>
#include <cstdlib>

// An invariant every input must keep; a violation aborts, which libFuzzer reports as a crash
// and saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant violated: %s\n", __FILE__, __LINE__,            \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// What every model the editor can hold keeps: slots and loop pointers in 0..32767 (every slot
// read straight from the image a save writes), each loop word the byte-reversed assignment.
__attribute__((no_sanitize("coverage"))) inline void
checkMixerInRange(const tarn::ConfigModel& model, int mixer)
{
    const QByteArray image = model.mixImage(mixer);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.constData());
    for (int offset = 0; offset < tarn::kLoopWordsOffset; offset += 2)
        FUZZ_CHECK(tarn::readLE16(bytes + offset) >= 0);
    for (int l = 0; l < tarn::kLoopCount; ++l) {
        const std::int16_t pointer = model.loopAssignment(mixer, l);
        FUZZ_CHECK(pointer >= 0);
        FUZZ_CHECK(tarn::ClngEndian(model.loopWord(mixer, l)) == pointer);
    }
}

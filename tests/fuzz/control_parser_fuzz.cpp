// libFuzzer target for the control description parser; CMake does not build it. From the
// repository root:
//   clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -Isrc \
//     tests/fuzz/control_parser_fuzz.cpp src/controls/*.cpp src/model/Windows1252.cpp \
//     $(pkg-config --cflags --libs Qt6Core) -o control_parser_fuzz
//   mkdir -p /tmp/corpus && ./control_parser_fuzz -max_total_time=60 \
//     -dict=tests/fuzz/control_parser.dict /tmp/corpus tests/fuzz/corpus/control
#include "controls/ControlParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The map invariants every parse must leave, whatever the input.
void checkMaps(const tarn::ControlSet& set)
{
    if (set.entryCount() > tarn::kMaxEntries || set.NodeToPointer(0) != -1)
        std::abort();
    for (int p = 0; p < tarn::kPointerSlots; ++p) {
        const int index = set.PointerToNode(p);
        if (index > set.entryCount() || (index != 0 && set.NodeToPointer(index) < p))
            std::abort();
    }
    for (int index = 1; index <= set.entryCount(); ++index) {
        const tarn::ControlNode& node = set.entry(index);
        const int p = set.NodeToPointer(index);
        if ((p >= 0 && set.PointerToNode(p) != index) || node.parent >= index || node.line < 1)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto set = std::make_unique<tarn::ControlSet>();
    const tarn::ControlFileResult result = tarn::parseControlDescription(bytes, *set);
    if (!set->loaded || result.diagnostics.size() > 1001)
        std::abort();
    checkMaps(*set);
    const double number = tarn::leadingNumber(bytes);
    if (tarn::roundHalfEven(number) != tarn::roundHalfEven(number))
        std::abort();
    return 0;
}

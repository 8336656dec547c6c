// libFuzzer target for the control description parser: any bytes as one description file.
#include "FuzzCheck.h"
#include "controls/ControlParser.h"
#include "controls/NumberConversion.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

using tarn::ControlSet;

// The tree the parser built: indexes in file order, parents before children, depths and child
// lists consistent.
__attribute__((no_sanitize("coverage"), flatten)) void checkTree(const ControlSet& set)
{
    FUZZ_CHECK(set.entryCount() <= tarn::kMaxEntries);
    std::size_t roots = 0;
    int lastLine = 1;
    for (int index = 1; index <= set.entryCount(); ++index) {
        const tarn::ControlNode& node = set.entry(index);
        FUZZ_CHECK(node.index == index);
        FUZZ_CHECK(node.parent >= 0 && node.parent < index);
        FUZZ_CHECK(node.line >= lastLine);
        lastLine = node.line;
        if (node.parent == 0) {
            FUZZ_CHECK(node.depth == 0);
            FUZZ_CHECK(roots < set.roots().size() && set.roots()[roots] == index);
            ++roots;
        } else {
            const tarn::ControlNode& parent = set.entry(node.parent);
            FUZZ_CHECK(node.depth == parent.depth + 1);
            FUZZ_CHECK(!parent.children.empty());
        }
        for (const int child : node.children)
            FUZZ_CHECK(child > index && child <= set.entryCount() &&
                       set.entry(child).parent == index);
    }
    FUZZ_CHECK(roots == set.roots().size());
}

// The two maps agree: a pointer's entry keeps the highest pointer that names it, so an entry
// whose pointer a later entry took keeps another one or -1, and an entry with -1 is named by
// no pointer.
// Not instrumented: a walk over all 32768 pointers would otherwise cost more than the parse.
__attribute__((no_sanitize("coverage"), flatten)) void checkMaps(const ControlSet& set)
{
    FUZZ_CHECK(set.NodeToPointer(0) == -1);
    FUZZ_CHECK(set.NodeToPointer(set.entryCount() + 1) == -1);
    FUZZ_CHECK(set.NodeToPointer(tarn::kPointerSlots - 1) == -1 ||
               set.entryCount() == tarn::kPointerSlots - 1);
    FUZZ_CHECK(set.PointerToNode(-1) == 0 && set.PointerToNode(tarn::kPointerSlots) == 0);
    for (int p = 0; p < tarn::kPointerSlots; ++p) {
        const int index = set.PointerToNode(p);
        if (index == 0)
            continue;
        FUZZ_CHECK(index >= 1 && index <= set.entryCount());
        const int highest = set.NodeToPointer(index);
        FUZZ_CHECK(highest >= p);
        FUZZ_CHECK(set.PointerToNode(highest) == index);
    }
    for (int index = 1; index <= set.entryCount(); ++index) {
        const int p = set.NodeToPointer(index);
        FUZZ_CHECK(p >= -1 && p < tarn::kPointerSlots);
        if (p >= 0) {
            FUZZ_CHECK(set.PointerToNode(p) == index);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ControlSet set;
    const tarn::ControlFileResult result = tarn::parseControlDescription(bytes, set);
    FUZZ_CHECK(set.loaded && result.opened && result.error.isEmpty());
    FUZZ_CHECK(result.diagnostics.size() <= 1001);
    FUZZ_CHECK(!result.truncated || set.entryCount() == tarn::kMaxEntries);
    checkTree(set);
    checkMaps(set);

    const double number = tarn::leadingNumber(bytes);
    FUZZ_CHECK(!std::isnan(number));
    const double rounded = tarn::roundHalfEven(number);
    FUZZ_CHECK(std::isinf(number) || std::fabs(rounded - number) <= 0.5);
    return 0;
}

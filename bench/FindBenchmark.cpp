#include "MaximalFolder.h"
#include "controls/ControlParser.h"
#include "controls/ControlSearch.h"
#include "controls/ControlSet.h"
#include "model/FolderFiles.h"

#include <chrono>
#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tarn::bench {
namespace {

// Control set 0 of the maximal folder: 32767 entries.
const ControlSet& maximalSet()
{
    static const std::unique_ptr<ControlSet> set = [] {
        QTemporaryDir dir;
        writeMaximalFolder(dir.path());
        QFile file(controlFilePath(dir.path(), 0));
        auto parsed = std::make_unique<ControlSet>();
        if (file.open(QIODevice::ReadOnly))
            parseControlDescription(file.readAll(), *parsed);
        return parsed;
    }();
    return *set;
}

// The floor: one pass that only reads every entry's text, as any search must.
double floorMilliseconds(const ControlSet& set)
{
    const auto start = std::chrono::steady_clock::now();
    qsizetype total = 0;
    for (int repeat = 0; repeat < 20; ++repeat)
        for (int index = 1; index <= set.entryCount(); ++index)
            total += set.textBytes(index).size();
    benchmark::DoNotOptimize(total);
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / 20;
}

// One keystroke in the find field: a new text searched over the whole set. The target is under
// 10 ms a keystroke; "x_floor" says how many plain passes over the texts one search costs.
void BM_FindKeystroke(benchmark::State& state, const char* text)
{
    const ControlSet& set = maximalSet();
    if (set.entryCount() < kMaxEntries)
        state.SkipWithError("the maximal set was not built");
    const ControlSearch search(set);
    const QString query = QString::fromLatin1(text);
    std::size_t found = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        found = search.find(query).size();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    const double perKey = spent.count() / static_cast<double>(state.iterations());
    const double floor = floorMilliseconds(set);
    state.counters["entries"] = set.entryCount();
    state.counters["matches"] = static_cast<double>(found);
    state.counters["ms_per_key"] = perKey;
    state.counters["floor_ms"] = floor;
    state.counters["x_floor"] = perKey / floor;
}
// Every entry matches "o" ("Group", "Control"); "CONTROL 2000" some; "#16383" is one pointer.
BENCHMARK_CAPTURE(BM_FindKeystroke, EveryEntry, "o")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindKeystroke, Word, "CONTROL 2000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindKeystroke, NoMatch, "zzzzzzzz")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindKeystroke, Pointer, "#16383")->Unit(benchmark::kMillisecond);

void BM_FindPrepare(benchmark::State& state)
{
    const ControlSet& set = maximalSet();
    for (auto _ : state)
        benchmark::DoNotOptimize(ControlSearch(set).treeOrder().size());
}
BENCHMARK(BM_FindPrepare)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarn::bench

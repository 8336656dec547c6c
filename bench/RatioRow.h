#pragma once

#include <algorithm>
#include <chrono>
#include <limits>

#include <benchmark/benchmark.h>

namespace tarn::bench {

// Times `work` and its floor alternately in every iteration, so both see the same machine
// load, and reports the fastest run of each and their ratio as counters.
template <typename Work, typename Floor>
void measureAgainstFloor(benchmark::State& state, Work&& work, Floor&& floor)
{
    using Clock = std::chrono::steady_clock;
    double bestWork = std::numeric_limits<double>::max();
    double bestFloor = std::numeric_limits<double>::max();
    for (auto _ : state) {
        auto start = Clock::now();
        work();
        const double workSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        start = Clock::now();
        floor();
        const double floorSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(workSeconds);
        bestWork = std::min(bestWork, workSeconds);
        bestFloor = std::min(bestFloor, floorSeconds);
    }
    state.counters["work_ms"] = bestWork * 1e3;
    state.counters["floor_ms"] = bestFloor * 1e3;
    state.counters["ratio"] = bestWork / bestFloor;
}

} // namespace tarn::bench

#!/bin/sh
# Builds the Release benchmarks and runs them; extra arguments go to Google Benchmark
# (for example --benchmark_filter=Parse).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF \
    -DTARN_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench --target tarn_bench tarn_make_folder
QT_QPA_PLATFORM=offscreen build/bench/bench/tarn_bench --benchmark_counters_tabular=true "$@"

#include "BenchFolders.h"
#include "RatioRow.h"
#include "app/LoadSequence.h"
#include "controls/ControlParser.h"
#include "controls/LineReader.h"
#include "model/FolderFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tarn::bench {
namespace {

QByteArray maximalControlBytes()
{
    QFile file(controlFilePath(maximalFolder(), 0));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the control file");
    return file.readAll();
}

// Parsing one 32767-entry file against splitting the same bytes into lines.
void BM_ParseMaximalControlFile(benchmark::State& state)
{
    const QByteArray bytes = maximalControlBytes();
    measureAgainstFloor(
        state,
        [&] {
            auto set = std::make_unique<ControlSet>();
            benchmark::DoNotOptimize(parseControlDescription(bytes, *set));
            benchmark::DoNotOptimize(set.get());
        },
        [&] {
            LineReader lines(bytes);
            QByteArrayView line;
            qsizetype total = 0;
            while (lines.next(line))
                total += line.size();
            benchmark::DoNotOptimize(total);
        });
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseMaximalControlFile)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadMaximalFolder(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadSequence(maximalFolder(), MissingFiles::Leave));
}
BENCHMARK(BM_LoadMaximalFolder)->Unit(benchmark::kMillisecond);

void BM_SaveAll(benchmark::State& state)
{
    const auto load = LoadSequence(maximalFolder(), MissingFiles::Leave);
    QTemporaryDir target;
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAll(load->model, target.path()));
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

// A save that changes a byte keeps the versions it replaces; its floor is the same save that
// changes nothing, which keeps none.
void BM_SaveKeepingHistory(benchmark::State& state)
{
    const auto load = LoadSequence(maximalFolder(), MissingFiles::Leave);
    QTemporaryDir target;
    ConfigModel model = load->model;
    std::uint8_t meter = 0;
    measureAgainstFloor(
        state,
        [&] {
            model.setMeter(0, ++meter);
            benchmark::DoNotOptimize(SaveAll(model, target.path()));
        },
        [&] { benchmark::DoNotOptimize(SaveAll(model, target.path())); });
}
BENCHMARK(BM_SaveKeepingHistory)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
} // namespace tarn::bench

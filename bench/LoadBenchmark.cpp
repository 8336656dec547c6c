#include "MaximalFolder.h"
#include "app/LoadSequence.h"
#include "controls/ControlParser.h"
#include "model/FolderFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tarn::bench {
namespace {

QString maximalFolder()
{
    static QTemporaryDir dir;
    static const bool written = (writeMaximalFolder(dir.path()), true);
    (void)written;
    return dir.path();
}

void BM_ParseMaximalControlFile(benchmark::State& state)
{
    QFile file(controlFilePath(maximalFolder(), 0));
    if (!file.open(QIODevice::ReadOnly))
        state.SkipWithError("cannot read the control file");
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        auto set = std::make_unique<ControlSet>();
        benchmark::DoNotOptimize(parseControlDescription(bytes, *set));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseMaximalControlFile)->Unit(benchmark::kMillisecond);

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

} // namespace
} // namespace tarn::bench

BENCHMARK_MAIN();

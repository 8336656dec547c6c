#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tarn::bench {
void closeEditor();
}

// The grid benchmarks need widgets; without a display they paint offscreen.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder; the started editors inherit it.
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // Saves keep the versions they replace in the user's data folder: the run's own one.
    qputenv("XDG_DATA_HOME", QFile::encodeName(runtime.path() + QStringLiteral("/data")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(runtime.path() + QStringLiteral("/state")));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    tarn::bench::closeEditor();
    benchmark::Shutdown();
    return 0;
}

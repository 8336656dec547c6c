#include "BenchFolders.h"
#include "RatioRow.h"
#include "model/FolderFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

extern char** environ;

namespace tarn::bench {
namespace {

// Runs a program to its end with its output thrown away. (Its peak memory is measured with
// /usr/bin/time instead: a spawned child's maxrss also counts this process's memory.)
void runProgram(const std::vector<QByteArray>& arguments,
                const std::vector<QByteArray>& extraEnv = {})
{
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e)
        envp.push_back(*e);
    for (const QByteArray& e : extraEnv)
        envp.push_back(const_cast<char*>(e.constData()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        qFatal("cannot start %s", argv[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", argv[0]);
}

std::vector<QByteArray> catOf(const QStringList& files)
{
    std::vector<QByteArray> arguments{"/bin/cat"};
    for (const QString& file : files)
        arguments.push_back(QFile::encodeName(file));
    return arguments;
}

QStringList filesOf(const QString& folder)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files << QDir(folder).filePath(name);
    return files;
}

void measureProcess(benchmark::State& state, const std::vector<QByteArray>& program,
                    const std::vector<QByteArray>& floor,
                    const std::vector<QByteArray>& programEnv = {},
                    const std::vector<QByteArray>& floorEnv = {})
{
    measureAgainstFloor(
        state, [&] { runProgram(program, programEnv); }, [&] { runProgram(floor, floorEnv); });
}

void BM_TarnctlControlsJson(benchmark::State& state)
{
    const QString file = controlFilePath(maximalFolder(), 0);
    measureProcess(state, {TARN_TARNCTL, "controls", QFile::encodeName(file), "--json"},
                   catOf({file}));
}
BENCHMARK(BM_TarnctlControlsJson)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_TarnctlExport(benchmark::State& state)
{
    const QString& folder = maximalFolder();
    measureProcess(state, {TARN_TARNCTL, "export", QFile::encodeName(folder)},
                   catOf(filesOf(folder)));
}
BENCHMARK(BM_TarnctlExport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The HTML report against the JSON export of the same folder, with the page's size.
void BM_TarnctlReport(benchmark::State& state)
{
    const QByteArray folder = QFile::encodeName(maximalFolder());
    measureProcess(state, {TARN_TARNCTL, "report", folder}, {TARN_TARNCTL, "export", folder});
    const QString page = QDir(maximalFolder()).filePath(QStringLiteral("../report.html"));
    runProgram({TARN_TARNCTL, "report", folder, "-o", QFile::encodeName(page)});
    state.counters["MB"] = static_cast<double>(QFileInfo(page).size()) / 1e6;
}
BENCHMARK(BM_TarnctlReport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The editor from its start to the first painted grid, on the maximal folder against the tiny
// one; settings go to a scratch home so that the remembered folder of the user stays.
void BM_EditorStartup(benchmark::State& state)
{
    static QTemporaryDir home;
    const std::vector<QByteArray> env{"QT_QPA_PLATFORM=offscreen",
                                      "TARNCONFIG_QUIT_AFTER_FIRST_PAINT=1",
                                      "XDG_CONFIG_HOME=" + QFile::encodeName(home.path())};
    measureProcess(state, {TARN_TARNCONFIG, QFile::encodeName(maximalFolder())},
                   {TARN_TARNCONFIG, QFile::encodeName(tinyFolder())}, env, env);
}
BENCHMARK(BM_EditorStartup)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

} // namespace
} // namespace tarn::bench

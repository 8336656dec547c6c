#include "TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// A run of the real editor that ends before any window, with its own per-user settings place.
struct StartRow
{
    const char* id;
    const char* argument; // "%F" stands for the test's folder; empty: none
    bool display;         // whether the offscreen platform is offered
    int exitCode;
    QStringList expected; // each must appear in the one line, on stderr for status 2
};

using StartupErrorsTest = ::testing::TestWithParam<StartRow>;

QStringList filesUnder(const QString& path)
{
    QStringList files;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

TEST_P(StartupErrorsTest, OneLineExitStatusAndNothingWritten)
{
    const StartRow& row = GetParam();
    const TestFolder folder;
    const QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path() + "/config");
    // Qt's own complaint about a missing runtime folder is not the editor's message.
    const QString runtime = home.path() + "/runtime";
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert("XDG_RUNTIME_DIR", runtime);
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (row.display)
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    folder.write("plain.txt", "x");
    const QStringList before = filesUnder(folder.path());

    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(home.path());
    const QString argument = QString(row.argument).replace("%F", folder.path());
    editor.start(TARNCONFIG_PATH, argument.isEmpty() ? QStringList() : QStringList{argument});
    ASSERT_TRUE(editor.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(editor.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(editor.readAllStandardError());

    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), row.exitCode);
    const QString& line = row.exitCode == 2 ? err : out;
    EXPECT_EQ(row.exitCode == 2 ? out : err, "");
    if (row.exitCode == 2) {
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    }
    for (const QString& text : row.expected)
        EXPECT_TRUE(line.contains(text)) << line.toStdString();
    EXPECT_EQ(filesUnder(folder.path()), before);
    // No settings were written: the remembered folder stays as it was.
    EXPECT_EQ(filesUnder(home.path() + "/config"), QStringList());
}

const StartRow kStarts[] = {
    {"MissingFolder", "%F/no/such", true, 2, {"/no/such\"", "does not exist"}},
    {"FileNotFolder", "%F/plain.txt", true, 2, {"plain.txt\"", "is not a folder"}},
    {"NoDisplay", "%F", false, 2, {"needs a display", "tarnctl"}},
    // Help and the version need no display.
    {"HelpWithoutDisplay", "--help", false, 0, {"Usage: ", "[FOLDER]"}},
    {"VersionWithoutDisplay", "--version", false, 0, {"tarnconfig " TARN_VERSION "\n"}},
};

INSTANTIATE_TEST_SUITE_P(Starts, StartupErrorsTest, ::testing::ValuesIn(kStarts),
                         [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

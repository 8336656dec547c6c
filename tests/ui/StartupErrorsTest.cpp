#include "TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

struct StartRow
{
    const char* id;
    // The argument, given the test's folder; empty: none.
    QString (*argument)(const TestFolder& folder);
    bool display;         // whether the offscreen platform is offered
    QStringList expected; // each must appear in the one line on stderr
};

class StartupErrorsTest : public ::testing::TestWithParam<StartRow>
{
protected:
    TestFolder folder;
    QTemporaryDir home;
};

QStringList filesUnder(const QString& path)
{
    QStringList files;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// The real editor, with its own per-user settings place, so that nothing there is touched.
TEST_P(StartupErrorsTest, OneLineOnStandardErrorExitTwoAndNothingWritten)
{
    const StartRow& row = GetParam();
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
    if (row.display)
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    else
        environment.remove("QT_QPA_PLATFORM");
    folder.write("plain.txt", "x");
    const QStringList before = filesUnder(folder.path());

    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(home.path());
    const QString argument = row.argument(folder);
    editor.start(QStringLiteral(TARNCONFIG_PATH),
                 argument.isEmpty() ? QStringList() : QStringList{argument});
    ASSERT_TRUE(editor.waitForFinished(30000));
    const QString err = QString::fromLocal8Bit(editor.readAllStandardError());

    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 2);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    for (const QString& text : row.expected)
        EXPECT_TRUE(err.contains(text)) << err.toStdString();
    EXPECT_EQ(filesUnder(folder.path()), before);
    // No settings were written: the remembered folder stays as it was.
    EXPECT_EQ(filesUnder(home.path() + "/config"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartupErrorsTest,
    ::testing::Values(StartRow{"MissingFolder",
                               [](const TestFolder& f) { return f.path() + "/no/such"; },
                               true,
                               {"/no/such\"", "does not exist"}},
                      StartRow{"FileNotFolder",
                               [](const TestFolder& f) { return f.path() + "/plain.txt"; },
                               true,
                               {"plain.txt\"", "is not a folder"}},
                      StartRow{"NoDisplay",
                               [](const TestFolder& f) { return f.path(); },
                               false,
                               {"needs a display", "tarnctl"}},
                      StartRow{"NoDisplayNoFolder",
                               [](const TestFolder&) { return QString(); },
                               false,
                               {"needs a display"}}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/QtPlatform.h"

#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace {

constexpr char kApplicationName[] = "Tarnconfig";

// The dialogs belong to the window, which needs them from its construction on; they are
// opened with whatever window owns them by the time they are shown.
class WindowDialogs final : public tarn::FolderChooser, public tarn::MessageBoxes
{
public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    QString chooseFolder(const QString& prompt, const QString& start) override
    {
        return tarn::QtFolderChooser(m_owner).chooseFolder(prompt, start);
    }
    void showOk(const QString& text) override { tarn::QtMessageBoxes(m_owner).showOk(text); }
    bool askYesNo(const QString& text) override
    {
        return tarn::QtMessageBoxes(m_owner).askYesNo(text);
    }

private:
    QWidget* m_owner = nullptr;
};

// The one description of the command line.
void describeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Editor for the configuration folder of a Quorlan Tarn unit."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("folder"),
        QStringLiteral("Configuration folder to open instead of asking for one."),
        QStringLiteral("[FOLDER]"));
}

// Help and the version need no display, so they are answered before any widget machinery
// starts. Other faults wait for the full parse: Qt's own options are not known yet.
void answerWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication commandLine(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnconfig"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARN_VERSION));
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

// The folder named on the command line, if any; usage errors end the program here.
QString folderArgument(const QCoreApplication& app)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() > 1) {
        std::fputs("tarnconfig: give at most one folder\n", stderr);
        parser.showHelp(1);
    }
    // Remembered like a choice in the dialog, so it is kept as a full path.
    return arguments.isEmpty()
               ? QString()
               : QDir::toNativeSeparators(QFileInfo(arguments.first()).absoluteFilePath());
}

// The icon theme's copy where the package installed one, else the one built in.
QIcon applicationIcon()
{
    QIcon builtIn;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        builtIn.addFile(QStringLiteral(":/icons/%1x%1/apps/" TARN_APP_ID ".png").arg(size),
                        QSize(size, size));
    }
    return QIcon::fromTheme(QStringLiteral(TARN_APP_ID), builtIn);
}

} // namespace

int main(int argc, char* argv[])
{
    answerWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kApplicationName));
    QApplication::setApplicationDisplayName(QLatin1String(kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(TARN_VERSION));
    // Lets the desktop match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARN_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    const QString folder = folderArgument(app);

    tarn::QtSettingsStore settings;
    WindowDialogs dialogs;
    tarn::Form1 window({settings, dialogs, dialogs});
    dialogs.setOwner(&window);
    if (!window.start(folder))
        return 0;
    return QApplication::exec();
}

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

// The folder named on the command line, if any; help and usage errors end the program here.
QString folderArgument(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Editor for the configuration folder of a Quorlan Tarn unit."));
    parser.addHelpOption();
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("Displays version information.")));
    parser.addPositionalArgument(
        QStringLiteral("folder"),
        QStringLiteral("Configuration folder to open instead of asking for one."),
        QStringLiteral("[FOLDER]"));
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

enum class EarlyAnswer { None, Help, Version };

// Help and version need no display, so they are given before any widget machinery starts.
EarlyAnswer earlyAnswer(int argc, char* argv[])
{
    for (int k = 1; k < argc; ++k) {
        const QByteArray argument(argv[k]);
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument == "--help-all")
            return EarlyAnswer::Help;
        if (argument == "-v" || argument == "--version")
            return EarlyAnswer::Version;
    }
    return EarlyAnswer::None;
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
    switch (earlyAnswer(argc, argv)) {
    case EarlyAnswer::Version:
        std::fputs("tarnconfig " TARN_VERSION "\n", stdout);
        return 0;
    case EarlyAnswer::Help: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QLatin1String(kApplicationName));
        folderArgument(app);
        return 0;
    }
    case EarlyAnswer::None:
        break;
    }
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

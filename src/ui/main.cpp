#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/QtPlatform.h"

#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTableView>

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

// Platforms that draw without a display server of the desktop.
bool platformNeedsNoDisplay(const QString& platform)
{
    static const QStringList kOwnScreen = {
        QStringLiteral("offscreen"), QStringLiteral("minimal"), QStringLiteral("vnc"),
        QStringLiteral("linuxfb"),   QStringLiteral("eglfs"),   QStringLiteral("vkkhrdisplay"),
        QStringLiteral("windows"),   QStringLiteral("cocoa")};
    return kOwnScreen.contains(platform.section(QLatin1Char(':'), 0, 0));
}

// Whether the window can be shown at all. Checked before QApplication, which would abort with
// Qt's own advice when no platform plugin finds a display.
bool hasDisplay(int argc, char* argv[])
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    (void)argc;
    (void)argv;
    return true;
#else
    QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int k = 1; k + 1 < argc; ++k) {
        if (QByteArray(argv[k]) == "-platform")
            platforms = QString::fromLocal8Bit(argv[k + 1]);
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platforms.isEmpty())
        return x11 || wayland;
    for (const QString& platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (platformNeedsNoDisplay(platform) ||
            (platform.startsWith(QLatin1String("xcb")) && x11) ||
            (platform.startsWith(QLatin1String("wayland")) && wayland))
            return true;
    }
    return false;
#endif
}

// Why a folder named on the command line cannot be opened, or empty when it can.
QString folderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("Cannot open the folder \"%1\": it does not exist").arg(folder);
    if (!info.isDir())
        return QStringLiteral("Cannot open the folder \"%1\": it is not a folder").arg(folder);
    return {};
}

// For start-up benchmarks: with TARNCONFIG_QUIT_AFTER_FIRST_PAINT=1 the program ends, without
// the exit question, once the first crosspoint grid has painted its cells.
class QuitAfterFirstPaint final : public QObject
{
public:
    static void watch(const QWidget& window)
    {
        if (qEnvironmentVariableIntValue("TARNCONFIG_QUIT_AFTER_FIRST_PAINT") != 1)
            return;
        if (auto* grid = window.findChild<QTableView*>(QStringLiteral("CrossPointGrid_0")))
            grid->viewport()->installEventFilter(new QuitAfterFirstPaint(grid->viewport()));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The paint runs after this returns; the exit waits for it in the event queue.
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    explicit QuitAfterFirstPaint(QObject* parent) : QObject(parent) {}
};

} // namespace

int main(int argc, char* argv[])
{
    answerWithoutDisplay(argc, argv);
    if (!hasDisplay(argc, argv)) {
        std::fputs("tarnconfig: the editor needs a display, and none was found (DISPLAY and "
                   "WAYLAND_DISPLAY are not set); tarnctl works without one\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kApplicationName));
    QApplication::setApplicationDisplayName(QLatin1String(kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(TARN_VERSION));
    // Lets the desktop match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARN_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    const QString folder = folderArgument(app);
    // A wrong folder ends the program before anything is read, created or remembered.
    if (const QString problem = folderProblem(folder); !folder.isEmpty() && !problem.isEmpty()) {
        std::fprintf(stderr, "tarnconfig: %s\n", qPrintable(problem));
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            QMessageBox::critical(nullptr, QLatin1String(kApplicationName), problem);
        return 2;
    }

    tarn::QtSettingsStore settings;
    WindowDialogs dialogs;
    tarn::Form1 window({settings, dialogs, dialogs});
    dialogs.setOwner(&window);
    QuitAfterFirstPaint::watch(window);
    if (!window.start(folder))
        return 0;
    if (const QScreen* screen = window.screen())
        window.fitToScreen(screen->availableGeometry());
    return QApplication::exec();
}

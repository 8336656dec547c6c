#include "app/EditorCommandLine.h"
#include "app/Platform.h"
#include "app/QtSettingsStore.h"
#include "ui/Form1.h"
#include "ui/QtPlatform.h"

#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTableView>

namespace {

constexpr char kApplicationName[] = "Tarnconfig";

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
    tarn::answerWithoutDisplay(argc, argv, QStringLiteral(TARN_VERSION));
    if (!tarn::hasDisplay(argc, argv)) {
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
    const QString folder = tarn::folderArgument(app);
    // A wrong folder ends the program before anything is read, created or remembered.
    if (const QString problem = tarn::folderProblem(folder);
        !folder.isEmpty() && !problem.isEmpty()) {
        std::fprintf(stderr, "tarnconfig: %s\n", qPrintable(problem));
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            QMessageBox::critical(nullptr, QLatin1String(kApplicationName), problem);
        return 2;
    }

    tarn::QtSettingsStore settings;
    tarn::QtFolderChooser chooser;
    tarn::QtMessageBoxes messages;
    tarn::Form1 window({settings, chooser, messages});
    chooser.setOwner(&window);
    messages.setOwner(&window);
    QuitAfterFirstPaint::watch(window);
    if (!window.start(folder)) {
        if (!window.declinedFolder())
            return 0;
        std::fprintf(stderr,
                     "tarnconfig: nothing was created in \"%s\", which holds no "
                     "configuration files\n",
                     qPrintable(folder));
        return 2;
    }
    if (const QScreen* screen = window.screen())
        window.fitToScreen(screen->availableGeometry());
    return QApplication::exec();
}

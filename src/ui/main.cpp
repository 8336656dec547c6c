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
#include <QTableWidget>

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

// Help needs no display, so it is given before any widget machinery starts.
bool asksForHelp(int argc, char* argv[])
{
    for (int k = 1; k < argc; ++k) {
        const QByteArray argument(argv[k]);
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument == "--help-all")
            return true;
    }
    return false;
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
        if (auto* grid = window.findChild<QTableWidget*>(QStringLiteral("CrossPointGrid_0")))
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
    if (asksForHelp(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QLatin1String(kApplicationName));
        folderArgument(app);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kApplicationName));
    QApplication::setApplicationDisplayName(QLatin1String(kApplicationName));
    const QString folder = folderArgument(app);

    tarn::QtSettingsStore settings;
    WindowDialogs dialogs;
    tarn::Form1 window({settings, dialogs, dialogs});
    dialogs.setOwner(&window);
    QuitAfterFirstPaint::watch(window);
    if (!window.start(folder))
        return 0;
    return QApplication::exec();
}

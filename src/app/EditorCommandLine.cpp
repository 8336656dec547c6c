#include "app/EditorCommandLine.h"

#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tarn {

namespace {

// Platforms that draw without a display server of the desktop.
bool platformNeedsNoDisplay(const QString& platform)
{
    static const QStringList kOwnScreen = {
        QStringLiteral("offscreen"), QStringLiteral("minimal"), QStringLiteral("vnc"),
        QStringLiteral("linuxfb"),   QStringLiteral("eglfs"),   QStringLiteral("vkkhrdisplay"),
        QStringLiteral("windows"),   QStringLiteral("cocoa")};
    return kOwnScreen.contains(platform.section(QLatin1Char(':'), 0, 0));
}

} // namespace

void describeEditorCommandLine(QCommandLineParser& parser)
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

void answerWithoutDisplay(int argc, char* argv[], const QString& version)
{
    QCoreApplication commandLine(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnconfig"));
    QCoreApplication::setApplicationVersion(version);
    QCommandLineParser parser;
    describeEditorCommandLine(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

QString folderArgument(const QCoreApplication& app)
{
    QCommandLineParser parser;
    describeEditorCommandLine(parser);
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

QString folderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("Cannot open the folder \"%1\": it does not exist").arg(folder);
    if (!info.isDir())
        return QStringLiteral("Cannot open the folder \"%1\": it is not a folder").arg(folder);
    return {};
}

} // namespace tarn

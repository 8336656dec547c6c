#pragma once

#include <QString>

class QCommandLineParser;
class QCoreApplication;

namespace tarn {

// The editor's command line: `tarnconfig [FOLDER]` with --help and --version. Described once
// here, so the answers given before a display exists and the full parse agree.
void describeEditorCommandLine(QCommandLineParser& parser);

// Prints help or the version and ends the program when either was asked for. Needs no display,
// so it runs before any widget machinery starts; other faults wait for the full parse, when
// Qt's own options are known.
void answerWithoutDisplay(int argc, char* argv[], const QString& version);

// The folder named on the command line as a full native path, or empty; usage errors end the
// program here.
QString folderArgument(const QCoreApplication& app);

// Whether the window can be shown at all: the platform named by QT_QPA_PLATFORM or -platform
// draws on its own, or the display it needs is set. Checked before QApplication, which would
// abort with Qt's own advice when no platform plugin finds a display.
bool hasDisplay(int argc, char* argv[]);

// Why a folder named on the command line cannot be opened, or empty when it can.
QString folderProblem(const QString& folder);

} // namespace tarn

#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>

namespace {

using namespace tarn::cli;

struct Command
{
    const char* name;
    int (*run)(const QStringList&);
    const char* synopsis;
};

constexpr Command kCommands[] = {
    {"controls", runControls,
     "controls FILE [--json]      the tree a control description file gives"},
    {"show", runShow, "show FOLDER [--mixer aes3|ip] [--output N]   the configuration as text"},
    {"export", runExport, "export FOLDER [-o FILE]     the configuration as one JSON document"},
    {"import", runImport, "import FOLDER FILE          write a JSON document into the folder"},
    {"check", runCheck, "check FOLDER                invalid assignments and anomalies"},
    {"diff", runDiff, "diff FOLDER_A FOLDER_B      differences between two folders"},
    {"history", runHistory, "history FOLDER              the versions that saves replaced"},
    {"restore", runRestore, "restore FOLDER N [--dry-run]  write kept version N back"},
    {"report", runReport, "report FOLDER [-o FILE] [--all]   the configuration as an HTML page"},
};

QString usage()
{
    QString text = QStringLiteral(
        "Usage: tarnctl COMMAND [options] ARGUMENTS\n"
        "Reviews, checks, compares and scripts configuration folders as the editor reads and\n"
        "saves them.\n\nCommands:\n");
    for (const Command& command : kCommands)
        text += QStringLiteral("  ") + QLatin1String(command.synopsis) + u'\n';
    text += QStringLiteral(
        "\n'tarnctl COMMAND --help' describes a command, 'tarnctl --version' the version.\n"
        "Exit status: 0 success, clean or equal; 1 findings (check) or differences (diff);\n"
        "2 bad usage or a file that cannot be read or written.\n");
    return text;
}

int run(const QStringList& words)
{
    if (words.isEmpty()) {
        printErr(QStringLiteral("tarnctl: missing COMMAND\n\n") + usage());
        return kExitFailure;
    }
    const QString& name = words.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        printOut(usage());
        return kExitOk;
    }
    if (name == QLatin1String("--version")) {
        printOut(QStringLiteral("tarnctl " TARN_VERSION "\n"));
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name))
            return command.run(words.mid(1));
    }
    printErr(QStringLiteral("tarnctl: unknown command \"") + name + QStringLiteral("\"\n\n") +
             usage());
    return kExitFailure;
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnctl"));
    const int status = run(QCoreApplication::arguments().mid(1));
    if (!flushOutput()) {
        printErr(QStringLiteral("tarnctl: cannot write the output: ") +
                 QString::fromLocal8Bit(std::strerror(errno)) + u'\n');
        return kExitFailure;
    }
    return status;
}

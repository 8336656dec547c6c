#include "app/KeptVersionLoad.h"
#include "app/SaveHistory.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "model/FolderFiles.h"
#include "report/FolderDiff.h"

namespace tarn::cli {

int runRestore(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("restore"),
        QStringLiteral("Writes kept version N (see 'tarnctl history') back into the folder "
                       "through the same save as import, byte for byte; a file that version did "
                       "not have is written empty, which reads as missing does. The files it "
                       "replaces are kept in turn, so a restore is undone by restoring the "
                       "version it names."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    command.addArgument(QStringLiteral("N"), QStringLiteral("The kept version's number."));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Print what the restore would change, as diff does, and write nothing."));
    command.addOption(dryRun);
    if (const auto status = command.parse(words))
        return *status;

    const QString folder = NormalizeFolderPath(command.argument(0));
    bool isNumber = false;
    const int number = command.argument(1).toInt(&isNumber);
    if (!isNumber || number <= 0)
        return command.usageError(QStringLiteral("N must be a version number"));
    const std::optional<KeptVersion> version = readKeptVersion(folder, number);
    if (!version)
        return command.failure(printablePath(folder) +
                               QStringLiteral(": no whole version %1 is kept").arg(number));

    if (command.isSet(dryRun.names().constFirst())) {
        const auto now = command.loadFolder(folder);
        const auto kept = LoadKeptVersion(folder, number);
        if (!now || !kept)
            return kExitFailure;
        QString text;
        for (const Difference& difference : diffFolders(*now, *kept))
            text += difference.text + u'\n';
        printOut(text + QStringLiteral("nothing written\n"));
        return kExitOk;
    }

    const SaveReport report = RestoreVersion(folder, *version);
    for (const QString& path : report.written)
        printOut(QStringLiteral("wrote ") + printablePath(path) + u'\n');
    if (report.keptVersion != 0)
        printOut(
            QStringLiteral("the replaced files are kept as version %1\n").arg(report.keptVersion));
    if (report.historyProblem)
        printErr(QStringLiteral("tarnctl restore: warning: the replaced files were not kept: ") +
                 printablePath(report.historyProblem->message()) + u'\n');
    for (const FileProblem& problem : report.notWritten)
        command.failure(printablePath(problem.message()));
    return report.complete() ? kExitOk : kExitFailure;
}

} // namespace tarn::cli

#include "app/KeptVersionLoad.h"
#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "model/FolderFiles.h"
#include "report/FolderDiff.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tarn::cli {

namespace {

// "FOLDER@N" names kept version N, unless a folder of that very name exists.
std::unique_ptr<FolderLoad> loadSide(const CommandParser& command, const QString& argument)
{
    static const QRegularExpression kept(QStringLiteral("^(.+)@([0-9]+)$"));
    const QRegularExpressionMatch match = kept.match(argument);
    if (!match.hasMatch() || QFileInfo::exists(argument))
        return command.loadFolder(argument);
    const QString folder = NormalizeFolderPath(match.captured(1));
    auto load = LoadKeptVersion(folder, match.captured(2).toInt());
    if (!load)
        command.failure(printablePath(folder) +
                        QStringLiteral(": no whole version %1 is kept").arg(match.captured(2)));
    return load;
}

} // namespace

int runDiff(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("diff"),
        QStringLiteral(
            "Lists every slot, loop, meter and compressor word in which two folders "
            "differ as the editor holds them after start-up, with mixer, output and "
            "input names and the control texts of both sides (A -> B). Exit status 1 "
            "when they differ. Creates no file. FOLDER@N stands for version N of that folder "
            "as 'tarnctl history' lists it."));
    command.addArgument(QStringLiteral("FOLDER_A"),
                        QStringLiteral("The first folder, or FOLDER@N for a kept version."));
    command.addArgument(QStringLiteral("FOLDER_B"),
                        QStringLiteral("The second folder, or FOLDER@N for a kept version."));
    if (const auto status = command.parse(words))
        return *status;

    const auto a = loadSide(command, command.argument(0));
    const auto b = loadSide(command, command.argument(1));
    if (!a || !b)
        return kExitFailure;
    const std::vector<Difference> differences = diffFolders(*a, *b);
    QString text;
    for (const Difference& difference : differences)
        text += difference.text + u'\n';
    printOut(text);
    return differences.empty() ? kExitOk : kExitFindings;
}

} // namespace tarn::cli

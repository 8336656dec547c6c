#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "report/FolderDiff.h"

namespace tarn::cli {

int runDiff(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("diff"),
        QStringLiteral("Lists every slot, loop, meter and compressor word in which two folders "
                       "differ as the editor holds them after start-up, with mixer, output and "
                       "input names and the control texts of both sides (A -> B). Exit status 1 "
                       "when they differ. Creates no file."));
    command.addArgument(QStringLiteral("FOLDER_A"), QStringLiteral("The first folder."));
    command.addArgument(QStringLiteral("FOLDER_B"), QStringLiteral("The second folder."));
    if (const auto status = command.parse(words))
        return *status;

    const auto a = command.loadFolder(command.argument(0));
    const auto b = command.loadFolder(command.argument(1));
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

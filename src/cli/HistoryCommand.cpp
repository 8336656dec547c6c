#include "app/SaveHistory.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "model/FolderFiles.h"

namespace tarn::cli {

int runHistory(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("history"),
        QStringLiteral("Lists the versions of the folder's binary files that saves replaced, "
                       "oldest first: number, time, the program that saved, the files that save "
                       "changed and how many slots, loops, meters and compressor values it "
                       "changed. Version N is the folder as it was just before save N; "
                       "'tarnctl restore FOLDER N' writes it back, 'tarnctl diff FOLDER@N "
                       "FOLDER' compares it. The versions are kept in the user's data folder "
                       "($XDG_DATA_HOME/tarnconfig/history, by default "
                       "~/.local/share/tarnconfig/history), the last 100 per folder; removing "
                       "that folder forgets them."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    if (const auto status = command.parse(words))
        return *status;

    const QString folder = NormalizeFolderPath(command.argument(0));
    const std::vector<KeptVersion> versions = listKeptVersions(folder);
    QString text =
        QStringLiteral("# %1 kept in %2\n")
            .arg(versions.size() == 1 ? QStringLiteral("1 version")
                                      : QStringLiteral("%1 versions").arg(versions.size()),
                 printablePath(historyFolder(folder)));
    for (const KeptVersion& version : versions)
        text += keptVersionText(version) + u'\n';
    printOut(text);
    return kExitOk;
}

} // namespace tarn::cli

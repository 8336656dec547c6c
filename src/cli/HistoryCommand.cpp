#include "app/SaveHistory.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "model/FolderFiles.h"

namespace tarn::cli {

namespace {

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString versionLine(const KeptVersion& version)
{
    QStringList changed;
    for (const KeptFile& file : version.files) {
        if (file.changed && file.written)
            changed.append(file.name);
    }
    QString program = version.program.isEmpty() ? QStringLiteral("?") : version.program;
    if (!version.note.isEmpty())
        program += QStringLiteral(" (") + version.note + u')';
    const ChangeCounts& c = version.changes;
    return QStringLiteral("%1  %2  %3  %4  %5, %6, %7, %8\n")
        .arg(version.number, 4)
        .arg(version.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), program,
             changed.isEmpty() ? QStringLiteral("no file changed") : changed.join(u' '),
             counted(c.crosspointSlots, "slot", "slots"), counted(c.loops, "loop", "loops"),
             counted(c.meters, "meter", "meters"),
             counted(c.compressorValues, "compressor value", "compressor values"));
}

} // namespace

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
    QString text = QStringLiteral("# %1 kept in %2\n")
                       .arg(counted(int(versions.size()), "version", "versions"),
                            printablePath(historyFolder(folder)));
    for (const KeptVersion& version : versions)
        text += versionLine(version);
    printOut(text);
    return kExitOk;
}

} // namespace tarn::cli

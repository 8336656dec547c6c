#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "model/FolderFiles.h"
#include "report/HtmlReport.h"

#include <QFileInfo>

namespace tarn::cli {

int runReport(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("report"),
        QStringLiteral(
            "Writes the configuration as one self-contained HTML page to look at, file or "
            "print (A4 landscape): the folder, the version and the check's findings, each "
            "linked to its place; per mixer a picture of all 32 x 64 crosspoints with their "
            "four slots coloured MUTE, 0dB, other control or invalid (a tooltip names each "
            "slot's control); per mix output the crosspoints that differ from a fresh mix file; "
            "the loops, the meters, the compressor and a plot of its gain table. Files that "
            "cannot be read are reported with what could be read. Creates no file in the "
            "folder."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    command.addOutputOption(QStringLiteral("page"));
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("List every crosspoint, not only those that "
                                                "differ from a fresh mix file."));
    command.addOption(all);
    if (const auto status = command.parse(words))
        return *status;

    // Unlike the other commands, unreadable files do not stop the report: it shows them.
    const QString folder = NormalizeFolderPath(command.argument(0));
    const QFileInfo info(folder);
    if (!info.exists())
        return command.failure(folder + QStringLiteral(": no such folder"));
    if (!info.isDir())
        return command.failure(folder + QStringLiteral(": is not a folder"));
    const auto load = LoadSequence(folder, MissingFiles::Leave);
    HtmlReportOptions options;
    options.version = QStringLiteral(TARN_VERSION);
    options.allCrosspoints = command.isSet(all.names().first());
    const std::string page = htmlReport(*load, options);
    if (!command.writesOutputFile()) {
        printOut(std::string_view(page));
        return kExitOk;
    }
    return command.writeOutput(QByteArray(page.data(), qsizetype(page.size())));
}

} // namespace tarn::cli

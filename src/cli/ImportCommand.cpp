#include "app/BinaryFiles.h"
#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "report/FolderJsonImport.h"

#include <algorithm>

#include <QJsonDocument>

namespace tarn::cli {

namespace {

// A document full of faults would bury the first ones.
constexpr std::size_t kMaxListedProblems = 100;

} // namespace

int runImport(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("import"),
        QStringLiteral("Checks a JSON document as export writes it and writes the folder's four "
                       "binary files exactly as the editor's Save would write that "
                       "configuration. Fields left out keep the folder's current values. Names, "
                       "control texts, meter sources and invalid counts are checked for their "
                       "type only. On any fault the place is named and nothing is written."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    command.addArgument(QStringLiteral("FILE"), QStringLiteral("The JSON document."));
    if (const auto status = command.parse(words))
        return *status;

    const QString documentPath = command.argument(1);
    const BinaryRead read = readBinaryFile(documentPath, false);
    if (read.problem)
        return command.failure(read.problem->message());
    if (!read.existed)
        return command.failure(documentPath + QStringLiteral(": no such file"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(read.bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return command.failure(documentPath + QStringLiteral(": not valid JSON at offset ") +
                               QString::number(parseError.offset) + QStringLiteral(": ") +
                               parseError.errorString());
    }

    // A file the load could not read is never replaced: what it holds was never seen.
    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return command.failure(QStringLiteral("nothing written"));
    const std::vector<JsonProblem> problems = importFolderJson(document, load->model);
    if (!problems.empty()) {
        const std::size_t listed = std::min(problems.size(), kMaxListedProblems);
        for (std::size_t k = 0; k < listed; ++k)
            command.failure(documentPath + QStringLiteral(": ") + problems[k].text());
        if (problems.size() > listed)
            command.failure(
                QStringLiteral("%1 further faults not listed").arg(problems.size() - listed));
        return command.failure(QStringLiteral("nothing written"));
    }

    const SaveReport report = SaveAll(load->model, load->folder, load->unreadFiles);
    for (const QString& path : report.written)
        printOut(QStringLiteral("wrote ") + printablePath(path) + u'\n');
    if (report.historyProblem)
        printErr(QStringLiteral("tarnctl import: warning: the replaced files were not kept: ") +
                 printablePath(report.historyProblem->message()) + u'\n');
    for (const FileProblem& problem : report.notWritten)
        command.failure(problem.message());
    return report.complete() ? kExitOk : kExitFailure;
}

} // namespace tarn::cli

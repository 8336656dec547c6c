#include "app/BinaryFiles.h"
#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/PrintablePath.h"
#include "json/FolderJsonImport.h"
#include "json/JsonText.h"
#include "report/FolderDiff.h"

#include <algorithm>

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
                       "configuration. Fields left out keep the folder's current values. Names "
                       "must stay as the name lists give them, and control texts and meter "
                       "sources as the pointers and bytes show them; a Hold that the next load "
                       "would change and a key given twice are faults. On any fault the place is "
                       "named and nothing is written."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    command.addArgument(QStringLiteral("FILE"),
                        QStringLiteral("The JSON document; - for standard input."));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Print what the import would change, as diff does, and write nothing."));
    command.addOption(dryRun);
    if (const auto status = command.parse(words))
        return *status;

    const QString documentName = CommandParser::documentName(command.argument(1));
    const auto bytes = command.readDocument(command.argument(1));
    if (!bytes)
        return command.failure(QStringLiteral("nothing written"));
    const JsonText json = parseJsonText(*bytes);
    if (!json.syntaxError.isEmpty()) {
        command.failure(documentName + QStringLiteral(": not valid JSON: ") + json.syntaxError);
        return command.failure(QStringLiteral("nothing written"));
    }

    // A file the load could not read is never replaced: what it holds was never seen.
    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return command.failure(QStringLiteral("nothing written"));
    std::vector<JsonProblem> problems = json.duplicateKeys;
    if (problems.empty())
        problems = importFolderJson(json.document, *load);
    if (!problems.empty()) {
        const std::size_t listed = std::min(problems.size(), kMaxListedProblems);
        for (std::size_t k = 0; k < listed; ++k)
            command.failure(documentName + QStringLiteral(": ") + problems[k].text());
        if (problems.size() > listed)
            command.failure(
                QStringLiteral("%1 further faults not listed").arg(problems.size() - listed));
        return command.failure(QStringLiteral("nothing written"));
    }

    if (command.isSet(dryRun.names().first())) {
        const auto before = command.loadFolder(command.argument(0));
        if (!before)
            return kExitFailure;
        QString text;
        for (const Difference& difference : diffFolders(*before, *load))
            text += difference.text + u'\n';
        printOut(text);
        return kExitOk;
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

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "json/JsonWriter.h"
#include "report/ControlTreeReport.h"

namespace tarn::cli {

int runControls(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("controls"),
        QStringLiteral("Parses one control description file as the editor does and prints its "
                       "tree: each entry indented by depth, with its index, its pointer (-1 for "
                       "none) and every pointer that names it, then a line for everything the "
                       "parser passed over."));
    command.addArgument(QStringLiteral("FILE"),
                        QStringLiteral("The control description file; - for standard input."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the entries and diagnostics as JSON."));
    command.addOption(json);
    if (const auto status = command.parse(words))
        return *status;

    const QString file = CommandParser::documentName(command.argument(0));
    const auto bytes = command.readDocument(command.argument(0));
    if (!bytes)
        return kExitFailure;
    ControlSet set;
    const ControlFileResult result = parseControlDescription(*bytes, set);

    if (command.isSet(json.names().first())) {
        JsonWriter writer([](std::string_view bytes) { printOut(bytes); });
        controlTreeJson(set, result, writer);
        writer.finish();
        return kExitOk;
    }
    const QStringList lines = controlTreeLines(set) + diagnosticLines(result, file);
    if (!lines.isEmpty())
        printOut(lines.join(u'\n') + u'\n');
    return kExitOk;
}

} // namespace tarn::cli

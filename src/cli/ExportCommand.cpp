#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "json/FolderJson.h"
#include "json/JsonWriter.h"

namespace tarn::cli {

int runExport(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("export"),
        QStringLiteral("Prints the configuration as the editor holds it right after start-up as "
                       "one JSON document (format \"tarnconfig-folder\", version 1). Creates no "
                       "file in the folder."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    command.addOutputOption(QStringLiteral("document"));
    if (const auto status = command.parse(words))
        return *status;

    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return kExitFailure;
    if (!command.writesOutputFile()) {
        JsonWriter writer([](std::string_view bytes) { printOut(bytes); });
        folderJson(*load, writer);
        writer.finish();
        return kExitOk;
    }
    // The document is made whole first: a file is replaced whole, never left half written.
    JsonWriter writer;
    folderJson(*load, writer);
    return command.writeOutput(writer.finish());
}

} // namespace tarn::cli

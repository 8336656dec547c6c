#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "model/FileWrite.h"
#include "report/FolderJson.h"
#include "report/JsonWriter.h"

namespace tarn::cli {

int runExport(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("export"),
        QStringLiteral("Prints the configuration as the editor holds it right after start-up as "
                       "one JSON document (format \"tarnconfig-folder\", version 1). Creates no "
                       "file in the folder."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    const QCommandLineOption outputFile(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the document to FILE instead of standard output. A regular file is "
                       "replaced whole; a device, a pipe or an open stream such as /dev/stdout "
                       "is written into."),
        QStringLiteral("FILE"));
    command.addOption(outputFile);
    if (const auto status = command.parse(words))
        return *status;

    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return kExitFailure;
    if (!command.isSet(outputFile.names().first())) {
        JsonWriter writer([](std::string_view bytes) { printOut(bytes); });
        folderJson(*load, writer);
        writer.finish();
        return kExitOk;
    }
    // The document is made whole first: a file is replaced whole, never left half written.
    JsonWriter writer;
    folderJson(*load, writer);
    if (const auto problem =
            writeOutputFile(command.value(outputFile.names().first()), writer.finish()))
        return command.failure(problem->message());
    return kExitOk;
}

} // namespace tarn::cli

#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "report/FolderText.h"

namespace tarn::cli {

int runShow(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("show"),
        QStringLiteral("Prints the configuration as the editor holds it right after start-up: "
                       "per mixer and mix output each input's row label and the four slots as "
                       "the grid shows them, with their pointers; the loops; the meters; the "
                       "compressor spinners, gain table and reserved words. Creates no file."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    const QCommandLineOption mixer(
        QStringLiteral("mixer"),
        QStringLiteral("Only this mixer's crosspoints and loops: aes3 or ip."),
        QStringLiteral("MIXER"));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("Only mix output N (1 to 32), without loops, meters and compressor."),
        QStringLiteral("N"));
    command.addOption(mixer);
    command.addOption(output);
    if (const auto status = command.parse(words))
        return *status;

    ShowSelection selection;
    if (command.isSet(mixer.names().first())) {
        const QString name = command.value(mixer.names().first()).toLower();
        if (name == QLatin1String("aes3"))
            selection.mixer = 0;
        else if (name == QLatin1String("ip"))
            selection.mixer = 1;
        else
            return command.usageError(QStringLiteral("--mixer takes aes3 or ip"));
    }
    if (command.isSet(output.names().first())) {
        bool ok = false;
        const int n = command.value(output.names().first()).toInt(&ok);
        if (!ok || n < 1 || n > kOutputCount)
            return command.usageError(QStringLiteral("--output takes a number from 1 to 32"));
        selection.output = n - 1;
    }

    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return kExitFailure;
    printOut(folderText(*load, selection));
    return kExitOk;
}

} // namespace tarn::cli

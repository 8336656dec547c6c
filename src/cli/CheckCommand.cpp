#include "app/LoadSequence.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "report/FolderCheck.h"

#include <algorithm>

namespace tarn::cli {

int runCheck(const QStringList& words)
{
    CommandParser command(
        QStringLiteral("check"),
        QStringLiteral("Lists every invalid assignment (a pointer no entry carries) and every "
                       "anomaly: missing files, lengths that give defaults, the older mix "
                       "layout, values a start-up repairs, clamps or rounds, meter bytes that "
                       "name no source, parser diagnostics and missing name lists. Exit status "
                       "1 when there is any. Creates no file."));
    command.addArgument(QStringLiteral("FOLDER"), QStringLiteral("The configuration folder."));
    if (const auto status = command.parse(words))
        return *status;

    const auto load = command.loadFolder(command.argument(0));
    if (!load)
        return kExitFailure;
    const std::vector<Finding> findings = checkFolder(*load);
    QString text;
    for (const Finding& finding : findings)
        text += finding.lineText() + u'\n';
    const auto invalid = std::count_if(findings.begin(), findings.end(),
                                       [](const Finding& f) { return f.isInvalidAssignment(); });
    const auto anomalies = static_cast<qsizetype>(findings.size()) - invalid;
    text += QStringLiteral("%1 invalid assignment%2, %3 anomal%4\n")
                .arg(invalid)
                .arg(invalid == 1 ? "" : "s")
                .arg(anomalies)
                .arg(anomalies == 1 ? "y" : "ies");
    printOut(text);
    return findings.empty() ? kExitOk : kExitFindings;
}

} // namespace tarn::cli

#include "texts/WindowTexts.h"

#include "controls/ControlSearch.h"
#include "controls/ControlSet.h"
#include "editors/CompressorEditor.h"
#include "model/CompressorFile.h"

#include <QDir>
#include <QStringList>

namespace tarn {

namespace {

QString lines(QStringList intro, const std::vector<FileProblem>& problems)
{
    for (const FileProblem& problem : problems)
        intro.append(problem.message());
    return intro.join(QLatin1Char('\n'));
}

} // namespace

QString otherEditorQuestion(const QString& folder, std::optional<qint64> process)
{
    return QStringLiteral("%1 is open in another Tarnconfig window%2. Open it anyway?")
        .arg(QDir::toNativeSeparators(folder),
             process && *process > 0 ? QStringLiteral(" (process %1)").arg(*process) : QString());
}

QString loadProblemsMessage(const std::vector<FileProblem>& problems)
{
    return lines({QStringLiteral("Some files of the configuration folder could not be read or "
                                 "created:")},
                 problems) +
           QStringLiteral("\nThe editor shows the built-in defaults for them. Save will never "
                          "replace a file that could not be read now, even if it can be read "
                          "later, and will report any file it cannot write.");
}

QString saveFailureMessage(const std::vector<FileProblem>& notWritten,
                           const std::vector<QString>& written)
{
    QStringList text{lines({QStringLiteral("The configuration could not be saved completely. "
                                           "These files were not written:")},
                           notWritten)};
    if (!written.empty()) {
        text.append(QStringLiteral("These files were written:"));
        text.append(QStringList(written.begin(), written.end()));
    }
    text.append(QStringLiteral("The files that were not written were left as they were on disk, "
                               "and your changes are still in the editor, so you can try again."));
    return text.join(QLatin1Char('\n'));
}

QString restoreFailureMessage(const std::vector<FileProblem>& notWritten)
{
    return lines({QStringLiteral("The version could not be restored completely. These files "
                                 "were not written:")},
                 notWritten);
}

QString overwriteQuestion(const std::vector<QString>& changedPaths)
{
    QStringList text{QStringLiteral("These files were changed by another program since they "
                                    "were loaded:")};
    for (const QString& path : changedPaths)
        text.append(QDir::toNativeSeparators(path));
    text.append(QStringLiteral("Overwrite them?"));
    return text.join(QLatin1Char('\n'));
}

QString recoveryQuestion(const QString& folder, const QDateTime& time, bool diskChangedSince)
{
    return QStringLiteral("Tarnconfig ended without saving changes to %1 (%2).%3 Recover them?")
        .arg(QDir::toNativeSeparators(folder),
             time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             diskChangedSince ? QStringLiteral(" The folder's files have changed on disk since "
                                               "then; recovering lays the changes over them.")
                              : QString());
}

QString holdLossNote(const ConfigModel& model)
{
    const std::int32_t hold = model.compressor(compressorWordOf(CompressorParam::Hold));
    if (hold <= kHoldLoadMaximum)
        return {};
    return QStringLiteral("The next load will reduce Hold from %1 ms to %2 ms.")
        .arg(hold / kHoldPerPosition)
        .arg(kHoldLoadMaximum / kHoldPerPosition);
}

QString pointerToolTip(const ControlSet& set, int pointer)
{
    const int index = set.PointerToNode(pointer);
    if (index == 0)
        return QStringLiteral("pointer %1: no control in this set").arg(pointer);
    return QStringLiteral("%1 - pointer %2").arg(controlPath(set, index)).arg(pointer);
}

QString changedFilesNote(const std::vector<QString>& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QDir::toNativeSeparators(path);
    return QStringLiteral("Changed by another program since they were loaded: ") +
           names.join(QStringLiteral(", "));
}

QString cellsSetNote(int cells, int changed, const QString& commonText)
{
    if (cells <= 0)
        return {};
    if (!commonText.isEmpty())
        return cells == 1 ? QStringLiteral("1 cell set to %1").arg(commonText)
                          : QStringLiteral("%1 cells set to %2").arg(cells).arg(commonText);
    if (changed <= 0)
        return {};
    return changed == 1 ? QStringLiteral("1 cell changed")
                        : QStringLiteral("%1 cells changed").arg(changed);
}

} // namespace tarn

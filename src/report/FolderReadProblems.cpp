#include "report/FolderReadProblems.h"

#include "app/LoadSequence.h"
#include "model/FolderFiles.h"
#include "model/Index.h"

#include <QFileInfo>

namespace tarn {

std::vector<FileProblem> folderReadProblems(const FolderLoad& load)
{
    const QFileInfo folder(load.folder);
    if (!folder.exists())
        return {{load.folder, QStringLiteral("no such folder")}};
    if (!folder.isDir())
        return {{load.folder, QStringLiteral("is not a folder")}};

    std::vector<FileProblem> problems;
    for (int set = 0; set < kSetCount; ++set) {
        const auto& file = at(load.controlFiles, set);
        const QString path = controlFilePath(load.folder, set);
        if (!file.opened && file.existed) {
            // The parser's error already leads with the path.
            const QString prefix = path + QStringLiteral(": ");
            problems.push_back(
                {path, file.error.startsWith(prefix) ? file.error.mid(prefix.size()) : file.error});
        }
    }
    problems.insert(problems.end(), load.names.problems.begin(), load.names.problems.end());
    problems.insert(problems.end(), load.problems.begin(), load.problems.end());
    return problems;
}

} // namespace tarn

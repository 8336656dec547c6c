#include "app/FolderReadProblems.h"

#include "app/FolderFiles.h"
#include "app/LoadSequence.h"

#include <QFile>
#include <QFileInfo>

namespace tarn {

namespace {

// Why a file that exists could not be read; the name-list reader keeps no reason of its own.
FileProblem unreadable(const QString& path)
{
    if (QFileInfo(path).isDir())
        return {path, QStringLiteral("is a folder, not a file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path, file.errorString()};
    return {path, QStringLiteral("could not be read")};
}

void addIfUnread(std::vector<FileProblem>& problems, const QString& path, bool opened)
{
    if (!opened && QFileInfo::exists(path))
        problems.push_back(unreadable(path));
}

} // namespace

std::vector<FileProblem> folderReadProblems(const FolderLoad& load)
{
    const QFileInfo folder(load.folder);
    if (!folder.exists())
        return {{load.folder, QStringLiteral("no such folder")}};
    if (!folder.isDir())
        return {{load.folder, QStringLiteral("is not a folder")}};

    std::vector<FileProblem> problems;
    for (int set = 0; set < kSetCount; ++set) {
        const auto& file = load.controlFiles[static_cast<std::size_t>(set)];
        const QString path = controlFilePath(load.folder, set);
        if (!file.opened && QFileInfo::exists(path)) {
            // The parser's error already leads with the path.
            const QString prefix = path + QStringLiteral(": ");
            problems.push_back(
                {path, file.error.startsWith(prefix) ? file.error.mid(prefix.size()) : file.error});
        }
    }
    for (int m = 0; m < kMixerCount; ++m) {
        const auto mixer = static_cast<std::size_t>(m);
        addIfUnread(problems, folderFilePath(load.folder, inputsFileName(m)),
                    load.names.inputsFileOpened[mixer]);
        addIfUnread(problems, folderFilePath(load.folder, outputsFileName(m)),
                    load.names.outputsFileOpened[mixer]);
        addIfUnread(problems, folderFilePath(load.folder, loopsFileName(m)),
                    load.names.loopNames[mixer].has_value());
    }
    problems.insert(problems.end(), load.problems.begin(), load.problems.end());
    return problems;
}

} // namespace tarn

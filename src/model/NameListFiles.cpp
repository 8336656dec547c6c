#include "model/NameListFiles.h"

#include "model/FolderFiles.h"

namespace tarn {

namespace {

// Name lists are a few hundred bytes; only the start of a larger file is needed anyway.
constexpr qint64 kMaxNameFileBytes = 16 * 1024 * 1024;

std::optional<QByteArray> readNameFile(const QString& path, std::vector<FileProblem>& problems)
{
    WholeFile file = readWholeFile(path, kMaxNameFileBytes);
    if (file.problem)
        problems.push_back(*file.problem);
    if (!file.existed || file.problem)
        return std::nullopt;
    return std::move(file.bytes);
}

} // namespace

NameListFiles readNameListFiles(const QString& folder)
{
    NameListFiles files;
    for (int m = 0; m < kMixerCount; ++m)
        files.inputs[m] = readNameFile(folderFilePath(folder, inputsFileName(m)), files.problems);
    for (int m = 0; m < kMixerCount; ++m)
        files.outputs[m] = readNameFile(folderFilePath(folder, outputsFileName(m)), files.problems);
    for (int m = 0; m < kMixerCount; ++m)
        files.loops[m] = readNameFile(folderFilePath(folder, loopsFileName(m)), files.problems);
    return files;
}

} // namespace tarn

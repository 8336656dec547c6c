#include "model/FileWrite.h"

#include "model/NativeFiles.h"

#include <QFile>
#include <QFileInfo>

namespace tarn {

namespace {

std::optional<FileProblem> problemIf(const QString& path, const QString& reason)
{
    if (reason.isEmpty())
        return std::nullopt;
    return FileProblem{path, reason};
}

// Sets `target` to where a path leads through its links; a problem when the chain never ends or
// ends at a folder.
std::optional<FileProblem> resolveTarget(const QString& path, QFileInfo& target)
{
    const std::optional<QString> end = followLinks(path);
    if (!end)
        return FileProblem{path, QLatin1String(kLinkLoopReason)};
    target.setFile(*end);
    if (target.isDir())
        return FileProblem{path, QStringLiteral("is a folder, not a file")};
    return std::nullopt;
}

} // namespace

std::optional<FileProblem> replaceFile(const QString& path, const QByteArray& bytes)
{
    QFileInfo target;
    if (auto refused = resolveTarget(path, target))
        return refused;
    if (target.exists() && !target.isFile())
        return FileProblem{path, QStringLiteral("is not a regular file")};
    native::removeStaleTemporaryFiles(target.filePath());
    return problemIf(path, native::replaceWhole(target.filePath(), bytes));
}

std::optional<FileProblem> writeOutputFile(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<int> stream = native::openStreamOf(path))
        return problemIf(path, native::writeToStream(*stream, bytes));
    QFileInfo target;
    if (auto refused = resolveTarget(path, target))
        return refused;
    if (!target.exists() || target.isFile())
        return replaceFile(path, bytes);
    // A device or a pipe takes the bytes as they come; replacing it would destroy it.
    QFile device(target.filePath());
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileProblem{path, device.errorString()};
    return problemIf(path, native::writeToStream(device.handle(), bytes));
}

} // namespace tarn

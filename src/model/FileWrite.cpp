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

} // namespace

std::optional<FileProblem> replaceFile(const QString& path, const QByteArray& bytes)
{
    const std::optional<QString> target = followLinks(path);
    if (!target)
        return FileProblem{path, QLatin1String(kLinkLoopReason)};
    const QFileInfo info(*target);
    if (info.isDir())
        return FileProblem{path, QStringLiteral("is a folder, not a file")};
    if (info.exists() && !info.isFile())
        return FileProblem{path, QStringLiteral("is not a regular file")};
    native::removeStaleTemporaryFiles(*target);
    return problemIf(path, native::replaceWhole(*target, bytes));
}

std::optional<FileProblem> writeOutputFile(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<int> stream = native::openStreamOf(path))
        return problemIf(path, native::writeToStream(*stream, bytes));
    const std::optional<QString> target = followLinks(path);
    if (!target)
        return FileProblem{path, QLatin1String(kLinkLoopReason)};
    const QFileInfo info(*target);
    if (info.isDir())
        return FileProblem{path, QStringLiteral("is a folder, not a file")};
    if (!info.exists() || info.isFile())
        return replaceFile(path, bytes);
    // A device or a pipe takes the bytes as they come; replacing it would destroy it.
    QFile device(*target);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileProblem{path, device.errorString()};
    return problemIf(path, native::writeToStream(device.handle(), bytes));
}

} // namespace tarn

#include "app/BinaryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarn {

namespace {

// No configuration file is anywhere near this; a larger one is not ours.
constexpr qint64 kMaxReadSize = 64 * 1024 * 1024;

} // namespace

BinaryRead readBinaryFile(const QString& path, bool createIfMissing)
{
    WholeFile whole = readWholeFile(path, kMaxReadSize);
    BinaryRead result;
    result.existed = whole.existed;
    if (whole.problem) {
        result.problem = whole.problem;
        return result;
    }
    if (whole.truncated) {
        result.problem =
            FileProblem{path, QStringLiteral("is too large to be a configuration file")};
        return result;
    }
    if (!result.existed && createIfMissing) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            result.problem = FileProblem{path, file.errorString()};
        else
            result.created = true;
    }
    result.bytes = std::move(whole.bytes);
    return result;
}

std::optional<FileProblem> writeBinaryFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        return FileProblem{path, QStringLiteral("is a folder, not a file")};
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return FileProblem{path, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileProblem{path, reason};
    }
    if (!file.commit())
        return FileProblem{path, file.errorString()};
    return std::nullopt;
}

} // namespace tarn

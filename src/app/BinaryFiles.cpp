#include "app/BinaryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarn {

namespace {

// No configuration file is anywhere near this; a larger one is not ours to slurp.
constexpr qint64 kMaxReadSize = 64 * 1024 * 1024;

} // namespace

BinaryRead readBinaryFile(const QString& path, bool createIfMissing)
{
    BinaryRead result;
    const QFileInfo info(path);
    result.existed = info.exists();
    if (info.isDir()) {
        result.problem = FileProblem{path, QStringLiteral("is a folder, not a file")};
        return result;
    }
    QFile file(path);
    if (!result.existed) {
        if (!createIfMissing)
            return result;
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            result.problem = FileProblem{path, file.errorString()};
            return result;
        }
        result.created = true;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = FileProblem{path, file.errorString()};
        return result;
    }
    if (file.size() > kMaxReadSize) {
        result.problem =
            FileProblem{path, QStringLiteral("is too large to be a configuration file")};
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        result.problem = FileProblem{path, file.errorString()};
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

#include "app/BinaryFiles.h"

#include "model/FileWrite.h"

#include <QFile>
#include <QFileInfo>

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
    // A link to a missing file is left for the save to write through.
    if (!result.existed && createIfMissing && !QFileInfo(path).isSymLink()) {
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
    return replaceFile(path, bytes);
}

} // namespace tarn

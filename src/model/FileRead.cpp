#include "model/FileRead.h"

#include <QFile>
#include <QFileInfo>

namespace tarn {

WholeFile readWholeFile(const QString& path, qint64 maxBytes)
{
    WholeFile result;
    const QFileInfo info(path);
    result.existed = info.exists();
    if (!result.existed)
        return result;
    if (info.isDir()) {
        result.problem = FileProblem{path, QStringLiteral("is a folder, not a file")};
        return result;
    }
    if (!info.isFile()) {
        result.problem = FileProblem{path, QStringLiteral("is not a regular file")};
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = FileProblem{path, file.errorString()};
        return result;
    }
    // One byte more than allowed tells a file at the limit from a larger one.
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problem = FileProblem{path, file.errorString()};
        result.bytes.clear();
        return result;
    }
    if (result.bytes.size() > maxBytes) {
        result.truncated = true;
        result.bytes.truncate(maxBytes);
    }
    return result;
}

} // namespace tarn

#include "model/FileRead.h"

#include "model/NativeFiles.h"

#include <algorithm>
#include <cerrno>

#include <QFile>
#include <QFileInfo>

namespace tarn {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkDepth = 40;
constexpr qint64 kPrefaultBytes = 256 * 1024;

} // namespace

std::optional<QString> followLinks(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinkDepth)
            return std::nullopt;
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

WholeFile readWholeFile(const QString& path, qint64 maxBytes)
{
    WholeFile result;
    const QFileInfo info(path);
    result.existed = info.exists();
    if (!result.existed) {
        // A loop of links, also one met on the way through a folder link, is there but can
        // never be read; a link to nothing is a missing file.
        if ((info.isSymLink() && !followLinks(path)) || native::lookupError(path) == ELOOP) {
            result.existed = true;
            result.problem = FileProblem{path, QLatin1String(kLinkLoopReason)};
        }
        return result;
    }
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
    // One byte more than allowed tells a file at the limit from a larger one. The buffer
    // follows the file's size rather than the limit (QIODevice::read(n) reserves all n bytes,
    // megabytes per file); it grows should the file grow while it is read.
    const qint64 limit = maxBytes + 1;
    qint64 capacity = std::min(limit, std::max<qint64>(file.size(), 0) + 1);
    qint64 filled = 0;
    bool failed = false;
    for (;;) {
        result.bytes.resize(static_cast<qsizetype>(capacity));
        // A large file's pages, backed in one call, cost far less than a fault each as the
        // read fills them.
        if (capacity - filled >= kPrefaultBytes)
            native::prefault(result.bytes.data() + filled, std::size_t(capacity - filled));
        const qint64 got = file.read(result.bytes.data() + filled, capacity - filled);
        if (got < 0) {
            failed = true;
            break;
        }
        filled += got;
        if (filled < capacity || capacity == limit)
            break;
        capacity = std::min(limit, 2 * capacity);
    }
    result.bytes.resize(static_cast<qsizetype>(filled));
    if (failed || file.error() != QFileDevice::NoError) {
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

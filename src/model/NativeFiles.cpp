#include "model/NativeFiles.h"

#include <cstdint>

#include <QFile>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#endif

namespace tarn::native {

#ifndef Q_OS_WIN

namespace {

// Marks our temporary files, so that a stale one is never taken for a file of the user's.
constexpr char kTemporaryInfix[] = ".tarnsave-";
constexpr int kRandomLength = 8;

QString temporaryPrefix(const QFileInfo& target)
{
    return QLatin1Char('.') + target.fileName() + QLatin1String(kTemporaryInfix);
}

QString randomSuffix()
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int k = 0; k < kRandomLength; ++k)
        suffix.append(
            QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet) - 1)]));
    return suffix;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes everything, retrying after a short count so that the failing call reports its reason
// (a full disk or the file size limit show up as a short count first).
int writeAll(int descriptor, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    return 0;
}

// Syncing a folder makes a rename durable; where the file system cannot, there is nothing more
// to do, and the replaced file is whole either way.
void syncFolder(const QByteArray& folder)
{
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

QString replaceWhole(const QString& target, const QByteArray& bytes)
{
    const QFileInfo info(target);
    const QByteArray path = QFile::encodeName(target);
    struct stat existing
    {
    };
    const bool exists = ::stat(path.constData(), &existing) == 0;

    int descriptor = -1;
    QByteArray temporary;
    for (int attempt = 0; descriptor < 0; ++attempt) {
        temporary = QFile::encodeName(info.absolutePath() + QLatin1Char('/') +
                                      temporaryPrefix(info) + randomSuffix());
        descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && (errno != EEXIST || attempt == 100))
            return systemReason(errno);
    }
    // The lock tells a later save that this temporary file is still being written.
    ::flock(descriptor, LOCK_EX);

    int error = 0;
    if (exists) {
        // Best effort: only root may give a file to another owner.
        const bool ownerKept = ::fchown(descriptor, existing.st_uid, existing.st_gid) == 0;
        Q_UNUSED(ownerKept);
        if (::fchmod(descriptor, existing.st_mode & 07777) != 0)
            error = errno;
    }
    if (error == 0)
        error = writeAll(descriptor, bytes);
    if (error == 0 && ::fsync(descriptor) != 0)
        error = errno;
    // Renamed while still open and locked, so that no other save removes it first.
    if (error == 0 && ::rename(temporary.constData(), path.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return systemReason(error);
    syncFolder(QFile::encodeName(info.absolutePath()));
    return {};
}

void removeStaleTemporaryFiles(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = temporaryPrefix(info);
    const QDir folder = info.absoluteDir();
    const QStringList names =
        folder.entryList({prefix + QString(kRandomLength, QLatin1Char('?'))},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int descriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        // A save still writing holds the lock; a killed one's lock went with its process.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(descriptor);
    }
}

std::optional<int> openStreamOf(const QString& path)
{
    if (path == QLatin1String("/dev/stdout"))
        return 1;
    if (path == QLatin1String("/dev/stderr"))
        return 2;
    static const QRegularExpression descriptorPath(
        QStringLiteral("^(?:/dev/fd|/proc/self/fd|/proc/thread-self/fd|/proc/(\\d+)/fd)/(\\d+)$"));
    const QRegularExpressionMatch match = descriptorPath.match(path);
    if (!match.hasMatch())
        return std::nullopt;
    if (!match.captured(1).isEmpty() && match.captured(1).toLongLong() != ::getpid())
        return std::nullopt;
    bool ok = false;
    const int descriptor = match.captured(2).toInt(&ok);
    if (!ok || ::fcntl(descriptor, F_GETFD) < 0)
        return std::nullopt;
    return descriptor;
}

QString writeToStream(int descriptor, const QByteArray& bytes)
{
    const int error = writeAll(descriptor, bytes);
    return error == 0 ? QString() : systemReason(error);
}

void prefault(void* data, std::size_t size)
{
#ifdef Q_OS_LINUX
    // Whole pages inside the buffer only: the advice must not reach memory it does not own.
    // Older kernels answer EINVAL, which leaves the faults to happen one page at a time.
    constexpr int kPopulateWrite = 23; // MADV_POPULATE_WRITE, Linux 5.14
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = (begin + size) / page * page;
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, kPopulateWrite);
#else
    (void)data;
    (void)size;
#endif
}

#else

QString replaceWhole(const QString& target, const QByteArray& bytes)
{
    QSaveFile file(target);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        done += written;
    }
    return file.commit() ? QString() : file.errorString();
}

// QSaveFile removes its temporary file itself on Windows, where an open file cannot be
// replaced and a killed process's file handle is closed by the system.
void removeStaleTemporaryFiles(const QString&) {}

std::optional<int> openStreamOf(const QString&)
{
    return std::nullopt;
}

QString writeToStream(int descriptor, const QByteArray& bytes)
{
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    return file.write(bytes) == bytes.size() ? QString() : file.errorString();
}

void prefault(void*, std::size_t) {}

#endif

} // namespace tarn::native

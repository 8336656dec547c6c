#include "model/NativeFiles.h"

#include <cstdint>

#include <QFile>

#ifdef Q_OS_WIN
#include <cerrno>
#include <cstring>

#include <QFileInfo>
#include <QSaveFile>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif
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

// Names past the system's limit for one name would make every save fail; the start of a long
// name still tells whose temporary file it is.
constexpr int kMaxTargetInPrefix = 200;

QString temporaryPrefix(const QString& targetName)
{
    return QLatin1Char('.') + targetName.left(kMaxTargetInPrefix) + QLatin1String(kTemporaryInfix);
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

// A handle on a folder that names can be resolved against, so that the length of the folder's
// path does not add to theirs. A folder that can be searched but not listed still serves.
int openFolder(const QByteArray& folder)
{
#ifdef O_PATH
    return ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#else
    return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
}

// Syncing a folder makes a rename durable; where the file system cannot, there is nothing more
// to do, and the replaced file is whole either way.
void syncFolder(int folder)
{
    const int descriptor = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

struct Descriptor
{
    int value = -1;
    ~Descriptor()
    {
        if (value >= 0)
            ::close(value);
    }
};

QString aboutTemporary(const QByteArray& name, int error)
{
    return QStringLiteral("temporary file %1: %2")
        .arg(QFile::decodeName(name), systemReason(error));
}

// Creates a fresh temporary file and locks it; a sweep by another save may remove it between
// the two, so one found unlinked once locked is given up for another name.
int createLockedTemporary(int folder, const QString& prefix, QByteArray& name, QString& reason)
{
    for (int attempt = 0; attempt <= 100; ++attempt) {
        name = QFile::encodeName(prefix + randomSuffix());
        const int descriptor =
            ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            reason = aboutTemporary(name, errno);
            return -1;
        }
        // The lock tells a later save that this temporary file is still being written.
        ::flock(descriptor, LOCK_EX);
        struct stat status
        {
        };
        if (::fstat(descriptor, &status) == 0 && status.st_nlink > 0)
            return descriptor;
        ::close(descriptor);
    }
    reason = aboutTemporary(name, EEXIST);
    return -1;
}

} // namespace

QString replaceWhole(const QString& target, const QByteArray& bytes)
{
    const QFileInfo info(target);
    const Descriptor folder{openFolder(QFile::encodeName(info.absolutePath()))};
    if (folder.value < 0)
        return systemReason(errno);
    const QByteArray name = QFile::encodeName(info.fileName());
    struct stat existing
    {
    };
    const bool exists = ::fstatat(folder.value, name.constData(), &existing, 0) == 0;

    QByteArray temporary;
    QString reason;
    const int descriptor =
        createLockedTemporary(folder.value, temporaryPrefix(info.fileName()), temporary, reason);
    if (descriptor < 0)
        return reason;

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
    bool renameFailed = false;
    if (error == 0 &&
        ::renameat(folder.value, temporary.constData(), folder.value, name.constData()) != 0) {
        error = errno;
        renameFailed = true;
    }
    if (error != 0)
        ::unlinkat(folder.value, temporary.constData(), 0);
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (renameFailed)
        return QStringLiteral("renaming the ") + aboutTemporary(temporary, error);
    if (error != 0)
        return systemReason(error);
    syncFolder(folder.value);
    return {};
}

void removeStaleTemporaryFiles(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = temporaryPrefix(info.fileName());
    const QDir folderEntries = info.absoluteDir();
    const QStringList names =
        folderEntries.entryList({prefix + QString(kRandomLength, QLatin1Char('?'))},
                                QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    if (names.isEmpty())
        return;
    const Descriptor folder{openFolder(QFile::encodeName(info.absolutePath()))};
    for (const QString& name : names) {
        const QByteArray encoded = QFile::encodeName(name);
        const int descriptor =
            ::openat(folder.value, encoded.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        // A save still writing holds the lock; a killed one's lock went with its process.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder.value, encoded.constData(), 0);
        ::close(descriptor);
    }
}

int lookupError(const QString& path)
{
    struct stat status
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? 0 : errno;
}

QString reasonOf(int error)
{
    return systemReason(error);
}

FileLock tryLock(const QString& path, bool create)
{
    FileLock lock;
    const QByteArray encoded = QFile::encodeName(path);
    lock.descriptor = create ? ::open(encoded.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)
                             : ::open(encoded.constData(), O_RDONLY | O_CLOEXEC);
    if (lock.descriptor < 0) {
        lock.reason = systemReason(errno);
        return lock;
    }
    if (::flock(lock.descriptor, LOCK_EX | LOCK_NB) == 0) {
        lock.state = LockState::Held;
        return lock;
    }
    const int error = errno;
    ::close(lock.descriptor);
    lock.descriptor = -1;
    if (error == EWOULDBLOCK) {
        lock.state = LockState::Taken;
    } else {
        lock.reason = systemReason(error);
    }
    return lock;
}

void unlock(FileLock& lock)
{
    if (lock.descriptor >= 0)
        ::close(lock.descriptor);
    lock.descriptor = -1;
    lock.state = LockState::Unsupported;
}

qint64 lockHolder(const QString& path)
{
#ifdef Q_OS_LINUX
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    // The system lists every lock as "N: FLOCK ADVISORY WRITE PID MAJ:MIN:INODE ...", the
    // device numbers in hexadecimal; a line with "->" is a waiter, not the holder.
    const QByteArray device = QByteArray::number(major(status.st_dev), 16).rightJustified(2, '0') +
                              ':' +
                              QByteArray::number(minor(status.st_dev), 16).rightJustified(2, '0') +
                              ':' + QByteArray::number(quint64(status.st_ino));
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields.at(1) != "FLOCK")
            continue;
        if (fields.at(5) == device)
            return fields.at(4).toLongLong();
    }
#else
    Q_UNUSED(path);
#endif
    return 0;
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

int lookupError(const QString& path)
{
    return QFileInfo::exists(path) ? 0 : ENOENT;
}

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Saves run unlocked where the system's locks are not wired in.
FileLock tryLock(const QString&, bool)
{
    return FileLock{LockState::Unsupported, -1, QStringLiteral("not supported")};
}

void unlock(FileLock& lock)
{
    lock = FileLock{};
}

qint64 lockHolder(const QString&)
{
    return 0;
}

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

#include "Faults.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>

namespace tarn::test {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

void setFileSizeLimit(rlim_t bytes)
{
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

void limitFileSize(QProcess& process, qint64 bytes)
{
    process.setChildProcessModifier([bytes] { setFileSizeLimit(static_cast<rlim_t>(bytes)); });
}

FileLock::FileLock(const QString& path)
{
    m_descriptor = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor >= 0 && ::flock(m_descriptor, LOCK_EX) != 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool makeFifo(const QString& path)
{
    return ::mkfifo(native(path).constData(), 0600) == 0;
}

bool makeNullDevice(const QString& path)
{
    return ::mknod(native(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

bool makeLinkLoop(const QString& path)
{
    const QString other = path + QStringLiteral(".other");
    return ::symlink(native(other).constData(), native(path).constData()) == 0 &&
           ::symlink(native(path).constData(), native(other).constData()) == 0;
}

bool isCharacterDevice(const QString& path)
{
    struct stat info = {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

quint64 inode(const QString& path)
{
    struct stat info = {};
    return ::stat(native(path).constData(), &info) == 0 ? info.st_ino : 0;
}

int permissions(const QString& path)
{
    struct stat info = {};
    return ::stat(native(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

bool setPermissions(const QString& path, int mode)
{
    return ::chmod(native(path).constData(), static_cast<mode_t>(mode)) == 0;
}

void killNow(qint64 pid)
{
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}

} // namespace tarn::test

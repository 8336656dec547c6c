#pragma once

#include <QByteArray>
#include <QString>

class QProcess;

// The faults tests inject into the file system and processes. Every POSIX-only call the tests
// make is here.
namespace tarn::test {

// Files the process about to be started writes cannot grow beyond `bytes`: SIGXFSZ is ignored,
// so a write past the limit fails with "File too large", also for root.
void limitFileSize(QProcess& process, qint64 bytes);

// Holds an exclusive lock on a file, as a save that is still writing its temporary file does.
class FileLock
{
public:
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return m_descriptor >= 0; }

private:
    int m_descriptor = -1;
};

bool makeFifo(const QString& path);
// A private character device that discards what is written, like /dev/null; needs root.
bool makeNullDevice(const QString& path);
// `path` and `path` + ".other" as symbolic links to each other.
bool makeLinkLoop(const QString& path);
bool isCharacterDevice(const QString& path);
quint64 inode(const QString& path);
int permissions(const QString& path); // the mode's permission bits
bool setPermissions(const QString& path, int mode);
void killNow(qint64 pid); // SIGKILL

} // namespace tarn::test

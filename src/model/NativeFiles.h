#pragma once

#include <cstddef>
#include <optional>

#include <QByteArray>
#include <QString>

// The few file operations Qt does not offer, one implementation per platform. Each returns the
// system's reason on failure and an empty string on success.
namespace tarn::native {

// Replaces the regular file (or the place for a new one) at `target`, which is no symbolic link,
// through a temporary file in the same folder; an existing file's permissions (and, where the
// system allows, owner) are kept, and the file and its folder are synced. The temporary file is
// made and renamed relative to the open folder, so a path near the system's limit still works;
// a failure that concerns it names it.
QString replaceWhole(const QString& target, const QByteArray& bytes);

// The system's error for a path that cannot be looked up (0 when it can): tells a missing file
// (ENOENT) from one behind a loop of links (ELOOP) or a path too long.
int lookupError(const QString& path);
// The system's text for an error number.
QString reasonOf(int error);

// An exclusive lock on a file or folder itself, which the system drops when the descriptor is
// closed or its process ends, so that a killed process never leaves it behind.
enum class LockState { Held, Taken, Unsupported };
struct FileLock
{
    LockState state = LockState::Unsupported;
    int descriptor = -1;
    QString reason; // why the lock is unsupported
};
// Tries once, without waiting; `create` makes a missing file first.
FileLock tryLock(const QString& path, bool create);
void unlock(FileLock& lock);
// The process that holds a lock on the file or folder at `path`, 0 when unknown.
qint64 lockHolder(const QString& path);

// Removes temporary files that replaceWhole left beside `target` when its process was killed;
// one still in use by a running save is left alone.
void removeStaleTemporaryFiles(const QString& target);

// The descriptor a path stands for when it names a stream this process has open
// ("/dev/stdout", "/dev/fd/3", "/proc/self/fd/1"); such a path must be written into, not replaced.
std::optional<int> openStreamOf(const QString& path);

// Writes all bytes to an open descriptor, which stays open.
QString writeToStream(int descriptor, const QByteArray& bytes);

// Asks the system to back a large fresh buffer with memory now, in one call, rather than page
// by page as it is first written; a hint only, which may do nothing.
void prefault(void* data, std::size_t size);

} // namespace tarn::native

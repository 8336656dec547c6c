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
// system allows, owner) are kept, and the file and its folder are synced.
QString replaceWhole(const QString& target, const QByteArray& bytes);

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

#pragma once

#include "model/FileRead.h"

#include <optional>

#include <QByteArray>
#include <QString>

namespace tarn {

// Replaces a file's contents whole, so that a failure or a crash at any moment leaves either
// the old or the new contents: the bytes go to a temporary file beside it, which is synced and
// renamed over the file, and the folder is synced. A symbolic link is written through (the link
// stays; its target takes the bytes and keeps its permissions). Temporary files that a killed
// save left beside the file are removed first. Returns the problem, or nothing on success.
std::optional<FileProblem> replaceFile(const QString& path, const QByteArray& bytes);

// Writes output where the user pointed it: a stream this process already has open (standard
// output, "/dev/fd/N"), a device or a pipe is written into, never replaced; a regular file, or a
// path where nothing is yet, is replaced as by replaceFile; a folder is refused.
std::optional<FileProblem> writeOutputFile(const QString& path, const QByteArray& bytes);

} // namespace tarn

#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace tarn {

// A file that could not be read, created or written, with the system's reason.
struct FileProblem
{
    QString path;
    QString reason;

    QString message() const { return path + QStringLiteral(": ") + reason; }
};

struct WholeFile
{
    bool existed = false;
    bool truncated = false; // the file holds more than the bytes read
    QByteArray bytes;
    std::optional<FileProblem> problem;
};

inline constexpr char kLinkLoopReason[] = "Too many levels of symbolic links";

// Where a chain of symbolic links ends (the path itself when it is no link); nothing when the
// chain never ends.
std::optional<QString> followLinks(const QString& path);

// Reads a file whole, up to `maxBytes`. Only regular files are read: a folder, a device or a
// pipe is a problem, never a read that blocks or never ends, and so is a loop of symbolic links.
// A missing file, or a link to one, is no problem.
WholeFile readWholeFile(const QString& path, qint64 maxBytes);

} // namespace tarn

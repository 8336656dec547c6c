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

// Reads a file whole, up to `maxBytes`. Only regular files are read: a folder, a device or a
// pipe is a problem, never a read that blocks or never ends. A missing file is no problem.
WholeFile readWholeFile(const QString& path, qint64 maxBytes);

} // namespace tarn

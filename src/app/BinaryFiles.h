#pragma once

#include "model/FileRead.h"

#include <optional>

#include <QByteArray>
#include <QString>

namespace tarn {

struct BinaryRead
{
    bool existed = false;
    bool created = false; // a missing file was created empty
    QByteArray bytes;
    std::optional<FileProblem> problem;
};

// Reads a whole binary file. A missing file is created empty when `createIfMissing`; a file
// that cannot be read or created reads as empty and carries its problem.
BinaryRead readBinaryFile(const QString& path, bool createIfMissing);

} // namespace tarn

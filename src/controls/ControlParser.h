#pragma once

#include "controls/ControlSet.h"
#include "model/Rounding.h"

#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarn {

// Something the parser passed over, for authors of description files (the editor shows none).
struct ParseDiagnostic
{
    int line = 0;
    QString message;
};

struct ControlFileResult
{
    bool opened = false;
    bool existed = false;   // something is there, even if it could not be read
    QString error;          // path and the system's reason when the file could not be read
    bool truncated = false; // entries beyond the 32767th were not created
    std::vector<ParseDiagnostic> diagnostics;
};

// Parses the bytes of one description file into `set` (which must be empty) and rebuilds
// its NodeToPointer map. The set keeps a shared reference to `bytes`; a view is copied.
ControlFileResult parseControlDescription(const QByteArray& bytes, ControlSet& set);
ControlFileResult parseControlDescription(QByteArrayView bytes, ControlSet& set);

// Reads and parses the file at `path`. A file that cannot be read leaves the set empty with
// `loaded` false and NodeToPointer not rebuilt.
ControlFileResult LoadControlSet(ControlSet& set, const QString& path);

} // namespace tarn

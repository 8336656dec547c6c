#pragma once

#include "app/KnownFiles.h"
#include "model/ConfigModel.h"
#include "model/FileRead.h"

#include <optional>

#include <QDateTime>
#include <QString>

namespace tarn {

// Unsaved edits of one configuration folder, kept in the user's state folder (never in the
// configuration folder) so that they survive a crash of the editor.
struct RecoveryRecord
{
    QString folder;
    QDateTime time;      // when the record was made
    ConfigModel model;   // its configuration blocks: the edits
    KnownFiles diskSeen; // the folder's files as the editor knew them then

    // Whether the folder's files on disk differ now from what the editor knew.
    bool diskChangedSince() const { return !diskSeen.changedOnDisk().empty(); }
};

// Where the record of a folder lives.
QString recoveryRecordPath(const QString& folder);

// Replaces the folder's record whole, so that a crash while writing leaves the previous one.
std::optional<FileProblem> writeRecoveryRecord(const RecoveryRecord& record);

// The folder's record; nothing when there is none. A record that cannot be read, or is not
// whole, is a problem (and no record).
std::optional<RecoveryRecord> readRecoveryRecord(const QString& folder,
                                                 std::optional<FileProblem>* problem = nullptr);

// Removes the folder's record; removing none is no problem.
std::optional<FileProblem> removeRecoveryRecord(const QString& folder);

} // namespace tarn

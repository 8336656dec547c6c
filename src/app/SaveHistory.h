#pragma once

#include "model/ConfigModel.h"
#include "model/FileRead.h"

#include <optional>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tarn {

// Saves kept per configuration folder; older ones are removed beyond this.
inline constexpr int kKeptVersionLimit = 100;

// How many values one save changed, as the editor would show them.
struct ChangeCounts
{
    int crosspointSlots = 0;
    int loops = 0;
    int meters = 0;
    int compressorValues = 0;
};

ChangeCounts countChanges(const ConfigModel& before, const ConfigModel& after);

// One binary file as a save found it before replacing it.
struct KeptFile
{
    QString name;         // "aes3mix.trn"
    bool existed = false; // false: the save created it
    bool changed = false; // the save wrote other bytes than it found
    bool written = false; // the save replaced it
    QByteArray bytes;     // what it held before the save
};

// Version N: the folder's binary files as they were just before save N, and what that save did.
struct KeptVersion
{
    int number = 0;
    QDateTime time;
    QString program; // which program saved
    QString note;    // what kind of save: empty, or "restore of N"
    std::vector<KeptFile> files;
    ChangeCounts changes;

    const KeptFile* file(const QString& name) const;
};

// One line on a kept version, as the history lists it: number, time, program, the files its
// save changed and how many values.
QString keptVersionText(const KeptVersion& version);

// Where the kept versions of a folder live; remove it to forget them.
QString historyFolder(const QString& folder);

// Where version `number` of a folder lives: a folder holding its files under their own names.
QString keptVersionFolder(const QString& folder, int number);

// The kept versions of a folder, oldest first, without their bytes. A version whose record
// cannot be read is left out.
std::vector<KeptVersion> listKeptVersions(const QString& folder);
// Version `number` with the bytes of its files; nothing when it is not kept.
std::optional<KeptVersion> readKeptVersion(const QString& folder, int number);

// Keeps the files a save is about to replace, under the next number, whole or not at all; then
// removes the oldest versions beyond the limit. Call it under the folder's save lock.
std::optional<FileProblem> keepVersion(const QString& folder, KeptVersion& version);
// Records which files the save went on to write; a save that wrote none is forgotten.
void settleVersion(const QString& folder, const KeptVersion& version);

} // namespace tarn

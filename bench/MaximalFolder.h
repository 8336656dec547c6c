#pragma once

#include <QByteArray>
#include <QString>

namespace tarn::bench {

// A control description file of `entries` entries that uses every directive form, nests
// deeply and gives entry e (counted from 0) the pointer e, so every pointer 0..entries-1 is
// valid.
QByteArray controlDescription(int entries);

// Writes a folder at the format's limits into `folder`: four control description files of
// 32767 entries each, full name lists and all four binary files, every stored pointer valid.
void writeMaximalFolder(const QString& folder);

// Writes the same kind of folder with six entries per control description file.
void writeTinyFolder(const QString& folder);

} // namespace tarn::bench

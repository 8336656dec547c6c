#pragma once

#include <QString>

namespace tarn::bench {

// Writes a folder at the format's limits into `folder`: four control description files of
// 32767 entries each (every one with a pointer), full name lists and all four binary files.
void writeMaximalFolder(const QString& folder);

} // namespace tarn::bench

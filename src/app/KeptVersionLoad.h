#pragma once

#include "app/LoadSequence.h"

#include <memory>

namespace tarn {

// Loads kept version `number` of a folder as the editor would load the folder holding it: the
// folder's own control descriptions and names, the version's binary files. Null when that
// version is not kept whole.
std::unique_ptr<FolderLoad> LoadKeptVersion(const QString& folder, int number);

} // namespace tarn

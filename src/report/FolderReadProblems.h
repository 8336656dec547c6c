#pragma once

#include "app/BinaryFiles.h"

#include <vector>

namespace tarn {

struct FolderLoad;

// What kept a load from seeing the folder as it is: the folder itself missing, or a file that
// exists but could not be read (the editor would carry on with defaults or empty names; a
// report built on that would be wrong). Missing files are not problems here.
std::vector<FileProblem> folderReadProblems(const FolderLoad& load);

} // namespace tarn

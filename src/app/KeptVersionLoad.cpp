#include "app/KeptVersionLoad.h"

#include "app/SaveHistory.h"

namespace tarn {

std::unique_ptr<FolderLoad> LoadKeptVersion(const QString& folder, int number)
{
    // Read once whole first: its digests tell a torn version from a kept one.
    if (!readKeptVersion(folder, number))
        return nullptr;
    auto load = std::make_unique<FolderLoad>();
    load->folder = keptVersionFolder(folder, number);
    load->model.configFolder = folder;
    LoadTextFiles(*load, folder);
    LoadBinaryFiles(*load, MissingFiles::Leave);
    return load;
}

} // namespace tarn

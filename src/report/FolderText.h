#pragma once

#include <optional>

#include <QString>

namespace tarn {

struct FolderLoad;

// Which part of a folder to show; nothing chosen shows everything.
struct ShowSelection
{
    std::optional<int> mixer;  // 0 AES3, 1 IP: only that mixer's crosspoints and loops
    std::optional<int> output; // 0..31: only that mix output, and no loops, meters, compressor
};

// The configuration in readable text, as the editor shows it after start-up: per mixer and
// mix output the crosspoint grid (row labels, the cell text of every slot with its pointer),
// the loops grids, the meter lists' entries and the compressor spinners, then the gain table
// and reserved words that no widget shows.
QString folderText(const FolderLoad& load, const ShowSelection& selection = {});

} // namespace tarn

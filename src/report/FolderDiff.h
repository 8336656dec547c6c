#pragma once

#include <vector>

#include <QString>

namespace tarn {

struct FolderLoad;

enum class DifferenceKind { Slot, Loop, Meter, CompressorWord };

struct Difference
{
    DifferenceKind kind;
    // Place, then the value in folder A and in folder B with the text each folder shows:
    // AES3 output 5 "PGM L", input 12 "Mic 12", CONTROL B: 17 "Fader 2" -> 25 ----INVALID----
    QString text;
};

// Every slot, loop, meter byte and compressor word in which two loaded folders differ, as
// each folder's editor would hold them after start-up. Places are named with folder A's
// names, and with B's as well where they differ; controls and meter sources with each
// folder's own texts.
std::vector<Difference> diffFolders(const FolderLoad& a, const FolderLoad& b);

} // namespace tarn

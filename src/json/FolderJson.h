#pragma once

namespace tarn {

class JsonWriter;
struct FolderLoad;

inline constexpr char kFolderJsonFormat[] = "tarnconfig-folder";
inline constexpr int kFolderJsonVersion = 1;

// The configuration as the editor holds it after start-up, as one JSON document: per mixer
// the names, every crosspoint slot and loop with its pointer and the text of the entry that
// carries it (null when none does), the meters with their list entries, and the compressor
// words.
void folderJson(const FolderLoad& load, JsonWriter& json);

} // namespace tarn

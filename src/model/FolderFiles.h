#pragma once

#include <QString>

namespace tarn {

// File names as the unit's folders spell them; the leading backslash is the path separator.
inline constexpr char kAes3MixFile[] = "\\aes3mix.trn";
inline constexpr char kIpMixFile[] = "\\ipmix.trn";
inline constexpr char kMeterFile[] = "\\aes3meters.trn";
inline constexpr char kCompressorFile[] = "\\compressor.trn";
inline constexpr char kAes3InputsFile[] = "\\aes3inputs.txt";
inline constexpr char kIpInputsFile[] = "\\ipinputs.txt";
inline constexpr char kAes3OutputsFile[] = "\\aes3outputs.txt";
inline constexpr char kIpOutputsFile[] = "\\ipoutputs.txt";
inline constexpr char kAes3LoopsFile[] = "\\aes3loops.txt";
inline constexpr char kIpLoopsFile[] = "\\iploops.txt";
// Control description files, joined to the folder with a separator.
inline constexpr char kControlFiles[4][21] = {"aes3controls.txt", "ipcontrols.txt",
                                              "aes3loopcontrols.txt", "iploopcontrols.txt"};

const char* mixFileName(int mixer);
const char* inputsFileName(int mixer);
const char* outputsFileName(int mixer);
const char* loopsFileName(int mixer);

// The folder followed directly by a backslash-led name, the backslash turned into the
// platform's separator.
QString folderFilePath(const QString& folder, const char* backslashName);
// The folder, a separator and a control description file name.
QString controlFilePath(const QString& folder, int set);

// Trailing separator dropped except at a root ("D:\data\" -> "D:\data", "/data/" -> "/data");
// a bare drive "C:" becomes "C:\".
QString NormalizeFolderPath(const QString& path);
// True when path is not empty and names an existing file or folder.
bool PathExists(const QString& path);

} // namespace tarn

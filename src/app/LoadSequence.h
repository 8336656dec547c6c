#pragma once

#include "app/BinaryFiles.h"
#include "app/FolderLock.h"
#include "app/SaveHistory.h"
#include "controls/ControlParser.h"
#include "controls/ControlSet.h"
#include "editors/CompressorEditor.h"
#include "model/ConfigModel.h"
#include "model/MixFile.h"
#include "texts/ChannelNames.h"

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include <QString>

namespace tarn {

// How one binary file of the folder was found at load.
struct BinaryFileLoad
{
    QString path;
    bool existed = false;
    bool created = false;
    bool defaulted = false; // its length gave the built-in defaults
    QByteArray bytes;       // as read
};

struct MixFileLoad : BinaryFileLoad
{
    MixLayout layout = MixLayout::Empty;
    MixCheck check;
};

// Whether a load creates the binary files that are missing (the editor does; read-only tools
// must not).
enum class MissingFiles { Create, Leave };

// Everything a folder's load yields: the model as the editor holds it once start-up is over,
// the control sets, the names, and what the views need to show it.
struct FolderLoad
{
    QString folder;
    ConfigModel model;
    std::array<ControlSet, kSetCount> sets;
    std::array<ControlFileResult, kSetCount> controlFiles;
    ChannelNames names;
    std::array<MixFileLoad, kMixerCount> mixFiles;
    BinaryFileLoad meterFile;
    BinaryFileLoad compressorFile;

    // Column 1 of each loops grid: the control's cell text, or the invalid marker.
    std::array<std::array<QString, kLoopCount>, kMixerCount> loopCellTexts;
    // The list position each meter shows, and the spinner positions of the compressor.
    std::array<int, kMeterCount> meterPositions{};
    CompressorPositions compressorPositions;

    // Files that could not be read or created; the load went on with defaults.
    std::vector<FileProblem> problems;
    // The binary files among them that exist but could not be read: a save never replaces them.
    std::vector<QString> unreadFiles;
};

// What a save did, file by file, in the order of the writes.
struct SaveReport
{
    std::vector<QString> written;
    std::vector<QByteArray> writtenBytes; // what each written file now holds
    std::vector<FileProblem> notWritten;
    // The files were saved, but the versions they replaced could not be kept.
    std::optional<FileProblem> historyProblem;
    int keptVersion = 0; // the number the replaced versions are kept under, 0 when none

    bool complete() const { return notWritten.empty(); }
};

struct SaveOptions
{
    QString program; // who saves, for the history; the application's name when empty
    QString note;    // what kind of save, for the history
    std::chrono::milliseconds lockWait = kSaveLockWait;
};

// Reads a whole folder in the editor's order: the four control description files, the
// channel name lists, both mix files (checked against the sets), the meter file and the
// compressor file, then settles the model as the editor's start-up leaves it.
std::unique_ptr<FolderLoad> LoadSequence(const QString& folder,
                                         MissingFiles missing = MissingFiles::Create);

// The last part of LoadSequence: reads the folder's binary files into `load.model`, against the
// control sets already in `load`. The model must hold no configuration yet (as constructed);
// tools that read many binary files against one folder's sets call this alone.
void LoadBinaryFiles(FolderLoad& load, MissingFiles missing = MissingFiles::Create);

// Writes the four binary files in order (both mix files, meters, compressor), each through
// an atomic replace. Every file is attempted except those in `unreadAtLoad`: what a file held
// when the load could not read it was never seen, so it is not replaced even if it can be read
// by now. A file that cannot be read at the save is not replaced either (a mix file's bytes
// beyond the image would be lost).
// A save holds the folder's lock while it writes, so that two saves never interleave and its
// four files land together, and keeps the versions it replaces (see SaveHistory.h); a save that
// changes no byte keeps nothing.
SaveReport SaveAll(const ConfigModel& model, const QString& folder,
                   const std::vector<QString>& unreadAtLoad = {}, const SaveOptions& options = {});

// Writes kept version `version` back through the same save (itself kept in turn): each file as
// it was kept, a file the version did not have as an empty one, which reads as missing does.
SaveReport RestoreVersion(const QString& folder, const KeptVersion& version,
                          const SaveOptions& options = {});

// The first part of LoadSequence: the control description files and the name lists of `folder`.
void LoadTextFiles(FolderLoad& load, const QString& folder);

} // namespace tarn

#include "app/LoadSequence.h"

#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/Index.h"
#include "model/MeterFile.h"
#include "texts/DisplayTexts.h"

namespace tarn {

namespace {

BinaryFileLoad readFolderFile(FolderLoad& folderLoad, const QString& path, MissingFiles missing)
{
    BinaryRead read = readBinaryFile(path, missing == MissingFiles::Create);
    if (read.problem) {
        folderLoad.problems.push_back(*read.problem);
        if (read.existed)
            folderLoad.unreadFiles.push_back(path);
    }
    BinaryFileLoad load;
    load.path = path;
    load.existed = read.existed;
    load.created = read.created;
    load.bytes = std::move(read.bytes);
    return load;
}

void loadMixFile(FolderLoad& load, int mixer, MissingFiles missing)
{
    MixFileLoad& file = at(load.mixFiles, mixer);
    static_cast<BinaryFileLoad&>(file) =
        readFolderFile(load, folderFilePath(load.folder, mixFileName(mixer)), missing);
    file.layout = mixLayoutForLength(file.bytes.size());
    file.defaulted = file.layout == MixLayout::Empty;
    applyMixFileBytes(load.model, mixer, file.bytes);
    const ControlSet& loopSet = at(load.sets, loopSetOf(mixer));
    const auto hasEntry = [](const ControlSet& set) {
        return [&set](int pointer) {
            return set.hasEntryFor(pointer);
        };
    };
    file.check = checkMixSettings(
        load.model, mixer, hasEntry(at(load.sets, crosspointSetOf(mixer))), hasEntry(loopSet));
    for (int l = 0; l < kLoopCount; ++l) {
        at(at(load.loopCellTexts, mixer), l) =
            at(file.check.loopInvalid, l)
                ? QString::fromLatin1(kInvalidMarker)
                : controlCellText(loopSet, load.model.loopAssignment(mixer, l));
    }
}

} // namespace

std::unique_ptr<FolderLoad> LoadSequence(const QString& folder, MissingFiles missing)
{
    auto load = std::make_unique<FolderLoad>();
    load->folder = folder;
    load->model.configFolder = folder;

    LoadTextFiles(*load, folder);
    LoadBinaryFiles(*load, missing);
    return load;
}

void LoadTextFiles(FolderLoad& load, const QString& folder)
{
    for (int set = 0; set < kSetCount; ++set) {
        auto& result = at(load.controlFiles, set);
        result = LoadControlSet(at(load.sets, set), controlFilePath(folder, set));
    }
    load.names = channelNamesFromLists(readNameListFiles(folder));
}

void LoadBinaryFiles(FolderLoad& load, MissingFiles missing)
{
    const QString& folder = load.folder;
    // The view construction selects "DISABLED" in every meter list before any file is read.
    for (int i = 0; i < kMeterCount; ++i)
        load.model.setMeter(i, kMeterDisabled);

    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        loadMixFile(load, mixer, missing);

    load.meterFile = readFolderFile(load, folderFilePath(folder, kMeterFile), missing);
    load.meterFile.defaulted = load.meterFile.bytes.size() != kMeterImageSize;
    applyMeterFileBytes(load.model, load.meterFile.bytes);
    for (int i = 0; i < kMeterCount; ++i)
        at(load.meterPositions, i) = meterPositionForByte(load.model.meter(i));

    load.compressorFile = readFolderFile(load, folderFilePath(folder, kCompressorFile), missing);
    load.compressorFile.defaulted = load.compressorFile.bytes.size() != kCompressorImageSize;
    applyCompressorFileBytes(load.model, load.compressorFile.bytes);
    // Spinners stand at 0 until the load moves them.
    load.compressorPositions = settleCompressor(load.model, CompressorPositions{});
}

} // namespace tarn

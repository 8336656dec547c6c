#include "app/LoadSequence.h"

#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/MeterFile.h"
#include "views/ViewTexts.h"

namespace tarn {

namespace {

BinaryFileLoad readFolderFile(const QString& path, MissingFiles missing,
                              std::vector<FileProblem>& problems)
{
    BinaryRead read = readBinaryFile(path, missing == MissingFiles::Create);
    if (read.problem)
        problems.push_back(*read.problem);
    BinaryFileLoad load;
    load.path = path;
    load.existed = read.existed;
    load.created = read.created;
    load.bytes = std::move(read.bytes);
    return load;
}

void loadMixFile(FolderLoad& load, int mixer, MissingFiles missing)
{
    MixFileLoad& file = load.mixFiles[static_cast<std::size_t>(mixer)];
    static_cast<BinaryFileLoad&>(file) =
        readFolderFile(folderFilePath(load.folder, mixFileName(mixer)), missing, load.problems);
    file.layout = mixLayoutForLength(file.bytes.size());
    file.defaulted = file.layout == MixLayout::Empty;
    applyMixFileBytes(load.model, mixer, file.bytes);
    const ControlSet& loopSet = load.sets[static_cast<std::size_t>(loopSetOf(mixer))];
    file.check = checkMixSettings(
        load.model, mixer, load.sets[static_cast<std::size_t>(crosspointSetOf(mixer))], loopSet);
    for (int l = 0; l < kLoopCount; ++l) {
        load.loopCellTexts[static_cast<std::size_t>(mixer)][static_cast<std::size_t>(l)] =
            file.check.loopInvalid[static_cast<std::size_t>(l)]
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

    for (int set = 0; set < kSetCount; ++set) {
        auto& result = load->controlFiles[static_cast<std::size_t>(set)];
        result =
            LoadControlSet(load->sets[static_cast<std::size_t>(set)], controlFilePath(folder, set));
    }

    load->names = readChannelNames(folder);
    LoadBinaryFiles(*load, missing);
    return load;
}

void LoadBinaryFiles(FolderLoad& load, MissingFiles missing)
{
    const QString& folder = load.folder;
    // The view construction selects "DISABLED" in every meter list before any file is read.
    for (int i = 0; i < kMeterCount; ++i)
        load.model.setMeter(i, kMeterDisabled);

    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        loadMixFile(load, mixer, missing);

    load.meterFile = readFolderFile(folderFilePath(folder, kMeterFile), missing, load.problems);
    load.meterFile.defaulted = load.meterFile.bytes.size() != kMeterImageSize;
    applyMeterFileBytes(load.model, load.meterFile.bytes);
    for (int i = 0; i < kMeterCount; ++i)
        load.meterPositions[static_cast<std::size_t>(i)] =
            meterPositionForByte(load.model.meter(i));

    load.compressorFile =
        readFolderFile(folderFilePath(folder, kCompressorFile), missing, load.problems);
    load.compressorFile.defaulted = load.compressorFile.bytes.size() != kCompressorImageSize;
    applyCompressorFileBytes(load.model, load.compressorFile.bytes);
    // Spinners stand at 0 until the load moves them.
    load.compressorPositions = settleCompressor(load.model, CompressorPositions{});
}

std::vector<FileProblem> SaveAll(const ConfigModel& model, const QString& folder)
{
    std::vector<FileProblem> problems;
    // A file that exists but cannot be read is never replaced: its contents were not seen, and
    // a mix file's bytes beyond the image would be lost.
    const auto save = [&](const QString& path, const auto& bytesFromExisting) {
        const BinaryRead existing = readBinaryFile(path, false);
        if (existing.problem) {
            problems.push_back(*existing.problem);
            return;
        }
        if (auto problem = writeBinaryFile(path, bytesFromExisting(existing.bytes)))
            problems.push_back(*problem);
    };
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        save(folderFilePath(folder, mixFileName(mixer)), [&](const QByteArray& existing) {
            return mixFileBytesForSave(model, mixer, existing);
        });
    }
    save(folderFilePath(folder, kMeterFile), [&](const QByteArray&) { return model.meterImage(); });
    save(folderFilePath(folder, kCompressorFile),
         [&](const QByteArray&) { return model.compressorImage(); });
    return problems;
}

} // namespace tarn

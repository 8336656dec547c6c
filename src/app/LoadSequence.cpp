#include "app/LoadSequence.h"

#include "app/FolderFiles.h"
#include "model/CompressorFile.h"
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
    // The view construction selects "DISABLED" in every meter list before any file is read.
    for (int i = 0; i < kMeterCount; ++i)
        load->model.setMeter(i, kMeterDisabled);

    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        loadMixFile(*load, mixer, missing);

    load->meterFile = readFolderFile(folderFilePath(folder, kMeterFile), missing, load->problems);
    load->meterFile.defaulted = load->meterFile.bytes.size() != kMeterImageSize;
    applyMeterFileBytes(load->model, load->meterFile.bytes);
    for (int i = 0; i < kMeterCount; ++i)
        load->meterPositions[static_cast<std::size_t>(i)] =
            meterPositionForByte(load->model.meter(i));

    load->compressorFile =
        readFolderFile(folderFilePath(folder, kCompressorFile), missing, load->problems);
    load->compressorFile.defaulted = load->compressorFile.bytes.size() != kCompressorImageSize;
    applyCompressorFileBytes(load->model, load->compressorFile.bytes);
    // Spinners stand at 0 until the load moves them.
    load->compressorPositions = settleCompressor(load->model, CompressorPositions{});
    return load;
}

std::vector<FileProblem> SaveAll(const ConfigModel& model, const QString& folder)
{
    std::vector<FileProblem> problems;
    const auto write = [&](const QString& path, const QByteArray& bytes) {
        if (auto problem = writeBinaryFile(path, bytes))
            problems.push_back(*problem);
    };
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        const QString path = folderFilePath(folder, mixFileName(mixer));
        // Bytes beyond the image belong to the file, not to us: carry them over.
        const BinaryRead existing = readBinaryFile(path, false);
        if (existing.problem && existing.existed) {
            problems.push_back(*existing.problem);
            continue;
        }
        write(path, mixFileBytesForSave(model, mixer, existing.bytes));
    }
    write(folderFilePath(folder, kMeterFile), model.meterImage());
    write(folderFilePath(folder, kCompressorFile), model.compressorImage());
    return problems;
}

} // namespace tarn

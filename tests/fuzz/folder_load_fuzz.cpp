// libFuzzer target for the binary files: a whole-folder load, as the editor's start-up does it,
// of a folder whose two mix files, meter file and compressor file come from the input. The
// input is split at "#TARN#" into the four files in that order; a file without a part is
// missing, and a part may have any length. The control description files and name lists are
// the example folder's.
#include "FuzzCheck.h"
#include "app/LoadSequence.h"
#include "model/ByteOrder.h"
#include "model/FolderFiles.h"
#include "model/Index.h"
#include "model/MeterFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr QByteArrayView kSeparator("#TARN#");
constexpr std::array<const char*, 4> kBinaryFiles = {tarn::kAes3MixFile, tarn::kIpMixFile,
                                                     tarn::kMeterFile, tarn::kCompressorFile};

// One folder for the whole run, in memory where the system offers it: the load's file reads
// are part of what is tested, the disk is not.
const QString& folder()
{
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        auto made = std::make_unique<QTemporaryDir>((QDir(shm).exists() ? shm : QDir::tempPath()) +
                                                    QStringLiteral("/tarnfuzz-XXXXXX"));
        FUZZ_CHECK(made->isValid());
        // Saves keep the versions they replace in the user's data folder: the run's own one.
        static const QTemporaryDir home(made->path() + QStringLiteral("-home"));
        FUZZ_CHECK(home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.path()));
        const QDir examples(QStringLiteral(TARN_EXAMPLES_DIR "/studio-a"));
        for (const QString& name : examples.entryList({QStringLiteral("*.txt")}, QDir::Files))
            FUZZ_CHECK(QFile::copy(examples.filePath(name), made->filePath(name)));
        return made;
    }();
    static const QString path = dir->path();
    return path;
}

// The folder's control sets and names are read once; each input reloads only the binary files,
// which is where the input goes.
tarn::FolderLoad& folderLoad()
{
    static const std::unique_ptr<tarn::FolderLoad> load =
        tarn::LoadSequence(folder(), tarn::MissingFiles::Leave);
    return *load;
}

// The binary files' part of the load into a model that holds no configuration, as at start-up.
void loadBinaryFiles(tarn::FolderLoad& load)
{
    load.model = tarn::ConfigModel();
    load.model.configFolder = load.folder;
    load.problems.clear();
    load.unreadFiles.clear();
    tarn::LoadBinaryFiles(load);
}

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
}

// What the start-up leaves in the model, whatever the files held. Not instrumented: the
// checks' own branches are no coverage of the load.
__attribute__((no_sanitize("coverage"))) void
checkLoad(const tarn::FolderLoad& load, const std::array<std::optional<QByteArrayView>, 4>& parts)
{
    const tarn::ConfigModel& model = load.model;
    FUZZ_CHECK(load.problems.empty());
    for (int m = 0; m < tarn::kMixerCount; ++m) {
        checkMixerInRange(model, m);
        const tarn::MixFileLoad& file = tarn::at(load.mixFiles, m);
        const auto& part = tarn::at(parts, m);
        FUZZ_CHECK(file.existed == part.has_value());
        FUZZ_CHECK(file.bytes == part.value_or(QByteArrayView()));
        for (const tarn::InvalidSlot& slot : file.check.invalidSlots)
            FUZZ_CHECK(slot.pointer >= 0 && !tarn::at(load.sets, m).hasEntryFor(slot.pointer));
    }
    for (const int position : load.meterPositions)
        FUZZ_CHECK(position >= 0 && position <= tarn::kLastMeterSource + 1);

    // Settling the compressor again changes nothing.
    tarn::ConfigModel settled = model;
    FUZZ_CHECK(tarn::settleCompressor(settled, load.compressorPositions) ==
               load.compressorPositions);
    FUZZ_CHECK(settled == model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    std::array<std::optional<QByteArrayView>, 4> parts;
    qsizetype start = 0;
    for (std::size_t k = 0; k < parts.size() && start <= input.size(); ++k) {
        const qsizetype end = k + 1 == parts.size() ? -1 : input.sliced(start).indexOf(kSeparator);
        const qsizetype length = end < 0 ? input.size() - start : end;
        parts[k] = input.sliced(start, length);
        start += length + kSeparator.size();
        if (end < 0)
            break;
    }
    const QString& dir = folder();
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const QString path = tarn::folderFilePath(dir, kBinaryFiles[k]);
        if (parts[k])
            writeFile(path, *parts[k]);
        else
            QFile::remove(path);
    }

    tarn::FolderLoad& load = folderLoad();
    loadBinaryFiles(load);
    checkLoad(load, parts);
    const tarn::ConfigModel loaded = load.model;
    const tarn::CompressorPositions compressorPositions = load.compressorPositions;
    const std::array<int, tarn::kMeterCount> meterPositions = load.meterPositions;

    // Saved and loaded again, the model is the same, and the files hold what a save writes:
    // a mix file keeps the bytes it had beyond the image.
    FUZZ_CHECK(tarn::SaveAll(loaded, dir).complete());
    loadBinaryFiles(load);
    FUZZ_CHECK(load.problems.empty());
    for (int m = 0; m < tarn::kMixerCount; ++m) {
        const QByteArrayView before = tarn::at(parts, m).value_or(QByteArrayView());
        const QByteArray& saved = tarn::at(load.mixFiles, m).bytes;
        FUZZ_CHECK(saved == tarn::mixFileBytesForSave(loaded, m, before));
        FUZZ_CHECK(saved.size() == std::max<qsizetype>(before.size(), tarn::kMixImageSize));
    }
    FUZZ_CHECK(load.meterFile.bytes == loaded.meterImage());
    FUZZ_CHECK(load.compressorFile.bytes == loaded.compressorImage());
    FUZZ_CHECK(load.model == loaded);
    FUZZ_CHECK(load.compressorPositions == compressorPositions);
    FUZZ_CHECK(load.meterPositions == meterPositions);
    return 0;
}

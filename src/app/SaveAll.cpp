#include "app/LoadSequence.h"
#include "model/CompressorFile.h"
#include "model/FileWrite.h"
#include "model/FolderFiles.h"
#include "model/MeterFile.h"

#include <algorithm>
#include <functional>

namespace tarn {

namespace {

constexpr char kUnreadAtLoadReason[] =
    "could not be read when the folder was loaded, so it is never replaced in this session";

constexpr const char* kSaveOrder[] = {kAes3MixFile, kIpMixFile, kMeterFile, kCompressorFile};

// The new bytes of the file at index k of the save order, given what the file holds now.
using BytesFor = std::function<QByteArray(int k, const QByteArray& existing)>;

void applyFileBytes(ConfigModel& model, int k, const QByteArray& bytes)
{
    if (k < kMixerCount)
        applyMixFileBytes(model, k, bytes);
    else if (k == kMixerCount)
        applyMeterFileBytes(model, bytes);
    else
        applyCompressorFileBytes(model, bytes);
}

SaveReport saveFiles(const QString& folder, const std::vector<QString>& unreadAtLoad,
                     const SaveOptions& options, const BytesFor& bytesFor)
{
    SaveReport report;
    QString busy;
    const FolderLock lock = FolderLock::acquire(folder, options.lockWait, &busy);
    struct Planned
    {
        QString path;
        QByteArray bytes;
    };
    std::vector<Planned> planned;
    KeptVersion version{0, QDateTime::currentDateTimeUtc(), options.program, options.note, {}, {}};
    ConfigModel before;
    ConfigModel after;
    for (int k = 0; k < int(std::size(kSaveOrder)); ++k) {
        const QString path = folderFilePath(folder, kSaveOrder[k]);
        if (!busy.isEmpty()) {
            report.notWritten.push_back({path, busy});
            continue;
        }
        if (std::find(unreadAtLoad.begin(), unreadAtLoad.end(), path) != unreadAtLoad.end()) {
            report.notWritten.push_back({path, QLatin1String(kUnreadAtLoadReason)});
            continue;
        }
        // A file that cannot be read now is not replaced: a mix file's bytes beyond the image
        // would be lost, and it could not be kept.
        const BinaryRead existing = readBinaryFile(path, false);
        if (existing.problem) {
            report.notWritten.push_back(*existing.problem);
            continue;
        }
        QByteArray bytes = bytesFor(k, existing.bytes);
        applyFileBytes(before, k, existing.bytes);
        applyFileBytes(after, k, bytes);
        version.files.push_back({QString::fromLatin1(kSaveOrder[k] + 1), existing.existed,
                                 !existing.existed || existing.bytes != bytes, false,
                                 existing.bytes});
        planned.push_back({path, std::move(bytes)});
    }
    const bool anyChange = std::any_of(version.files.begin(), version.files.end(),
                                       [](const KeptFile& file) { return file.changed; });
    if (anyChange) {
        version.changes = countChanges(before, after);
        report.historyProblem = keepVersion(folder, version);
        if (!report.historyProblem)
            report.keptVersion = version.number;
    }
    // Written in the order the unit's files always were, each whole or not at all.
    std::size_t kept = 0;
    for (Planned& file : planned) {
        KeptFile& record = version.files[kept++];
        if (auto problem = replaceFile(file.path, file.bytes)) {
            report.notWritten.push_back(*problem);
            continue;
        }
        record.written = true;
        report.written.push_back(file.path);
        report.writtenBytes.push_back(std::move(file.bytes));
    }
    if (report.keptVersion != 0)
        settleVersion(folder, version);
    return report;
}

} // namespace

SaveReport SaveAll(const ConfigModel& model, const QString& folder,
                   const std::vector<QString>& unreadAtLoad, const SaveOptions& options)
{
    return saveFiles(folder, unreadAtLoad, options, [&](int k, const QByteArray& existing) {
        if (k < kMixerCount)
            return mixFileBytesForSave(model, k, existing);
        return k == kMixerCount ? model.meterImage() : model.compressorImage();
    });
}

SaveReport RestoreVersion(const QString& folder, const KeptVersion& version,
                          const SaveOptions& options)
{
    SaveOptions restore = options;
    if (restore.note.isEmpty())
        restore.note = QStringLiteral("restore of %1").arg(version.number);
    // A file the version does not hold at all (that save did not reach it) stays as it is.
    return saveFiles(folder, {}, restore, [&](int k, const QByteArray& existing) {
        const KeptFile* file = version.file(QString::fromLatin1(kSaveOrder[k] + 1));
        return file ? file->bytes : existing;
    });
}

} // namespace tarn

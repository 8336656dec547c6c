#include "app/RecoveryRecord.h"

#include "app/UserFolders.h"
#include "model/FileWrite.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarn {

namespace {

constexpr int kFormat = 1;
constexpr qint64 kMaxRecordSize = 1024 * 1024;

QJsonValue base64(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QJsonObject recordJson(const RecoveryRecord& record)
{
    const ConfigModel& model = record.model;
    QJsonArray loops;
    for (int m = 0; m < kMixerCount; ++m)
        for (int l = 0; l < kLoopCount; ++l)
            loops.append(model.loopAssignment(m, l));
    QJsonArray digests;
    for (const QByteArray& digest : record.diskSeen.digests())
        digests.append(QString::fromLatin1(digest));
    return QJsonObject{{"format", kFormat},
                       {"folder", record.folder},
                       {"time", record.time.toUTC().toString(Qt::ISODateWithMs)},
                       {"mix0", base64(model.mixImage(0))},
                       {"mix1", base64(model.mixImage(1))},
                       {"loops", loops},
                       {"meters", base64(model.meterImage())},
                       {"compressor", base64(model.compressorImage())},
                       {"disk", digests}};
}

// The image of one block, when it is there and of its size.
std::optional<QByteArray> image(const QJsonObject& json, const char* key, qsizetype size)
{
    const auto decoded = QByteArray::fromBase64Encoding(json.value(key).toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != size)
        return std::nullopt;
    return decoded.decoded;
}

std::optional<RecoveryRecord> recordFrom(const QJsonObject& json)
{
    const auto mix0 = image(json, "mix0", kMixImageSize);
    const auto mix1 = image(json, "mix1", kMixImageSize);
    const auto meters = image(json, "meters", kMeterImageSize);
    const auto compressor = image(json, "compressor", kCompressorImageSize);
    const QJsonArray loops = json.value("loops").toArray();
    const QJsonArray disk = json.value("disk").toArray();
    if (json.value("format").toInt() != kFormat || !mix0 || !mix1 || !meters || !compressor ||
        loops.size() != kMixerCount * kLoopCount || disk.size() != KnownFiles::kFileCount)
        return std::nullopt;
    RecoveryRecord record;
    record.folder = json.value("folder").toString();
    record.time = QDateTime::fromString(json.value("time").toString(), Qt::ISODateWithMs);
    record.model.setMixImage(0, *mix0);
    record.model.setMixImage(1, *mix1);
    for (int m = 0; m < kMixerCount; ++m)
        for (int l = 0; l < kLoopCount; ++l)
            record.model.setLoopAssignment(
                m, l, static_cast<std::int16_t>(loops.at(m * kLoopCount + l).toInt()));
    record.model.setMeterImage(*meters);
    record.model.setCompressorImage(*compressor);
    std::array<QByteArray, KnownFiles::kFileCount> digests;
    for (int k = 0; k < KnownFiles::kFileCount; ++k)
        digests[std::size_t(k)] = disk.at(k).toString().toLatin1();
    record.diskSeen = KnownFiles::fromDigests(record.folder, digests);
    return record;
}

} // namespace

QString recoveryRecordPath(const QString& folder)
{
    return userStateFolder() + QStringLiteral("/unsaved/") + folderKey(folder) +
           QStringLiteral(".json");
}

std::optional<FileProblem> writeRecoveryRecord(const RecoveryRecord& record)
{
    const QString path = recoveryRecordPath(record.folder);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return FileProblem{QFileInfo(path).path(), QStringLiteral("cannot be created")};
    return replaceFile(path, QJsonDocument(recordJson(record)).toJson(QJsonDocument::Compact));
}

std::optional<RecoveryRecord> readRecoveryRecord(const QString& folder,
                                                 std::optional<FileProblem>* problem)
{
    const QString path = recoveryRecordPath(folder);
    const WholeFile whole = readWholeFile(path, kMaxRecordSize);
    std::optional<FileProblem> found = whole.problem;
    std::optional<RecoveryRecord> record;
    if (!found && whole.existed) {
        record = recordFrom(QJsonDocument::fromJson(whole.bytes).object());
        // Another folder's record under this name would apply edits where they were not made.
        if (!record || whole.truncated ||
            canonicalFolder(record->folder) != canonicalFolder(folder)) {
            record.reset();
            found = FileProblem{path, QStringLiteral("is not a whole record of unsaved edits")};
        }
    }
    if (problem)
        *problem = found;
    return record;
}

std::optional<FileProblem> removeRecoveryRecord(const QString& folder)
{
    QFile file(recoveryRecordPath(folder));
    if (!file.exists() || file.remove())
        return std::nullopt;
    return FileProblem{file.fileName(), file.errorString()};
}

} // namespace tarn

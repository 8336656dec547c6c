#include "app/KnownFiles.h"

#include "app/LoadSequence.h"
#include "model/FileRead.h"
#include "model/FolderFiles.h"

#include <algorithm>

#include <QCryptographicHash>

namespace tarn {

namespace {

constexpr char kMissing[] = "-";
constexpr qint64 kMaxCompared = 64 * 1024 * 1024;
constexpr const char* kFileOrder[] = {kAes3MixFile, kIpMixFile, kMeterFile, kCompressorFile};

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray contentDigest(bool exists, const QByteArray& bytes)
{
    return exists ? digestOf(bytes) : QByteArray(kMissing);
}

} // namespace

KnownFiles KnownFiles::fromLoad(const FolderLoad& load)
{
    KnownFiles known;
    const BinaryFileLoad* files[kFileCount] = {&load.mixFiles[0], &load.mixFiles[1],
                                               &load.meterFile, &load.compressorFile};
    for (int k = 0; k < kFileCount; ++k) {
        const BinaryFileLoad& file = *files[k];
        known.m_paths[std::size_t(k)] = folderFilePath(load.folder, kFileOrder[k]);
        const bool unread = std::find(load.unreadFiles.begin(), load.unreadFiles.end(),
                                      file.path) != load.unreadFiles.end();
        if (!unread)
            known.m_digests[std::size_t(k)] =
                contentDigest(file.existed || file.created, file.bytes);
    }
    return known;
}

void KnownFiles::noteSaved(const SaveReport& report)
{
    for (std::size_t w = 0; w < report.written.size(); ++w) {
        for (int k = 0; k < kFileCount; ++k) {
            if (m_paths[std::size_t(k)] == report.written[w])
                m_digests[std::size_t(k)] = digestOf(report.writtenBytes[w]);
        }
    }
}

std::vector<QString> KnownFiles::changedOnDisk() const
{
    std::vector<QString> changed;
    for (int k = 0; k < kFileCount; ++k) {
        const auto& known = m_digests[std::size_t(k)];
        if (!known)
            continue;
        const QString& path = m_paths[std::size_t(k)];
        const WholeFile now = readWholeFile(path, kMaxCompared);
        // A file that cannot be read now is not what was seen.
        const QByteArray digest =
            now.problem || now.truncated ? QByteArray() : contentDigest(now.existed, now.bytes);
        if (digest != *known)
            changed.push_back(path);
    }
    return changed;
}

std::array<QByteArray, KnownFiles::kFileCount> KnownFiles::digests() const
{
    std::array<QByteArray, kFileCount> result;
    for (std::size_t k = 0; k < result.size(); ++k)
        result[k] = m_digests[k].value_or(QByteArray());
    return result;
}

KnownFiles KnownFiles::fromDigests(const QString& folder,
                                   const std::array<QByteArray, kFileCount>& digests)
{
    KnownFiles known;
    for (int k = 0; k < kFileCount; ++k) {
        known.m_paths[std::size_t(k)] = folderFilePath(folder, kFileOrder[k]);
        if (!digests[std::size_t(k)].isEmpty())
            known.m_digests[std::size_t(k)] = digests[std::size_t(k)];
    }
    return known;
}

} // namespace tarn

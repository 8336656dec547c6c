#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace tarn {

struct FolderLoad;
struct SaveReport;

// The content of the four binary files as this session last saw them, by the load or by its
// own last save, to tell a change made by another program from a touch that kept the bytes.
class KnownFiles
{
public:
    static constexpr int kFileCount = 4;

    // What the load found; a file it could not read is not known and never reported.
    static KnownFiles fromLoad(const FolderLoad& load);

    // Takes what a save wrote as the files' known content.
    void noteSaved(const SaveReport& report);

    // The paths of the known files whose content on disk differs from the known one now (a
    // file gone or come counts); a new time or the same bytes rewritten is no change.
    std::vector<QString> changedOnDisk() const;

    // Digests of the known contents, "-" for a missing file and "" for an unknown one, in the
    // save order; a recovery record keeps them.
    std::array<QByteArray, kFileCount> digests() const;
    static KnownFiles fromDigests(const QString& folder,
                                  const std::array<QByteArray, kFileCount>& digests);

private:
    std::array<QString, kFileCount> m_paths;
    std::array<std::optional<QByteArray>, kFileCount> m_digests; // nothing: unknown
};

} // namespace tarn

#pragma once

#include "model/NativeFiles.h"

#include <chrono>
#include <optional>

#include <QString>

namespace tarn {

// How long a save waits for another one on the same folder before it gives up.
inline constexpr std::chrono::milliseconds kSaveLockWait{5000};

// The lock every save holds on a configuration folder while it writes its four files, so that
// two saves never interleave. It is taken on the folder itself, adds no file to it, and goes
// with its process however that ends.
class FolderLock
{
public:
    FolderLock() = default;
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&&) = delete;
    ~FolderLock();

    // Waits up to `wait` for the lock. Where the folder or its file system cannot be locked
    // the save goes on unlocked (its writes report their own faults); only a lock that another
    // process keeps past `wait` is a failure, whose text names that process.
    static FolderLock acquire(const QString& folder, std::chrono::milliseconds wait,
                              QString* failure);

    bool held() const { return m_lock.state == native::LockState::Held; }

private:
    native::FileLock m_lock;
};

// Which process holds a lock, for messages: "process N", or "another process" when unknown.
QString lockHolderText(const QString& lockedPath);

// One editor's claim on a configuration folder, so that a second editor opened on it can say
// so. The claim lives in the user's runtime folder and goes with its process however it ends.
class EditorPresence
{
public:
    explicit EditorPresence(const QString& folder);
    ~EditorPresence();
    EditorPresence(const EditorPresence&) = delete;
    EditorPresence& operator=(const EditorPresence&) = delete;

    // Claims the folder for this process. When another live process claims it, returns that
    // process's id (0 when it cannot be told) and claims nothing; where no claim can be made
    // at all, claims nothing and returns nothing.
    std::optional<qint64> claim();
    // The other process that claims the folder, without claiming it.
    std::optional<qint64> otherEditor() const;
    bool claimed() const { return m_lock.state == native::LockState::Held; }
    void release();

private:
    QString m_claimPath;
    native::FileLock m_lock;
};

} // namespace tarn

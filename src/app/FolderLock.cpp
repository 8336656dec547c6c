#include "app/FolderLock.h"

#include "app/UserFolders.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace tarn {

namespace {

constexpr int kPollMilliseconds = 10;

qint64 holderOf(const QString& lockedPath)
{
    if (const qint64 pid = native::lockHolder(lockedPath))
        return pid;
    // Where the system does not list its locks, an editor's claim holds its process id.
    QFile file(lockedPath);
    if (QFileInfo(lockedPath).isFile() && file.open(QIODevice::ReadOnly))
        return file.readAll().trimmed().toLongLong();
    return 0;
}

} // namespace

FolderLock::FolderLock(FolderLock&& other) noexcept : m_lock(other.m_lock)
{
    other.m_lock = native::FileLock{};
}

FolderLock::~FolderLock()
{
    native::unlock(m_lock);
}

FolderLock FolderLock::acquire(const QString& folder, std::chrono::milliseconds wait,
                               QString* failure)
{
    FolderLock result;
    const QDeadlineTimer deadline(wait);
    for (;;) {
        result.m_lock = native::tryLock(folder, false);
        if (result.m_lock.state != native::LockState::Taken)
            return result;
        if (deadline.hasExpired())
            break;
        QThread::msleep(kPollMilliseconds);
    }
    if (failure) {
        *failure = QStringLiteral("the folder is being saved by %1; gave up after %2 seconds")
                       .arg(lockHolderText(folder))
                       .arg(double(wait.count()) / 1000.0);
    }
    return result;
}

QString lockHolderText(const QString& lockedPath)
{
    const qint64 pid = holderOf(lockedPath);
    return pid > 0 ? QStringLiteral("process %1").arg(pid) : QStringLiteral("another process");
}

EditorPresence::EditorPresence(const QString& folder)
    : m_claimPath(userRuntimeFolder() + QStringLiteral("/open-") + folderKey(folder))
{
}

EditorPresence::~EditorPresence()
{
    release();
}

std::optional<qint64> EditorPresence::claim()
{
    if (claimed())
        return std::nullopt;
    QDir().mkpath(QFileInfo(m_claimPath).path());
    m_lock = native::tryLock(m_claimPath, true);
    if (m_lock.state == native::LockState::Taken)
        return holderOf(m_claimPath);
    if (m_lock.state == native::LockState::Held) {
        QFile note;
        if (note.open(m_lock.descriptor, QIODevice::WriteOnly)) {
            note.resize(0);
            note.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
        }
    }
    return std::nullopt;
}

std::optional<qint64> EditorPresence::otherEditor() const
{
    if (claimed() || !QFileInfo::exists(m_claimPath))
        return std::nullopt;
    native::FileLock probe = native::tryLock(m_claimPath, false);
    const bool taken = probe.state == native::LockState::Taken;
    native::unlock(probe);
    if (!taken)
        return std::nullopt;
    return holderOf(m_claimPath);
}

void EditorPresence::release()
{
    native::unlock(m_lock);
}

} // namespace tarn

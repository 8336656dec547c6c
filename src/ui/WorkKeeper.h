#pragma once

#include "app/FolderLock.h"
#include "app/KnownFiles.h"
#include "ui/UnsavedEditsKeeper.h"

#include <memory>
#include <optional>
#include <vector>

#include <QObject>

class QWidget;

namespace tarn {

class ConfigModel;
class FolderChangedNotice;
class MessageBoxes;
struct FolderLoad;

// Keeps the user's work from being lost around the folder: another editor on it, changes by
// other programs, the saves with their kept versions, and the record of unsaved edits. It asks
// and tells through the window's message boxes and its notice bar; the window owns the model.
class WorkKeeper : public QObject
{
    Q_OBJECT

public:
    WorkKeeper(QWidget* window, MessageBoxes& messages);
    ~WorkKeeper() override;

    // False when `folder` is open in another editor and the user would rather not open it too.
    bool claimFolder(const QString& folder, const QString& shownFolder);
    // From the load on, the files' content is known and watched.
    void watchLoad(const FolderLoad& load);
    // Writes the four files; a failure names each file not written and why, and those that
    // were. True when all were written.
    bool save(const ConfigModel& model, const std::vector<QString>& unreadFiles);
    void keepUnsavedEdits(const ConfigModel& model, bool modified);
    void forgetUnsavedEdits(const QString& folder);
    // The edits a crashed editor left for `folder`, when the user would have them back.
    std::optional<ConfigModel> recoverEdits(const QString& folder);
    // Lets the user restore a kept version of `folder`; true when the folder should be shown
    // again. `modified`: the window holds edits the restore would discard.
    bool restoreVersion(const QString& folder, bool modified);

signals:
    void reloadRequested();

private:
    bool confirmOverwrite();
    void noteSave(const SaveReport& report, const QString& folder);

    QWidget* m_window;
    MessageBoxes& m_messages;
    KnownFiles m_known;
    std::unique_ptr<EditorPresence> m_presence;
    bool m_otherEditor = false;
    UnsavedEditsKeeper m_editsKeeper;
    FolderChangedNotice* m_notice = nullptr;
};

} // namespace tarn

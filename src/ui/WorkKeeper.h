#pragma once

#include "app/FolderLock.h"
#include "app/KnownFiles.h"
#include "app/UnsavedEditsKeeper.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>

class QPushButton;
class QUndoStack;
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
    // `model` is the window's, `modified` tells whether it holds unsaved edits.
    WorkKeeper(QWidget* window, MessageBoxes& messages, const ConfigModel& model,
               std::function<bool()> modified);
    ~WorkKeeper() override;

    // False when `folder` is open in another editor and the user would rather not open it too.
    bool claimFolder(const QString& folder, const QString& shownFolder);
    // From the load on, the files' content is known and watched.
    void watchLoad(const FolderLoad& load);
    // Warns of invalid control assignments in the mix files.
    void warnInvalidAssignments(const FolderLoad& load);
    // Names the files the load could not read or create.
    void reportLoadProblems(const FolderLoad& load);
    // Keeps the record of the edits on `stack` once they settle, and offers the kept versions
    // beside `save`.
    void followEdits(QUndoStack* stack, QPushButton* save);
    // Writes the four files; a failure names each file not written and why, and those that
    // were. True when all were written.
    bool save(const std::vector<QString>& unreadFiles);
    void forgetUnsavedEdits();
    // Asks `question` (Yes / No / Cancel) and calls `save` on Yes; false when the user stays.
    bool settleUnsavedEdits(const char* question, const std::function<bool()>& save);
    // The edits a crashed editor left for the folder, when the user would have them back.
    std::optional<ConfigModel> recoverEdits();

signals:
    // The folder is to be shown as it is on disk now, the unsaved edits given up: the user
    // asked for a reload or restored a kept version.
    void folderReplaced();

private:
    bool confirmOverwrite();
    void noteSave(const SaveReport& report);
    void keepUnsavedEdits();
    bool restoreVersion();

    QWidget* m_window;
    MessageBoxes& m_messages;
    const ConfigModel& m_model;
    std::function<bool()> m_modified;
    KnownFiles m_known;
    std::unique_ptr<EditorPresence> m_presence;
    bool m_otherEditor = false;
    UnsavedEditsKeeper m_editsKeeper;
    FolderChangedNotice* m_notice = nullptr;
};

} // namespace tarn

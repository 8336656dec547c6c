#pragma once

#include <functional>
#include <vector>

#include <QFrame>
#include <QString>

class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTimer;

namespace tarn {

// A bar along the window's bottom edge that tells, without blocking work, which of the folder's
// binary files another program changed, with "Reload" and "Keep mine". It watches the folder
// and its files and asks `changedFiles` what really changed, so a touch that kept the bytes
// shows nothing. It also carries the editor's quiet notes (a record that could not be kept).
class FolderChangedNotice : public QFrame
{
    Q_OBJECT

public:
    using ChangedFiles = std::function<std::vector<QString>()>;

    FolderChangedNotice(QWidget* window, ChangedFiles changedFiles);

    // Watches `folder` and `files` from now on, instead of what it watched before.
    void watch(const QString& folder, const QStringList& files);
    // Checks the files now, as a change on disk does.
    void check();
    // A note without buttons; it stays until closed or a change is shown.
    void showNote(const QString& text);

signals:
    void reloadRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rewatch();
    void present(const QString& text, bool offerReload);
    void keepMine();
    void followWindow();

    ChangedFiles m_changedFiles;
    QFileSystemWatcher* m_watcher;
    QTimer* m_settle;
    QLabel* m_text;
    QPushButton* m_reload;
    QPushButton* m_keepMine;
    QString m_folder;
    QStringList m_files;
    // What "Keep mine" answered, so that the same change is not shown again.
    std::vector<QString> m_kept;
};

} // namespace tarn

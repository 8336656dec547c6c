#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tarn {

// The kept versions of a folder, newest first, as `tarnctl history` lists them; Restore closes
// the dialog with the chosen version.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    HistoryDialog(const QString& folder, QWidget* parent);

    // The version chosen for restoring; 0 when none.
    int chosenVersion() const;

private:
    QListWidget* m_list;
    QPushButton* m_restore;
};

} // namespace tarn

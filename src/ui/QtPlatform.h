#pragma once

#include "app/Platform.h"

class QWidget;

namespace tarn {

// QFileDialog folder chooser owned by the window.
class QtFolderChooser : public FolderChooser
{
public:
    // The dialog belongs to the window, which needs the chooser from its construction on.
    void setOwner(QWidget* owner) { m_owner = owner; }
    QString chooseFolder(const QString& prompt, const QString& start) override;

private:
    QWidget* m_owner = nullptr;
};

// QMessageBox with the application's name as title.
class QtMessageBoxes : public MessageBoxes
{
public:
    void setOwner(QWidget* owner) { m_owner = owner; }
    void showOk(const QString& text) override;
    bool askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;

    bool askChoice(const QString& text, const QString& accept, const QString& reject) override;

private:
    QWidget* m_owner = nullptr;
};

} // namespace tarn

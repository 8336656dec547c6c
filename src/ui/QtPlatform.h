#pragma once

#include "app/Platform.h"

class QWidget;

namespace tarn {

// QSettings-backed store. The application name given stands in QSettings' organisation place
// (no application name), so the store is one file named after it, e.g.
// ~/.config/Kestrand Tarnconfig.conf.
class QtSettingsStore : public SettingsStore
{
public:
    QString value(const QString& application, const QString& section, const QString& key,
                  const QString& defaultValue) const override;
    void setValue(const QString& application, const QString& section, const QString& key,
                  const QString& value) override;
};

// QFileDialog folder chooser owned by the window.
class QtFolderChooser : public FolderChooser
{
public:
    explicit QtFolderChooser(QWidget* owner) : m_owner(owner) {}
    QString chooseFolder(const QString& prompt, const QString& start) override;

private:
    QWidget* m_owner;
};

// QMessageBox with the application's name as title.
class QtMessageBoxes : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget* owner) : m_owner(owner) {}
    void showOk(const QString& text) override;
    bool askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;

    bool askChoice(const QString& text, const QString& accept, const QString& reject) override;

private:
    QWidget* m_owner;
};

} // namespace tarn

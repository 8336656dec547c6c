#pragma once

#include <QString>

namespace tarn {

// The per-user settings store: a text value by (application, section, key).
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& application, const QString& section, const QString& key,
                          const QString& defaultValue) const = 0;
    virtual void setValue(const QString& application, const QString& section, const QString& key,
                          const QString& value) = 0;
};

// A modal folder chooser: preselects `start` only when it exists; empty on cancel.
class FolderChooser
{
public:
    virtual ~FolderChooser() = default;
    virtual QString chooseFolder(const QString& prompt, const QString& start) = 0;
};

// Modal message boxes titled with the application's name.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void showOk(const QString& text) = 0;
    virtual bool askYesNo(const QString& text) = 0;

    enum class Answer { Yes, No, Cancel };
    // Escape and the box's close button answer Cancel.
    virtual Answer askYesNoCancel(const QString& text) = 0;
    // A question between two named answers (e.g. "Overwrite" and "Cancel"); true for the
    // first. Closing the box answers nothing, so it asks until one is chosen.
    virtual bool askChoice(const QString& text, const QString& accept, const QString& reject) = 0;
};

} // namespace tarn

#pragma once

#include <optional>

#include <QString>

namespace tarn {

class ConfigModel;
class KnownFiles;

// Keeps the record of the window's unsaved edits in step with them: written after every step
// that leaves edits unsaved, removed when none are left. The record is a convenience, so a
// failure is told once and the editing goes on.
class UnsavedEditsKeeper
{
public:
    // Writes or removes the record; the first failure is returned as a text for the user.
    std::optional<QString> follow(const ConfigModel& model, bool modified, const KnownFiles& known);
    // The edits were saved or given up: no record is left.
    std::optional<QString> forget(const QString& folder);

private:
    std::optional<QString> once(const QString& text);

    bool m_written = false;
    bool m_failureTold = false;
};

} // namespace tarn

#include "app/UnsavedEditsKeeper.h"

#include "app/RecoveryRecord.h"

namespace tarn {

namespace {

constexpr char kKeepFailed[] = "Unsaved changes cannot be kept for recovery after a crash: ";

} // namespace

std::optional<QString> UnsavedEditsKeeper::follow(const ConfigModel& model, bool modified,
                                                  const KnownFiles& known)
{
    if (!modified)
        return m_written ? forget(model.configFolder) : std::nullopt;
    RecoveryRecord record{model.configFolder, QDateTime::currentDateTimeUtc(), model, known};
    if (const auto problem = writeRecoveryRecord(record))
        return once(QLatin1String(kKeepFailed) + problem->message());
    m_written = true;
    return std::nullopt;
}

std::optional<QString> UnsavedEditsKeeper::forget(const QString& folder)
{
    m_written = false;
    if (const auto problem = removeRecoveryRecord(folder))
        return once(problem->message());
    return std::nullopt;
}

std::optional<QString> UnsavedEditsKeeper::once(const QString& text)
{
    if (m_failureTold)
        return std::nullopt;
    m_failureTold = true;
    return text;
}

} // namespace tarn

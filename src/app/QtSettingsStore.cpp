#include "app/QtSettingsStore.h"

#include <QSettings>

namespace tarn {

namespace {

QString groupKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

} // namespace

QString QtSettingsStore::value(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) const
{
    // The application name is the top level of the entry: <application>/<section>/<key>.
    const QSettings settings(QSettings::UserScope, application);
    return settings.value(groupKey(section, key), defaultValue).toString();
}

void QtSettingsStore::setValue(const QString& application, const QString& section,
                               const QString& key, const QString& value)
{
    QSettings settings(QSettings::UserScope, application);
    settings.setValue(groupKey(section, key), value);
    settings.sync();
}

} // namespace tarn

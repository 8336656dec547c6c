#pragma once

#include "app/Platform.h"

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

} // namespace tarn

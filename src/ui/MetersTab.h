#pragma once

#include "model/ConfigModel.h"
#include "model/Index.h"
#include "ui/TabPage.h"

#include <array>

#include <QComboBox>

namespace tarn {

// The METERS page: sixteen lists, one for each meter, of what it may show.
class MetersTab : public TabPage
{
    Q_OBJECT

public:
    MetersTab(QTabWidget* tabs, double twipsPerPixel);

    // The loaded folder's entries, shown by every list, each at its first entry.
    void showEntries(const QStringList& entries);
    void clearEntries();
    void showPosition(int meter, int position) { at(m_combo, meter)->setCurrentIndex(position); }
    void focusMeter(int meter) { at(m_combo, meter)->setFocus(); }

signals:
    void meterChosen(int meter, int position);

private:
    std::array<QGroupBox*, kMeterCount> m_frame{};
    std::array<QComboBox*, kMeterCount> m_combo{};
};

} // namespace tarn

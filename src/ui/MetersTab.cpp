#include "ui/MetersTab.h"

#include "layout/DesignGeometry.h"
#include "texts/DisplayTexts.h"
#include "texts/WindowTexts.h"

#include <QComboBox>
#include <QGroupBox>

namespace tarn {

MetersTab::MetersTab(QTabWidget* tabs, double twipsPerPixel)
    : TabPage(tabs, QLatin1String(kTabCaptions[kMetersTab]), twipsPerPixel)
{
    QGroupBox* container =
        addFrame(this, QStringLiteral("meterContainer"), QLatin1String(kMeterContainerCaption));
    placeOnTab(container, kMeterContainerRect);
    for (int i = 0; i < kMeterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_frame[k] = addFrame(container, indexed("meterFrame", i),
                              QLatin1String(kMeterFrameDesignCaption) + QString::number(i + 1));
        // Its list is read by this name; the container's caption would reach it otherwise.
        m_frame[k]->setAccessibleName(meterCaption(i + 1));
        place(m_frame[k], {kMeterFrameLefts[i / 8], kMeterFrameTops[i % 8], kMeterFrameWidth,
                           kMeterFrameHeight});
        m_combo[k] = new QComboBox(m_frame[k]);
        m_combo[k]->setObjectName(indexed("meterCombo", i));
        place(m_combo[k], kMeterComboRect);
        connect(m_combo[k], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { emit meterChosen(i, position); });
    }
}

void MetersTab::showEntries(const QStringList& entries)
{
    for (int i = 0; i < kMeterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_frame[k]->setTitle(meterCaption(i + 1));
        m_combo[k]->addItems(entries);
        m_combo[k]->setCurrentIndex(0);
        m_frame[k]->setVisible(true);
    }
}

void MetersTab::clearEntries()
{
    for (QComboBox* combo : m_combo)
        combo->clear();
}

} // namespace tarn

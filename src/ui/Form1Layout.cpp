#include "ui/Form1.h"
#include "ui/GridView.h"

#include <algorithm>

#include <QEvent>
#include <QGroupBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>

namespace tarn {

void Form1::place(QWidget* widget, const TwipsRect& rect)
{
    widget->setGeometry(toPixels(rect, m_twipsPerPixel));
}

// Widgets on a tab are positioned relative to the tab strip, tab row included, as the layout
// rules count them; Qt puts them on a page below the tab row, so the page's offset is taken off.
void Form1::placeOnTab(QWidget* widget, int tab, const TwipsRect& rect)
{
    const auto placed =
        std::find_if(m_tabPlacements.begin(), m_tabPlacements.end(),
                     [widget](const TabPlacement& p) { return p.widget == widget; });
    if (placed == m_tabPlacements.end())
        m_tabPlacements.push_back({widget, tab, rect});
    else
        placed->rect = rect;
    const QPoint pageOffset = m_tabs->widget(tab)->mapTo(m_tabs, QPoint(0, 0));
    widget->setGeometry(toPixels(rect, m_twipsPerPixel).translated(-pageOffset));
}

void Form1::placeTabChildren(int tab)
{
    // Tab rects count from the tab strip's corner, tab row included; the page starts below it.
    const QPoint pageOffset = m_tabs->widget(tab)->mapTo(m_tabs, QPoint(0, 0));
    for (const TabPlacement& p : m_tabPlacements) {
        if (p.tab == tab)
            p.widget->setGeometry(toPixels(p.rect, m_twipsPerPixel).translated(-pageOffset));
    }
}

void Form1::followPageGeometry(QObject* watched, const QEvent* event)
{
    if (event->type() != QEvent::Resize && event->type() != QEvent::Move &&
        event->type() != QEvent::Show)
        return;
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        if (m_tabs->widget(tab) == watched)
            placeTabChildren(tab);
    }
}

void Form1::applyArrangedGeometry(int tab)
{
    place(m_tabs, m_geometry.tabStrip);
    if (tab == 0 || tab == 1) {
        const auto k = static_cast<std::size_t>(tab);
        const MixTabGeometry& g = m_geometry.mixTabs[k];
        placeOnTab(m_mixOutputFrame[k], tab, g.mixOutputFrame);
        placeOnTab(m_mixControlsFrame[k], tab, g.mixControlsFrame);
        place(m_controlsTree[k], g.controlsTree);
        placeOnTab(m_mixInputFrame[k], tab, g.mixInputFrame);
        place(m_crossPointGrid[k], g.crossPointGrid);
    } else if (tab == 2) {
        const LoopsTabGeometry& g = m_geometry.loopsTab;
        for (std::size_t i = 0; i < kMixerCount; ++i) {
            placeOnTab(m_dcLoopsFrame[i], tab, g.dcLoopsFrame[i]);
            place(m_loopsGridFrame[i], g.loopsGridFrame[i]);
            place(m_loopsGrid[i], g.loopsGrid[i]);
            place(m_loopControlsFrame[i], g.loopControlsFrame[i]);
            place(m_controlsTree[i + 2], g.controlsTree[i]);
        }
    }
}

void Form1::fitActiveTab()
{
    // The tab strip's bounds are captured by the window load; before it there is nothing to fit.
    if (m_model.initialTabWidth <= 0 || m_model.initialTabHeight <= 0)
        return;
    const int tab = m_tabs->currentIndex();
    ArrangeWindow(m_geometry, pixelsToTwips(width(), m_twipsPerPixel),
                  pixelsToTwips(height(), m_twipsPerPixel), tab, m_model.initialTabWidth,
                  m_model.initialTabHeight);
    applyArrangedGeometry(tab);
}

void Form1::SSTab1_Click(int)
{
    fitActiveTab();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitActiveTab();
}

} // namespace tarn

namespace tarn {

void Form1::fitToScreen(const QRect& available)
{
    m_fitArea = available;
    m_fitted = false;
    refitToFrame();
}

// Fits with the frame as the window system reports it now. Given at start-up, the frame is
// often not known yet (the window manager adds it later), so a change of the frame fits again.
void Form1::refitToFrame()
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (m_fitArea.isEmpty() || (m_fitted && frame == m_fitFrame))
        return;
    m_fitted = true;
    m_fitFrame = frame;
    const QRect client = fitFrameInto(m_fitArea, frame, inner);
    if (client.size() != size())
        resize(client.size());
    if (client.topLeft() != inner.topLeft())
        move(client.topLeft() - QPoint(frame.left(), frame.top()));
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    refitToFrame();
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refitToFrame();
}

} // namespace tarn

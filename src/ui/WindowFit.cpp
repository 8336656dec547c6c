#include "ui/WindowFit.h"

#include "layout/WindowLayout.h"
#include "model/Index.h"
#include "texts/TabCaptions.h"
#include "ui/LoopsTab.h"
#include "ui/MixTab.h"

#include <QEvent>
#include <QTabWidget>
#include <QWidget>

namespace tarn {

WindowFit::WindowFit(QWidget* window, const WindowTabs& tabs, WindowGeometry& geometry,
                     const ConfigModel& model, double twipsPerPixel)
    : QObject(window), m_window(window), m_tabs(tabs), m_geometry(geometry), m_model(model),
      m_twipsPerPixel(twipsPerPixel)
{
    window->installEventFilter(this);
    connect(tabs.strip, &QTabWidget::currentChanged, this, &WindowFit::fitActiveTab);
}

void WindowFit::fitInto(const QRect& available)
{
    m_area = available;
    m_fitted = false;
    refit();
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        fitActiveTab();
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Show))
        refit();
    return QObject::eventFilter(watched, event);
}

void WindowFit::fitActiveTab()
{
    // The tab strip's bounds are captured by the window load; before it there is nothing to fit.
    if (m_model.initialTabWidth <= 0 || m_model.initialTabHeight <= 0)
        return;
    const int tab = m_tabs.strip->currentIndex();
    ArrangeWindow(m_geometry, pixelsToTwips(m_window->width(), m_twipsPerPixel),
                  pixelsToTwips(m_window->height(), m_twipsPerPixel), tab, m_model.initialTabWidth,
                  m_model.initialTabHeight);
    m_tabs.strip->setGeometry(toPixels(m_geometry.tabStrip, m_twipsPerPixel));
    if (tab < kMixerCount)
        at(m_tabs.mix, tab)->applyGeometry(at(m_geometry.mixTabs, tab));
    else if (tab == kLoopsTab)
        m_tabs.loops->applyGeometry(m_geometry.loopsTab);
}

void WindowFit::refit()
{
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (m_area.isEmpty() || (m_fitted && frame == m_frame))
        return;
    m_fitted = true;
    m_frame = frame;
    const QRect client = fitFrameInto(m_area, frame, inner);
    if (client.size() != m_window->size())
        m_window->resize(client.size());
    if (client.topLeft() != inner.topLeft())
        m_window->move(client.topLeft() - QPoint(frame.left(), frame.top()));
}

} // namespace tarn

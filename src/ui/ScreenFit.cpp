#include "ui/ScreenFit.h"

#include "ui/WindowLayout.h"

#include <QEvent>
#include <QWidget>

namespace tarn {

ScreenFit::ScreenFit(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void ScreenFit::fitInto(const QRect& available)
{
    m_area = available;
    m_fitted = false;
    refit();
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Show))
        refit();
    return QObject::eventFilter(watched, event);
}

void ScreenFit::refit()
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

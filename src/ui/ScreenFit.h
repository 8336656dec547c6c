#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace tarn {

// Keeps a window's frame inside an area (the screen's available area, in the real program):
// where the frame would not fit, the window shrinks to the largest size whose frame does. The
// frame is often not known when the window is first shown (the window manager adds it later),
// so each move or show of the window fits again once the frame changed.
class ScreenFit : public QObject
{
    Q_OBJECT

public:
    explicit ScreenFit(QWidget* window);

    void fitInto(const QRect& available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refit();

    QWidget* m_window;
    QRect m_area;
    QMargins m_frame;
    bool m_fitted = false;
};

} // namespace tarn

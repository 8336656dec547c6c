#pragma once

#include "ui/TabsPresenter.h"

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace tarn {

struct WindowGeometry;

// Fits the window's tabs to the window, and the window to the screen. A resize arranges the
// active tab by the layout rules (again when another tab is chosen). The window's frame is kept
// inside an area (the screen's available area, in the real program): where it would not fit,
// the window shrinks to the largest size whose frame does. The frame is often not known when
// the window is first shown (the window manager adds it later), so each move or show of the
// window fits again once the frame changed.
class WindowFit : public QObject
{
    Q_OBJECT

public:
    // `geometry` is the window's, arranged here; `model` holds the strip's bounds at the load.
    WindowFit(QWidget* window, const WindowTabs& tabs, WindowGeometry& geometry,
              const ConfigModel& model, double twipsPerPixel);

    void fitInto(const QRect& available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitActiveTab();
    void refit();

    QWidget* m_window;
    WindowTabs m_tabs;
    WindowGeometry& m_geometry;
    const ConfigModel& m_model;
    double m_twipsPerPixel;
    QRect m_area;
    QMargins m_frame;
    bool m_fitted = false;
};

} // namespace tarn

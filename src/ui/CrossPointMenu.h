#pragma once

#include <QMenu>

namespace tarn {

// The pop-up menu of both crosspoint grids: MUTE or 0dB for the selection of the grid it was
// opened over.
class CrossPointMenu : public QMenu
{
    Q_OBJECT

public:
    explicit CrossPointMenu(QWidget* window);

    void popUpOver(int mixer, const QPoint& at);

signals:
    void assignRequested(int mixer, int pointer, const QString& text);

private:
    int m_mixer = 0;
};

} // namespace tarn

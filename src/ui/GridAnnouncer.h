#pragma once

#include "editors/CellRect.h"

#include <QObject>

namespace tarn {

class GridView;

// Tells a screen reader what changed in a grid. Qt's own table events do not reach it, so the
// current cell reports its new name and the grid describes what was done.
class GridAnnouncer : public QObject
{
    Q_OBJECT

public:
    explicit GridAnnouncer(GridView& grid);

    // "4 cells set to Fader 2", "1 cell set to MUTE", "12 cells changed"; empty when nothing
    // is worth telling.
    static QString describe(int cells, int changed, const QString& commonText);

private:
    void textsSet(const CellRect& area, int changed);

    GridView& m_grid;
};

} // namespace tarn

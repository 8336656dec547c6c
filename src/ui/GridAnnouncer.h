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

private:
    void textsSet(const CellRect& area, int changed, bool wasEmpty);

    GridView& m_grid;
};

} // namespace tarn

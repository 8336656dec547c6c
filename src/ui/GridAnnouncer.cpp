#include "ui/GridAnnouncer.h"

#include "texts/WindowTexts.h"
#include "ui/GridView.h"

#include <QAccessible>

namespace tarn {

GridAnnouncer::GridAnnouncer(GridView& grid) : QObject(&grid), m_grid(grid)
{
    connect(&grid.cells(), &GridModel::textsSet, this, &GridAnnouncer::textsSet);
}

void GridAnnouncer::textsSet(const CellRect& area, int changed, bool wasEmpty)
{
    // Filling an empty grid on loading is nothing the user did.
    if (wasEmpty)
        return;
    const GridModel& model = m_grid.cells();
    const QString first =
        model.index(area.row, area.column).data(Qt::AccessibleTextRole).toString();
    bool common = true;
    for (int r = area.row; r <= area.otherRow && common; ++r)
        for (int c = area.column; c <= area.otherColumn && common; ++c)
            common = model.text(r, c) == model.text(area.row, area.column);
    const int cells = (area.otherRow - area.row + 1) * (area.otherColumn - area.column + 1);
    const QString description = cellsSetNote(cells, changed, common ? first : QString());
    if (description.isEmpty())
        return;

    const CellRect current = m_grid.selection();
    QAccessibleInterface* face =
        QAccessible::isActive() ? QAccessible::queryAccessibleInterface(&m_grid) : nullptr;
    QAccessibleTableInterface* table = face ? face->tableInterface() : nullptr;
    if (table && current.row >= area.row && current.row <= area.otherRow &&
        current.column >= area.column && current.column <= area.otherColumn) {
        if (QAccessibleInterface* cell = table->cellAt(current.row, current.column)) {
            QAccessibleEvent named(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&named);
        }
    }
    // The same words twice still have to be heard, as after a second assignment.
    const bool same = m_grid.accessibleDescription() == description;
    m_grid.setAccessibleDescription(description);
    if (same && QAccessible::isActive()) {
        QAccessibleEvent described(&m_grid, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

} // namespace tarn

#pragma once

#include "ui/CellTextPainter.h"

class QColor;
class QHeaderView;
class QModelIndex;
class QPainter;
class QRect;
class QRegion;
class QStyleOptionViewItem;
class QTableView;

namespace tarn {

// Paints a grid's cells and grid lines as QTableView with a plain item delegate would, in one
// pass and without per-cell style work: each cell is its background (the highlight when
// selected) and one line of text, and the grid lines are filled rather than stroked. A grid
// repaints 256 cells at a time, so this is most of its cost.
class GridPainter
{
public:
    // Paints `region` of the view's viewport; `viewOption` as the view initialises it.
    void paint(QTableView& view, const QRegion& region, const QStyleOptionViewItem& viewOption);

private:
    struct Pass;
    // A span of one header's sections, as first and last visual index.
    struct VisualRange
    {
        int first;
        int last;
    };
    static VisualRange visibleSections(const QHeaderView& header, int extent, bool reversed);
    static void paintGridLines(const Pass& pass, const QRect& dirty, VisualRange visibleRows,
                               VisualRange visibleColumns, const QColor& color);
    void paintCell(const Pass& pass, const QModelIndex& index, const QRect& rect);
    void paintFocus(const Pass& pass, const QRect& rect, bool selected, bool enabled) const;

    CellTextPainter m_text;
};

} // namespace tarn

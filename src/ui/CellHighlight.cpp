#include "ui/Form1.h"
#include "ui/GridAdapter.h"

#include <utility>

#include <QTableWidget>

namespace tarn {

// The current cell (or, once a grid fills whole selections, the selection) is shown in the
// highlight colours; the cells left behind get the grid's window colours back.
void Form1::highlightCurrentCell(GridAdapter& grid)
{
    const QPalette& palette = grid.widget()->palette();
    const GridAdapter::CellArea area = grid.fillArea();
    grid.setAreaColors(area, palette.color(QPalette::Highlight),
                       palette.color(QPalette::HighlightedText));
    m_highlightedArea[&grid] = area;
}

// Every cell the highlight painted is given back, even when the selection shrank since (a
// Shift+arrow after Ctrl+A would otherwise leave cells painted as selected).
void Form1::unhighlightCurrentCell(GridAdapter& grid)
{
    const QPalette& palette = grid.widget()->palette();
    grid.setAreaColors(std::exchange(m_highlightedArea[&grid], {}), palette.color(QPalette::Base),
                       palette.color(QPalette::Text));
}

} // namespace tarn

#include "ui/Form1.h"
#include "ui/GridAdapter.h"

#include <QTableWidget>

namespace tarn {

// The current cell (or, once a grid fills whole selections, the selection) is shown in the
// highlight colours; the cell left behind gets the grid's window colours back.
void Form1::highlightCurrentCell(GridAdapter& grid)
{
    const QPalette& palette = grid.widget()->palette();
    grid.setSelectionColors(palette.color(QPalette::Highlight),
                            palette.color(QPalette::HighlightedText));
}

void Form1::unhighlightCurrentCell(GridAdapter& grid)
{
    const QPalette& palette = grid.widget()->palette();
    grid.setSelectionColors(palette.color(QPalette::Base), palette.color(QPalette::Text));
}

} // namespace tarn

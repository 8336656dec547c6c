#include "ui/Form1.h"
#include "ui/GridView.h"

namespace tarn {

// The current cell (or, once a grid fills whole selections, the selection) is shown in the
// highlight colours; the cells left behind get the grid's window colours back.
void Form1::highlightCurrentCell(GridView& grid)
{
    const QPalette& palette = grid.palette();
    grid.setSelectionColors(palette.color(QPalette::Highlight),
                            palette.color(QPalette::HighlightedText));
}

// Every cell goes back, not only the selection as it stands: it may have shrunk since the
// highlight was painted (Ctrl+A, then Shift+Up).
void Form1::unhighlightCurrentCell(GridView& grid)
{
    grid.cells().clearColors();
}

} // namespace tarn

#include "controls/ControlSet.h"
#include "editors/LoopEditor.h"
#include "texts/DisplayTexts.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

namespace tarn {

void Form1::assignToLoopSelection(int mixer, int pointer, const QString& text)
{
    GridView& grid = loopsGrid(mixer);
    const CellRect loops = grid.selection();
    const ConfigModel before = m_model;
    if (!AssignLoop(m_model, mixer, loops.row, loops.otherRow, pointer))
        return;
    grid.setFillMode(GridView::FillMode::WholeSelection);
    grid.setSelectionText(assignedCellText(text));
    recordStep(before, {EditPlace::Loops, mixer, 0, loops, 0});
}

void Form1::LoopsGrid_DblClick(int mixer)
{
    const int loop = loopsGrid(mixer).selection().row;
    if (loop < 0 || loop >= kLoopCount)
        return;
    revealControl(loopSetOf(mixer), m_model.loopAssignment(mixer, loop));
}

} // namespace tarn

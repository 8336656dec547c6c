#include "controls/ControlSet.h"
#include "editors/LoopEditor.h"
#include "ui/Form1.h"
#include "ui/GridAdapter.h"
#include "views/ViewTexts.h"

namespace tarn {

void Form1::assignToLoopSelection(int mixer, int pointer, const QString& text)
{
    GridAdapter& grid = loopsGrid(mixer);
    if (!AssignLoop(m_model, mixer, grid.row(), grid.otherRow(), pointer))
        return;
    grid.setFillMode(GridAdapter::FillMode::WholeSelection);
    grid.setSelectionText(assignedCellText(text));
}

void Form1::LoopsGrid_DblClick(int mixer)
{
    const int loop = loopsGrid(mixer).row() - 1;
    if (loop < 0 || loop >= kLoopCount)
        return;
    revealControl(loopSetOf(mixer), m_model.loopAssignment(mixer, loop));
}

} // namespace tarn

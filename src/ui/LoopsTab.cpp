#include "controls/ControlSet.h"
#include "editors/LoopEditor.h"
#include "ui/Form1.h"
#include "ui/GridAdapter.h"

namespace tarn {

void Form1::assignLoop(int mixer, int pointer, const QString& text)
{
    GridAdapter& grid = loopsGrid(mixer);
    if (!AssignLoop(m_model, mixer, grid.row(), grid.otherRow(), pointer))
        return;
    grid.setFillMode(GridAdapter::FillMode::WholeSelection);
    // A cell shows a control as one blank and the entry's text.
    grid.setSelectionText(QLatin1Char(' ') + text);
}

void Form1::LoopsGrid_DblClick(int mixer)
{
    const int loop = loopsGrid(mixer).row() - 1;
    if (loop < 0 || loop >= kLoopCount)
        return;
    revealControl(loopSetOf(mixer), m_model.loopAssignment(mixer, loop));
}

} // namespace tarn

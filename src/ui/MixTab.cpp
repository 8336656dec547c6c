#include "app/LoadSequence.h"
#include "editors/CrosspointEditor.h"
#include "texts/DisplayTexts.h"
#include "texts/MixOutputTexts.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <QComboBox>
#include <QCursor>
#include <QMenu>

namespace tarn {

int Form1::selectedMixOutput(int mixer) const
{
    return m_mixOutputCombo[static_cast<std::size_t>(mixer)]->currentIndex();
}

void Form1::MixOutputCombo_Click(int mixer)
{
    const int output = selectedMixOutput(mixer);
    if (output < 0 || output >= kOutputCount)
        return;
    const MixOutputTexts texts = mixOutputCellTexts(
        m_model, m_load->sets[static_cast<std::size_t>(crosspointSetOf(mixer))], mixer, output);
    crossPointGrid(mixer).setTexts(
        {0, 0, kInputCount - 1, kSlotCount - 1}, [&](int input, int slot) {
            return texts[static_cast<std::size_t>(input)][static_cast<std::size_t>(slot)];
        });
    Grid_Resize(mixer);
}

void Form1::Grid_Resize(int mixer)
{
    GridView& grid = crossPointGrid(mixer);
    fitLabelsToTexts(grid);
    for (int c = 0; c < grid.columns(); ++c)
        grid.setColumnWidthTwips(c, columnWidthTwips(grid.columnTexts(c), m_twipsPerPixel),
                                 m_twipsPerPixel);
}

void Form1::fitLabelsToTexts(GridView& grid)
{
    grid.setLabelWidthTwips(columnWidthTwips(grid.labelTexts(), m_twipsPerPixel), m_twipsPerPixel);
}

void Form1::assignToCrossPointSelection(int mixer, int pointer, const QString& text)
{
    GridView& grid = crossPointGrid(mixer);
    const CellRect selection = grid.selection();
    const int output = selectedMixOutput(mixer);
    const ConfigModel before = m_model;
    if (!AssignCrossPoint(m_model, mixer, output, selection, pointer))
        return;
    grid.setFillMode(GridView::FillMode::WholeSelection);
    grid.setSelectionText(assignedCellText(text));
    Grid_Resize(mixer);
    recordStep(before, {mixer, mixer, output, selection, 0});
}

void Form1::CrossPointGrid_DblClick(int mixer)
{
    const CellRect cell = crossPointGrid(mixer).selection();
    const int output = selectedMixOutput(mixer);
    const int input = cell.row;
    const int slot = cell.column;
    if (output < 0 || input < 0 || input >= kInputCount || slot < 0 || slot >= kSlotCount)
        return;
    revealControl(crosspointSetOf(mixer), m_model.slot(mixer, output, input, slot));
}

void Form1::CrossPointGrid_MouseUp(int mixer, Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    m_popupGridIndex = static_cast<std::int16_t>(mixer);
    m_popupMenu->popup(QCursor::pos());
}

void Form1::CrossPointGrid_ContextMenuKey(int mixer)
{
    m_popupGridIndex = static_cast<std::int16_t>(mixer);
    // From the keyboard the menu opens over the current cell.
    const GridView& grid = crossPointGrid(mixer);
    const CellRect current = grid.selection();
    const QRect cell = grid.visualRect(grid.cells().index(current.row, current.column));
    const QPoint at = grid.viewport()->rect().intersects(cell)
                          ? grid.viewport()->mapToGlobal(cell.center())
                          : grid.mapToGlobal(grid.rect().center());
    m_popupMenu->popup(at);
}

void Form1::mnuMUTE_Click()
{
    assignToCrossPointSelection(m_popupGridIndex, kMuteAssignment.pointer,
                                QLatin1String(kMuteAssignment.text));
}

void Form1::mnuLu_Click()
{
    assignToCrossPointSelection(m_popupGridIndex, kUnityAssignment.pointer,
                                QLatin1String(kUnityAssignment.text));
}

} // namespace tarn

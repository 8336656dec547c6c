#include "app/LoadSequence.h"
#include "editors/CrosspointEditor.h"
#include "ui/Form1.h"
#include "ui/GridAdapter.h"
#include "views/MixOutputView.h"
#include "views/ViewTexts.h"

#include <QComboBox>
#include <QCursor>
#include <QMenu>
#include <QTableWidget>

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
    crossPointGrid(mixer).setTexts({1, 1, kInputCount, kSlotCount}, [&](int row, int column) {
        return texts[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
    });
    Grid_Resize(mixer);
}

void Form1::Grid_Resize(int mixer)
{
    GridAdapter& grid = crossPointGrid(mixer);
    for (int c = 0; c < grid.columns(); ++c)
        fitColumnToTexts(grid, c);
}

void Form1::fitColumnToTexts(GridAdapter& grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid.rows(); ++r)
        texts.append(grid.text(r, column));
    grid.setColumnWidthTwips(column, columnWidthTwips(texts, m_twipsPerPixel), m_twipsPerPixel);
}

void Form1::assignToCrossPointSelection(int mixer, int pointer, const QString& text)
{
    GridAdapter& grid = crossPointGrid(mixer);
    const CellRange selection{grid.row(), grid.column(), grid.otherRow(), grid.otherColumn()};
    const int output = selectedMixOutput(mixer);
    const ConfigModel before = m_model;
    if (!AssignCrossPoint(m_model, mixer, output, selection, pointer))
        return;
    grid.setFillMode(GridAdapter::FillMode::WholeSelection);
    grid.setSelectionText(assignedCellText(text));
    Grid_Resize(mixer);
    recordStep(before, {mixer, mixer, output, selection, 0});
}

void Form1::CrossPointGrid_DblClick(int mixer)
{
    const GridAdapter& grid = crossPointGrid(mixer);
    const int output = selectedMixOutput(mixer);
    const int input = grid.row() - 1;
    const int slot = grid.column() - 1;
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
    const QTableWidget* table = crossPointGrid(mixer).widget();
    const QRect cell = table->visualRect(table->currentIndex());
    const QPoint at = cell.isValid() ? table->viewport()->mapToGlobal(cell.center())
                                     : table->mapToGlobal(table->rect().center());
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

#include "app/LoadSequence.h"
#include "controls/ControlSearch.h"
#include "ui/Form1.h"
#include "ui/GridAdapter.h"

#include <QHelpEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>

namespace tarn {

namespace {

// "Desk faders > Desk A > Fader 2 - pointer 17", or that the set has no entry for it.
QString pointerToolTip(const ControlSet& set, int pointer)
{
    const int index = set.PointerToNode(pointer);
    if (index == 0)
        return QStringLiteral("pointer %1: no control in this set").arg(pointer);
    return QStringLiteral("%1 - pointer %2").arg(controlPath(set, index)).arg(pointer);
}

} // namespace

void Form1::setButtonToolTips()
{
    m_saveCommand->setToolTip(
        QStringLiteral("Write the configuration to the four files of the folder (Ctrl+S)"));
    for (std::size_t m = 0; m < kMixerCount; ++m) {
        m_copyMixOut[m]->setToolTip(QStringLiteral(
            "Copy the controls of the selected mix output into this mixer's buffer"));
        m_swapMixOut[m]->setToolTip(
            QStringLiteral("Exchange the controls of the selected mix output with the buffer"));
        m_pasteMixOut[m]->setToolTip(
            QStringLiteral("Replace the controls of the selected mix output with the buffer"));
    }
}

// A cell's tooltip is worked out when asked, from the model, so the grid keeps no tooltips.
bool Form1::answerCellToolTip(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !m_loaded)
        return false;
    for (int m = 0; m < kMixerCount; ++m) {
        const QTableWidget* crosspoints = crossPointGrid(m).widget();
        const QTableWidget* loops = loopsGrid(m).widget();
        const bool isCrosspoints = watched == crosspoints->viewport();
        if (!isCrosspoints && watched != loops->viewport())
            continue;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QTableWidget* table = isCrosspoints ? crosspoints : loops;
        const QModelIndex cell = table->indexAt(help->pos());
        const int row = cell.row();
        const int column = cell.column();
        const int output = selectedMixOutput(m);
        QString text;
        if (isCrosspoints && row >= 1 && row <= kInputCount && column >= 1 &&
            column <= kSlotCount && output >= 0) {
            text = pointerToolTip(m_load->sets[static_cast<std::size_t>(crosspointSetOf(m))],
                                  m_model.slot(m, output, row - 1, column - 1));
        } else if (!isCrosspoints && row >= 1 && row <= kLoopCount && column == 1) {
            text = pointerToolTip(m_load->sets[static_cast<std::size_t>(loopSetOf(m))],
                                  m_model.loopAssignment(m, row - 1));
        }
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, static_cast<QWidget*>(watched));
        return true;
    }
    return false;
}

} // namespace tarn

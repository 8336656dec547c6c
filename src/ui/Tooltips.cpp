#include "app/LoadSequence.h"
#include "controls/ControlSearch.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <QPushButton>

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
void Form1::setCellToolTips()
{
    for (int m = 0; m < kMixerCount; ++m) {
        // The sets are looked up at each question: another folder's load replaces them.
        crossPointGrid(m).cells().setToolTips([this, m](int input, int slot) {
            const int output = selectedMixOutput(m);
            const ControlSet& mix = m_load->sets[static_cast<std::size_t>(crosspointSetOf(m))];
            return output < 0 ? QString()
                              : pointerToolTip(mix, m_model.slot(m, output, input, slot));
        });
        loopsGrid(m).cells().setToolTips([this, m](int loop, int) {
            const ControlSet& loops = m_load->sets[static_cast<std::size_t>(loopSetOf(m))];
            return pointerToolTip(loops, m_model.loopAssignment(m, loop));
        });
    }
}

} // namespace tarn

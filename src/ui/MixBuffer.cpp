#include "ui/Form1.h"

#include <QPushButton>

namespace tarn {

void Form1::CopyMixOut_Click(int mixer)
{
    const int output = selectedMixOutput(mixer);
    if (output < 0)
        return;
    m_buffer.copyFrom(m_model, mixer, output);
    const auto m = static_cast<std::size_t>(mixer);
    m_swapMixOut[m]->setEnabled(m_buffer.isFilled(mixer));
    m_pasteMixOut[m]->setEnabled(m_buffer.isFilled(mixer));
}

void Form1::PasteMixOut_Click(int mixer)
{
    const int output = selectedMixOutput(mixer);
    if (output < 0 || !m_buffer.isFilled(mixer))
        return;
    m_buffer.pasteInto(m_model, mixer, output);
    MixOutputCombo_Click(mixer);
}

void Form1::SwapMixOut_Click(int mixer)
{
    const int output = selectedMixOutput(mixer);
    if (output < 0 || !m_buffer.isFilled(mixer))
        return;
    m_buffer.swapWith(m_model, mixer, output);
    MixOutputCombo_Click(mixer);
}

} // namespace tarn

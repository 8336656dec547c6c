#include "ui/Form1.h"

#include <QPushButton>

namespace tarn {

namespace {

// Paste and swap assign every cell of the output.
constexpr CellRect kWholeOutput{0, 0, kInputCount - 1, kSlotCount - 1};

} // namespace

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
    const ConfigModel before = m_model;
    m_buffer.pasteInto(m_model, mixer, output);
    MixOutputCombo_Click(mixer);
    recordStep(before, {mixer, mixer, output, kWholeOutput, 0});
}

void Form1::SwapMixOut_Click(int mixer)
{
    const int output = selectedMixOutput(mixer);
    if (output < 0 || !m_buffer.isFilled(mixer))
        return;
    const ConfigModel before = m_model;
    m_buffer.swapWith(m_model, mixer, output);
    MixOutputCombo_Click(mixer);
    recordStep(before, {mixer, mixer, output, kWholeOutput, 0});
}

} // namespace tarn

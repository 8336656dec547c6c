#include "ui/Form1.h"

namespace tarn {

// The label follows its spinner by itself; the change only reaches the model.
void Form1::compressorUpDown_Change(CompressorParam param, int position)
{
    if (m_applyingStep)
        return;
    const ConfigModel before = m_model;
    applyCompressorPosition(m_model, param, position);
    // Steps of one spinner in a row are one undo step.
    const int item = static_cast<int>(param);
    recordStep(before, {EditPlace::Compressor, 0, 0, {}, item}, 1 + item);
}

} // namespace tarn

#include "ui/Form1.h"

namespace tarn {

// The label follows its spinner by itself; the change only reaches the model.
void Form1::compressorUpDown_Change(CompressorParam param, int position)
{
    applyCompressorPosition(m_model, param, position);
}

} // namespace tarn

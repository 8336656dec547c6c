#include "editors/MeterEditor.h"
#include "ui/Form1.h"

#include <QComboBox>

namespace tarn {

void Form1::meterCombo_Click(int meter)
{
    if (m_applyingStep)
        return;
    const ConfigModel before = m_model;
    applyMeterPosition(m_model, meter,
                       m_meterCombo[static_cast<std::size_t>(meter)]->currentIndex());
    recordStep(before, {EditPlace::Meters, 0, 0, {}, meter});
}

} // namespace tarn

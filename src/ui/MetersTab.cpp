#include "editors/MeterEditor.h"
#include "ui/Form1.h"

#include <QComboBox>

namespace tarn {

void Form1::meterCombo_Click(int meter)
{
    applyMeterPosition(m_model, meter,
                       m_meterCombo[static_cast<std::size_t>(meter)]->currentIndex());
}

} // namespace tarn

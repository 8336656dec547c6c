#include "ui/StepSpinner.h"

#include <QLineEdit>

namespace tarn {

StepSpinner::StepSpinner(QWidget* parent) : QSpinBox(parent)
{
    // Only the text is read-only: a read-only spin box would not step either.
    lineEdit()->setReadOnly(true);
}

void StepSpinner::stepBy(int steps)
{
    QSpinBox::stepBy(steps > 0 ? 1 : steps < 0 ? -1 : 0);
}

} // namespace tarn

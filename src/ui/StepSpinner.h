#pragma once

#include <QSpinBox>

namespace tarn {

// An up-down spinner whose position the user can only step: the arrows, the Up and Down keys,
// PageUp and PageDown and the wheel each move it by one step within its bounds. Its text
// cannot be typed into; the label beside it shows the position.
class StepSpinner : public QSpinBox
{
public:
    explicit StepSpinner(QWidget* parent = nullptr);

    // Every user action is one step, whatever multiple Qt asks for (ten for a page or a
    // Ctrl+wheel).
    void stepBy(int steps) override;
};

} // namespace tarn

#pragma once

#include "editors/CompressorEditor.h"
#include "model/Index.h"
#include "ui/TabPage.h"

#include <array>

#include <QSpinBox>

class QLabel;

namespace tarn {

// The COMPRESSOR page: a spinner for each parameter, its position written beside it, and a note
// beside Hold while the next load would reduce it.
class CompressorTab : public TabPage
{
    Q_OBJECT

public:
    CompressorTab(QTabWidget* tabs, double twipsPerPixel);

    void showPosition(CompressorParam param, int position)
    {
        at(m_upDown, param)->setValue(position);
    }
    void focusParameter(CompressorParam param) { at(m_upDown, param)->setFocus(); }
    // An empty note hides it.
    void showHoldNote(const QString& note);

signals:
    void parameterStepped(CompressorParam param, int position);

private:
    std::array<QSpinBox*, kCompressorParams.size()> m_upDown{};
    QLabel* m_holdLabel = nullptr;
    QLabel* m_holdNote = nullptr;
};

} // namespace tarn

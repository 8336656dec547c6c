#include "layout/DesignGeometry.h"
#include "model/CompressorFile.h"
#include "texts/TabCaptions.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"

#include <QLabel>
#include <QTabWidget>

namespace tarn {

namespace {

// Below the spinners' frame, so that none of the described widgets is covered.
constexpr TwipsRect kHoldNoteRect{120, 1455, 6735, 480};

} // namespace

// The label follows its spinner by itself; the change only reaches the model (and the note,
// which also follows an undo's or a load's change of Hold).
void Form1::compressorUpDown_Change(CompressorParam param, int position)
{
    if (!m_applyingStep) {
        const ConfigModel before = m_model;
        applyCompressorPosition(m_model, param, position);
        // Steps of one spinner in a row are one undo step.
        const int item = static_cast<int>(param);
        recordStep(before, {EditPlace::Compressor, 0, 0, {}, item}, 1 + item);
    }
    if (param == CompressorParam::Hold)
        showHoldNote();
}

void Form1::buildHoldNote()
{
    m_holdNote = new QLabel(m_tabs->widget(kCompressorTab));
    m_holdNote->setObjectName(QStringLiteral("HoldLossNote"));
    m_holdNote->setWordWrap(true);
    placeOnTab(m_holdNote, kCompressorTab, kHoldNoteRect);
    m_holdNote->hide();
}

void Form1::showHoldNote()
{
    const QString note = holdLossNote();
    m_holdNote->setText(note);
    m_holdNote->setVisible(!note.isEmpty());
    if (auto* label = findChild<QLabel*>(QStringLiteral("HoldLabel")))
        label->setToolTip(note);
}

// Empty while the next load keeps Hold as it is.
QString Form1::holdLossNote() const
{
    const std::int32_t hold = m_model.compressor(compressorWordOf(CompressorParam::Hold));
    if (hold <= kHoldLoadMaximum)
        return {};
    return QString::fromLatin1(kHoldLossNote)
        .arg(hold / kHoldPerPosition)
        .arg(kHoldLoadMaximum / kHoldPerPosition);
}

} // namespace tarn

#include "ui/CompressorTab.h"

#include "layout/DesignGeometry.h"
#include "texts/TabCaptions.h"
#include "ui/Fonts.h"
#include "ui/StepSpinner.h"

#include <QGroupBox>
#include <QLabel>

namespace tarn {

namespace {

const char* const kUpDownNames[5] = {"AttackUpDown", "HoldUpDown", "DecayUpDown", "GainUpDown",
                                     "ThresholdUpDown"};
const char* const kUpDownLabelNames[5] = {"AttackLabel", "HoldLabel", "DecayLabel", "GainLabel",
                                          "ThresholdLabel"};

// Below the spinners' frame, so that none of the described widgets is covered.
constexpr TwipsRect kHoldNoteRect{120, 1455, 6735, 480};

} // namespace

CompressorTab::CompressorTab(QTabWidget* tabs, double twipsPerPixel)
    : TabPage(tabs, QLatin1String(kTabCaptions[kCompressorTab]), twipsPerPixel)
{
    QGroupBox* frame1 = addFrame(this, QStringLiteral("Frame1"), {});
    placeOnTab(frame1, kFrame1Rect);
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
        const TwipsRect& rect = kCompressorFrameRects[k];
        QGroupBox* frame = addFrame(frame1, QStringLiteral("Frame") + QString::number(k + 2),
                                    QLatin1String(kCompressorFrameCaptions[k]));
        place(frame, rect);

        const CompressorParam param = kCompressorParams[k];
        const SpinnerRange range = spinnerRange(param);
        auto* upDown = new StepSpinner(frame);
        upDown->setObjectName(QLatin1String(kUpDownNames[k]));
        upDown->setRange(range.minimum, range.maximum);
        upDown->setSingleStep(range.step);
        upDown->setValue(0);
        const double spinnerLeft = rect.width - kSpinnerInset - kSpinnerWidth;
        place(upDown, {spinnerLeft, kSpinnerTop, kSpinnerWidth, kSpinnerHeight});

        auto* label = new QLabel(QString::number(upDown->value()), frame);
        label->setObjectName(QLatin1String(kUpDownLabelNames[k]));
        label->setFont(spinnerLabelFont());
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(label, {kSpinnerInset, kSpinnerTop, spinnerLeft - 2 * kSpinnerInset, kSpinnerHeight});
        // The label is bound to its spinner: it shows every position, whoever sets it.
        connect(upDown, &QSpinBox::valueChanged, label,
                [label](int position) { label->setText(QString::number(position)); });
        connect(upDown, &QSpinBox::valueChanged, this,
                [this, param](int position) { emit parameterStepped(param, position); });
        if (param == CompressorParam::Hold)
            m_holdLabel = label;
        m_upDown[k] = upDown;
    }
    m_holdNote = new QLabel(this);
    m_holdNote->setObjectName(QStringLiteral("HoldLossNote"));
    m_holdNote->setWordWrap(true);
    placeOnTab(m_holdNote, kHoldNoteRect);
    m_holdNote->hide();
}

void CompressorTab::showHoldNote(const QString& note)
{
    m_holdNote->setText(note);
    m_holdNote->setVisible(!note.isEmpty());
    m_holdLabel->setToolTip(note);
}

} // namespace tarn

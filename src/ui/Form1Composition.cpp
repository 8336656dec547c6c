#include "controls/ControlSet.h"
#include "controls/ControlTreeModel.h"
#include "layout/DesignGeometry.h"
#include "texts/DisplayTexts.h"
#include "ui/Fonts.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"
#include "ui/GridView.h"
#include "ui/StepSpinner.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>

namespace tarn {

namespace {

// Data cells; the fixed row and column come on top.
constexpr int kLoopsColumns = 1;

const char* const kUpDownNames[5] = {"AttackUpDown", "HoldUpDown", "DecayUpDown", "GainUpDown",
                                     "ThresholdUpDown"};
const char* const kUpDownLabelNames[5] = {"AttackLabel", "HoldLabel", "DecayLabel", "GainLabel",
                                          "ThresholdLabel"};

// Names a screen reader speaks where the captions repeat across mixers or say too little.
const char* const kMixerNames[2] = {"AES3", "IP"};
const char* const kSetAccessibleNames[4] = {"AES3 mix controls", "IP mix controls",
                                            "AES3 loop controls", "IP loop controls"};

QString indexed(const char* family, int index)
{
    return QLatin1String(family) + QLatin1Char('_') + QString::number(index);
}

QString ofMixer(int mixer, const char* what)
{
    return QLatin1String(kMixerNames[mixer]) + QLatin1Char(' ') + QLatin1String(what);
}

// The visible caption first, so that the name holds what a sighted helper reads out.
QString captionOfMixer(const char* caption, int mixer)
{
    return QLatin1String(caption) + QStringLiteral(" (") + QLatin1String(kMixerNames[mixer]) +
           QStringLiteral(" mix)");
}

QTreeView* makeControlsTree(int set, QWidget* parent, ControlTreeModel*& model)
{
    auto* tree = new QTreeView(parent);
    tree->setObjectName(indexed("ControlsTree", set));
    tree->setAccessibleName(QLatin1String(kSetAccessibleNames[set]));
    tree->setHeaderHidden(true);
    tree->setFont(sixPixelFixedFont());
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    // A set may hold 32767 entries; rows of one height keep scrolling cheap.
    tree->setUniformRowHeights(true);
    model = new ControlTreeModel(tree);
    tree->setModel(model);
    return tree;
}

} // namespace

QGroupBox* Form1::addFrame(QWidget* parent, const QString& name, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

void Form1::buildWindow()
{
    setFont(tabStripFont());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setFont(tabStripFont());
    for (const char* caption : kTabCaptions) {
        auto* page = new QWidget;
        m_tabs->addTab(page, QLatin1String(caption));
        // The pages' place inside the tab strip is known only once the strip lays itself out.
        page->installEventFilter(this);
    }
    place(m_tabs, m_geometry.tabStrip);

    buildMixTab(0);
    buildMixTab(1);
    buildLoopsTab();
    buildMetersTab();
    buildCompressorTab();

    // Created after the tab strip, so that it stands above the strip's empty top-right corner.
    m_saveCommand = new QPushButton(QLatin1String(kSaveCaption), this);
    m_saveCommand->setObjectName(QStringLiteral("SaveCommand"));
    place(m_saveCommand, kSaveCommandRect);

    buildPopupMenu();
    setTabOrders();
}

void Form1::buildMixTab(int mixer)
{
    const auto m = static_cast<std::size_t>(mixer);
    const MixTabGeometry& geometry = m_geometry.mixTabs[m];
    QWidget* page = m_tabs->widget(mixer);

    m_mixInputFrame[m] =
        addFrame(page, indexed("MixInputFrame", mixer), QLatin1String(kMixInputFrameCaption));
    placeOnTab(m_mixInputFrame[m], mixer, geometry.mixInputFrame);
    m_crossPointGrid[m] =
        new GridView(kInputCount, kSlotCount, m_mixInputFrame[m], indexed("CrossPointGrid", mixer));
    m_crossPointGrid[m]->setFont(sixPixelFixedFont());
    m_crossPointGrid[m]->setAccessibleName(ofMixer(mixer, "crosspoints"));
    place(m_crossPointGrid[m], geometry.crossPointGrid);

    QGroupBox* output =
        addFrame(page, indexed("MixOutputFrame", mixer), QLatin1String(kMixOutputFrameCaption));
    m_mixOutputFrame[m] = output;
    // A list is read by the frame around it; this one names the mixer too.
    output->setAccessibleName(ofMixer(mixer, kMixOutputFrameCaption));
    placeOnTab(output, mixer, geometry.mixOutputFrame);
    const auto button = [&](const char* family, const char* caption, const TwipsRect& rect) {
        auto* b = new QPushButton(QLatin1String(caption), output);
        b->setObjectName(indexed(family, mixer));
        b->setAccessibleName(captionOfMixer(caption, mixer));
        place(b, rect);
        return b;
    };
    m_copyMixOut[m] = button("CopyMixOut", kCopyMixOutCaption, kCopyMixOutRect);
    m_swapMixOut[m] = button("SwapMixOut", kSwapMixOutCaption, kSwapMixOutRect);
    m_pasteMixOut[m] = button("PasteMixOut", kPasteMixOutCaption, kPasteMixOutRect);
    // Nothing to swap or paste before the first copy.
    m_swapMixOut[m]->setEnabled(false);
    m_pasteMixOut[m]->setEnabled(false);
    m_mixOutputCombo[m] = new QComboBox(output);
    m_mixOutputCombo[m]->setObjectName(indexed("MixOutputCombo", mixer));
    m_mixOutputCombo[m]->setFont(sixPixelFixedFont());
    place(m_mixOutputCombo[m], kMixOutputComboRect);

    m_mixControlsFrame[m] =
        addFrame(page, indexed("MixControlsFrame", mixer), QLatin1String(kControlsFrameCaption));
    placeOnTab(m_mixControlsFrame[m], mixer, geometry.mixControlsFrame);
    m_controlsTree[m] = makeControlsTree(mixer, m_mixControlsFrame[m], m_controlTreeModel[m]);
    place(m_controlsTree[m], geometry.controlsTree);
}

void Form1::buildLoopsTab()
{
    QWidget* page = m_tabs->widget(kLoopsTab);
    const LoopsTabGeometry& geometry = m_geometry.loopsTab;
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        const auto m = static_cast<std::size_t>(mixer);
        m_dcLoopsFrame[m] =
            addFrame(page, indexed("DcLoopsFrame", mixer), QLatin1String(kDcLoopsFrameCaptions[m]));
        placeOnTab(m_dcLoopsFrame[m], kLoopsTab, geometry.dcLoopsFrame[m]);

        m_loopsGridFrame[m] = addFrame(m_dcLoopsFrame[m], indexed("LoopsGridFrame", mixer),
                                       QLatin1String(kLoopsGridFrameCaption));
        // A frame inside a frame would otherwise be read by its outer frame's caption.
        m_loopsGridFrame[m]->setAccessibleName(ofMixer(mixer, kLoopsGridFrameCaption));
        place(m_loopsGridFrame[m], geometry.loopsGridFrame[m]);
        m_loopsGrid[m] = new GridView(kLoopCount, kLoopsColumns, m_loopsGridFrame[m],
                                      indexed("LoopsGrid", mixer));
        m_loopsGrid[m]->setFont(sixPixelFixedFont());
        m_loopsGrid[m]->setAccessibleName(ofMixer(mixer, "loop assignments"));
        place(m_loopsGrid[m], geometry.loopsGrid[m]);

        m_loopControlsFrame[m] = addFrame(m_dcLoopsFrame[m], indexed("LoopControlsFrame", mixer),
                                          QLatin1String(kControlsFrameCaption));
        m_loopControlsFrame[m]->setAccessibleName(ofMixer(mixer, "Loop controls"));
        place(m_loopControlsFrame[m], geometry.loopControlsFrame[m]);
        const int set = loopSetOf(mixer);
        const auto s = static_cast<std::size_t>(set);
        m_controlsTree[s] = makeControlsTree(set, m_loopControlsFrame[m], m_controlTreeModel[s]);
        place(m_controlsTree[s], geometry.controlsTree[m]);
    }
}

void Form1::buildMetersTab()
{
    QGroupBox* container = addFrame(m_tabs->widget(kMetersTab), QStringLiteral("meterContainer"),
                                    QLatin1String(kMeterContainerCaption));
    placeOnTab(container, kMetersTab, kMeterContainerRect);
    for (int i = 0; i < kMeterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_meterFrame[k] =
            addFrame(container, indexed("meterFrame", i),
                     QLatin1String(kMeterFrameDesignCaption) + QString::number(i + 1));
        // Its list is read by this name; the container's caption would reach it otherwise.
        m_meterFrame[k]->setAccessibleName(meterCaption(i + 1));
        place(m_meterFrame[k], {kMeterFrameLefts[i / 8], kMeterFrameTops[i % 8], kMeterFrameWidth,
                                kMeterFrameHeight});
        m_meterCombo[k] = new QComboBox(m_meterFrame[k]);
        m_meterCombo[k]->setObjectName(indexed("meterCombo", i));
        place(m_meterCombo[k], kMeterComboRect);
    }
}

void Form1::buildCompressorTab()
{
    QGroupBox* frame1 = addFrame(m_tabs->widget(kCompressorTab), QStringLiteral("Frame1"), {});
    placeOnTab(frame1, kCompressorTab, kFrame1Rect);
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
        const TwipsRect& rect = kCompressorFrameRects[k];
        QGroupBox* frame = addFrame(frame1, QStringLiteral("Frame") + QString::number(k + 2),
                                    QLatin1String(kCompressorFrameCaptions[k]));
        place(frame, rect);

        const SpinnerRange range = spinnerRange(kCompressorParams[k]);
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

        m_upDown[k] = upDown;
    }
}

void Form1::buildPopupMenu()
{
    m_popupMenu = new QMenu(QLatin1String(kPopupMenuTitle), this);
    m_popupMenu->setObjectName(QStringLiteral("mnuCrossPointGrid"));
    m_mnuMute = m_popupMenu->addAction(QLatin1String(kMuteItem));
    m_mnuMute->setObjectName(QStringLiteral("mnuMUTE"));
    m_mnuLu = m_popupMenu->addAction(QLatin1String(kUnityItem));
    m_mnuLu->setObjectName(QStringLiteral("mnuLu"));
}

void Form1::setTabOrders()
{
    // Tab leads from a grid straight to the tree that assigns to it.
    for (std::size_t m = 0; m < kMixerCount; ++m) {
        QWidget::setTabOrder(m_crossPointGrid[m], m_controlsTree[m]);
        QWidget::setTabOrder(m_controlsTree[m], m_copyMixOut[m]);
        QWidget::setTabOrder(m_copyMixOut[m], m_swapMixOut[m]);
        QWidget::setTabOrder(m_swapMixOut[m], m_pasteMixOut[m]);
        QWidget::setTabOrder(m_pasteMixOut[m], m_mixOutputCombo[m]);
        QWidget::setTabOrder(m_loopsGrid[m], m_controlsTree[m + 2]);
    }
}

} // namespace tarn

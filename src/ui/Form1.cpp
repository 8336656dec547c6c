#include "ui/Form1.h"

#include "app/LoadSequence.h"
#include "app/StartupFolder.h"
#include "controls/ControlSearch.h"
#include "controls/ControlTreeModel.h"
#include "layout/DesignGeometry.h"
#include "ui/FrameStyle.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QUndoStack>

namespace tarn {

namespace {

// The client area the window opens with: the tab strip's design size and 120 on each side.
constexpr TwipsRect kDesignClientArea{0, 0, 18975, 11895};

} // namespace

Form1::Form1(const Form1Services& services, QWidget* parent)
    : QWidget(parent), m_services(services), m_geometry(designGeometry())
{
    setObjectName(QStringLiteral("Form1"));
    m_twipsPerPixel = tarn::twipsPerPixel(logicalDpiX());
    setWindowTitle(QLatin1String(kCaptionBase));
    buildWindow();
    connectPageKeys();
    buildHoldNote();
    setButtonToolTips();
    // Made after the frames, so that it outlives them when the window's children go.
    auto* frameStyle = new FrameStyle;
    frameStyle->setParent(this);
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setStyle(frameStyle);
    resize(toPixels(kDesignClientArea, m_twipsPerPixel).size());
    connect(m_tabs, &QTabWidget::currentChanged, this, &Form1::SSTab1_Click);
}

Form1::~Form1()
{
    // The trees show the loaded sets, which go before the tree widgets do.
    for (ControlTreeModel* model : m_controlTreeModel)
        model->setControlSet(nullptr);
    // The stack empties itself as it goes, after this window's members.
    if (m_undoStack)
        m_undoStack->disconnect(this);
}

void Form1::connectEditingHandlers()
{
    for (int m = 0; m < kMixerCount; ++m) {
        const auto k = static_cast<std::size_t>(m);
        GridView* grid = m_crossPointGrid[k];
        connect(grid, &GridView::cellDoubleClicked, this,
                [this, m] { CrossPointGrid_DblClick(m); });
        connect(grid, &GridView::enterCell, this, [this, grid] { highlightCurrentCell(*grid); });
        connect(grid, &GridView::leaveCell, this, [this, grid] { unhighlightCurrentCell(*grid); });
        connect(grid, &GridView::mouseUp, this,
                [this, m](Qt::MouseButton button) { CrossPointGrid_MouseUp(m, button); });
        connect(grid, &GridView::contextMenuKey, this,
                [this, m] { CrossPointGrid_ContextMenuKey(m); });
        connect(m_mixOutputCombo[k], &QComboBox::currentIndexChanged, this,
                [this, m] { MixOutputCombo_Click(m); });
        connect(m_copyMixOut[k], &QPushButton::clicked, this, [this, m] { CopyMixOut_Click(m); });
        connect(m_pasteMixOut[k], &QPushButton::clicked, this, [this, m] { PasteMixOut_Click(m); });
        connect(m_swapMixOut[k], &QPushButton::clicked, this, [this, m] { SwapMixOut_Click(m); });

        GridView* loops = m_loopsGrid[k];
        connect(loops, &GridView::cellDoubleClicked, this, [this, m] { LoopsGrid_DblClick(m); });
        connect(loops, &GridView::enterCell, this, [this, loops] { highlightCurrentCell(*loops); });
        connect(loops, &GridView::leaveCell, this,
                [this, loops] { unhighlightCurrentCell(*loops); });
    }
    connect(m_mnuMute, &QAction::triggered, this, &Form1::mnuMUTE_Click);
    connect(m_mnuLu, &QAction::triggered, this, &Form1::mnuLu_Click);

    for (int set = 0; set < kSetCount; ++set) {
        QTreeView* tree = m_controlsTree[static_cast<std::size_t>(set)];
        connect(tree, &QTreeView::clicked, this,
                [this, set](const QModelIndex& entry) { ControlsTree_NodeClick(set, entry); });
        // Enter on an entry assigns like a click, for users without a mouse.
        tree->installEventFilter(this);
    }

    for (int i = 0; i < kMeterCount; ++i) {
        connect(m_meterCombo[static_cast<std::size_t>(i)], &QComboBox::currentIndexChanged, this,
                [this, i] { meterCombo_Click(i); });
    }
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
        const CompressorParam param = kCompressorParams[k];
        connect(m_upDown[k], &QSpinBox::valueChanged, this,
                [this, param](int position) { compressorUpDown_Change(param, position); });
    }
    connect(m_saveCommand, &QPushButton::clicked, this, &Form1::SaveCommand_Click);
    connectShortcuts();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    noteLoopTreeFocus(watched, event);
    if (handleTreeKey(watched, event) || handleFindKey(watched, event))
        return true;
    followPageGeometry(watched, event);
    return QWidget::eventFilter(watched, event);
}

GridView& Form1::crossPointGrid(int mixer) const
{
    return *m_crossPointGrid[static_cast<std::size_t>(mixer)];
}

GridView& Form1::loopsGrid(int mixer) const
{
    return *m_loopsGrid[static_cast<std::size_t>(mixer)];
}

} // namespace tarn

#include "ui/MixTab.h"

#include "controls/ControlSet.h"
#include "layout/DesignGeometry.h"
#include "layout/WindowLayout.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/WindowTexts.h"
#include "ui/ControlsTree.h"
#include "ui/Fonts.h"
#include "ui/GridView.h"

#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeView>

namespace tarn {

namespace {

const char* const kSetAccessibleNames[2] = {"AES3 mix controls", "IP mix controls"};

// The visible caption first, so that the name holds what a sighted helper reads out.
QString captionOfMixer(const char* caption, int mixer)
{
    return QLatin1String(caption) + QStringLiteral(" (") +
           QLatin1String(mixer == 0 ? "AES3" : "IP") + QStringLiteral(" mix)");
}

} // namespace

MixTab::MixTab(QTabWidget* tabs, int mixer, const MixTabGeometry& geometry, double twipsPerPixel)
    : TabPage(tabs, QLatin1String(kTabCaptions[mixer]), twipsPerPixel)
{
    m_inputFrame =
        addFrame(this, indexed("MixInputFrame", mixer), QLatin1String(kMixInputFrameCaption));
    m_grid = new GridView(kInputCount, kSlotCount, m_inputFrame, indexed("CrossPointGrid", mixer));
    m_grid->setFont(sixPixelFixedFont());
    m_grid->setAccessibleName(ofMixer(mixer, "crosspoints"));

    m_outputFrame =
        addFrame(this, indexed("MixOutputFrame", mixer), QLatin1String(kMixOutputFrameCaption));
    // A list is read by the frame around it; this one names the mixer too.
    m_outputFrame->setAccessibleName(ofMixer(mixer, kMixOutputFrameCaption));
    const auto button = [&](const char* family, const char* caption, const TwipsRect& rect,
                            const char* toolTip) {
        auto* b = new QPushButton(QLatin1String(caption), m_outputFrame);
        b->setObjectName(indexed(family, mixer));
        b->setAccessibleName(captionOfMixer(caption, mixer));
        b->setToolTip(QLatin1String(toolTip));
        place(b, rect);
        return b;
    };
    QPushButton* copy =
        button("CopyMixOut", kCopyMixOutCaption, kCopyMixOutRect,
               "Copy the controls of the selected mix output into this mixer's buffer");
    m_swap = button("SwapMixOut", kSwapMixOutCaption, kSwapMixOutRect,
                    "Exchange the controls of the selected mix output with the buffer");
    m_paste = button("PasteMixOut", kPasteMixOutCaption, kPasteMixOutRect,
                     "Replace the controls of the selected mix output with the buffer");
    // Nothing to swap or paste before the first copy.
    setBufferFilled(false);
    m_outputCombo = new QComboBox(m_outputFrame);
    m_outputCombo->setObjectName(indexed("MixOutputCombo", mixer));
    m_outputCombo->setFont(sixPixelFixedFont());
    place(m_outputCombo, kMixOutputComboRect);

    m_controlsFrame =
        addFrame(this, indexed("MixControlsFrame", mixer), QLatin1String(kControlsFrameCaption));
    m_tree = new ControlsTree(crosspointSetOf(mixer), QLatin1String(kSetAccessibleNames[mixer]),
                              m_controlsFrame);
    applyGeometry(geometry);

    // Tab leads from the grid straight to the tree that assigns to it.
    setTabOrder(m_grid, m_tree->view());
    setTabOrder(m_tree->view(), copy);
    setTabOrder(copy, m_swap);
    setTabOrder(m_swap, m_paste);
    setTabOrder(m_paste, m_outputCombo);

    followCurrentCell(*m_grid);
    connect(m_grid, &GridView::cellDoubleClicked, this, &MixTab::revealRequested);
    connect(m_grid, &GridView::mouseUp, this, [this](Qt::MouseButton button) {
        if (button == Qt::RightButton)
            emit menuRequested(QCursor::pos());
    });
    connect(m_grid, &GridView::contextMenuKey, this, &MixTab::requestMenuAtCell);
    connect(m_outputCombo, &QComboBox::currentIndexChanged, this, &MixTab::outputChosen);
    connect(copy, &QPushButton::clicked, this, &MixTab::copyRequested);
    connect(m_swap, &QPushButton::clicked, this, &MixTab::swapRequested);
    connect(m_paste, &QPushButton::clicked, this, &MixTab::pasteRequested);
}

void MixTab::applyGeometry(const MixTabGeometry& geometry)
{
    placeOnTab(m_outputFrame, geometry.mixOutputFrame);
    placeOnTab(m_controlsFrame, geometry.mixControlsFrame);
    place(m_tree->view(), geometry.controlsTree);
    placeOnTab(m_inputFrame, geometry.mixInputFrame);
    place(m_grid, geometry.crossPointGrid);
}

void MixTab::showNames(const QStringList& headers, const QStringList& labels,
                       const QStringList& outputs)
{
    m_grid->setCornerText(headers.value(0));
    for (int c = 1; c < headers.size(); ++c)
        m_grid->setColumnHeader(c - 1, headers[c]);
    for (int r = 0; r < labels.size(); ++r)
        m_grid->setRowHeader(r, labels[r]);
    m_outputCombo->addItems(outputs);
    highlightCurrentCell(*m_grid);
}

void MixTab::showOutput(const MixOutputTexts& texts)
{
    m_grid->setTexts({0, 0, kInputCount - 1, kSlotCount - 1},
                     [&](int input, int slot) { return at(at(texts, input), slot); });
    fitColumns();
}

void MixTab::showAssigned(const QString& cellText)
{
    m_grid->setFillMode(GridView::FillMode::WholeSelection);
    m_grid->setSelectionText(cellText);
    fitColumns();
}

void MixTab::fitColumns()
{
    fitLabelsToTexts(*m_grid);
    for (int c = 0; c < m_grid->columns(); ++c)
        m_grid->setColumnWidthTwips(c, columnWidthTwips(m_grid->columnTexts(c), m_twipsPerPixel),
                                    m_twipsPerPixel);
}

// From the keyboard the menu opens over the current cell.
void MixTab::requestMenuAtCell()
{
    const CellRect current = m_grid->selection();
    const QRect cell = m_grid->visualRect(m_grid->cells().index(current.row, current.column));
    const QPoint at = m_grid->viewport()->rect().intersects(cell)
                          ? m_grid->viewport()->mapToGlobal(cell.center())
                          : m_grid->mapToGlobal(m_grid->rect().center());
    emit menuRequested(at);
}

} // namespace tarn

#include "ui/LoopsTab.h"

#include "controls/ControlSet.h"
#include "layout/WindowLayout.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/WindowTexts.h"
#include "ui/ControlsTree.h"
#include "ui/Fonts.h"
#include "ui/GridView.h"

#include <QGroupBox>
#include <QTreeView>

namespace tarn {

namespace {

// Data cells; the fixed row and column come on top.
constexpr int kLoopsColumns = 1;

const char* const kSetAccessibleNames[2] = {"AES3 loop controls", "IP loop controls"};

// What a screen reader calls the control column, whose header shows no text.
constexpr char kLoopControlColumnName[] = "CONTROL";

} // namespace

LoopsTab::LoopsTab(QTabWidget* tabs, const LoopsTabGeometry& geometry, double twipsPerPixel)
    : TabPage(tabs, QLatin1String(kTabCaptions[kLoopsTab]), twipsPerPixel)
{
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        const auto m = static_cast<std::size_t>(mixer);
        m_dcLoopsFrame[m] =
            addFrame(this, indexed("DcLoopsFrame", mixer), QLatin1String(kDcLoopsFrameCaptions[m]));
        m_gridFrame[m] = addFrame(m_dcLoopsFrame[m], indexed("LoopsGridFrame", mixer),
                                  QLatin1String(kLoopsGridFrameCaption));
        // A frame inside a frame would otherwise be read by its outer frame's caption.
        m_gridFrame[m]->setAccessibleName(ofMixer(mixer, kLoopsGridFrameCaption));
        m_grid[m] =
            new GridView(kLoopCount, kLoopsColumns, m_gridFrame[m], indexed("LoopsGrid", mixer));
        m_grid[m]->setFont(sixPixelFixedFont());
        m_grid[m]->setAccessibleName(ofMixer(mixer, "loop assignments"));

        m_controlsFrame[m] = addFrame(m_dcLoopsFrame[m], indexed("LoopControlsFrame", mixer),
                                      QLatin1String(kControlsFrameCaption));
        m_controlsFrame[m]->setAccessibleName(ofMixer(mixer, "Loop controls"));
        m_tree[m] = new ControlsTree(loopSetOf(mixer), QLatin1String(kSetAccessibleNames[m]),
                                     m_controlsFrame[m]);
        // Tab leads from a grid straight to the tree that assigns to it.
        setTabOrder(m_grid[m], m_tree[m]->view());

        followCurrentCell(*m_grid[m]);
        connect(m_grid[m], &GridView::cellDoubleClicked, this,
                [this, mixer] { emit revealRequested(mixer); });
        connect(m_tree[m], &ControlsTree::entryChosen, this,
                [this, mixer](int entry) { emit controlChosen(mixer, entry); });
        connect(m_tree[m], &ControlsTree::focusEntered, this,
                [this, mixer] { m_lastTreeMixer = mixer; });
    }
    applyGeometry(geometry);
}

void LoopsTab::applyGeometry(const LoopsTabGeometry& geometry)
{
    for (std::size_t m = 0; m < kMixerCount; ++m) {
        placeOnTab(m_dcLoopsFrame[m], geometry.dcLoopsFrame[m]);
        place(m_gridFrame[m], geometry.loopsGridFrame[m]);
        place(m_grid[m], geometry.loopsGrid[m]);
        place(m_controlsFrame[m], geometry.loopControlsFrame[m]);
        place(m_tree[m]->view(), geometry.controlsTree[m]);
        m_gridWidth[m] = geometry.loopsGrid[m].width;
    }
}

void LoopsTab::showNames(int mixer, const QStringList& labels)
{
    GridView& grid = this->grid(mixer);
    grid.setCornerText(QLatin1String(kLoopHeader));
    // The control column's header shows nothing; a screen reader still needs its name.
    grid.cells().setHeaderName(Qt::Horizontal, 0, QLatin1String(kLoopControlColumnName));
    for (int r = 0; r < labels.size(); ++r)
        grid.setRowHeader(r, labels[r]);
    fitLabelsToTexts(grid);
    // The loop's control column is as wide as the whole grid, whatever the label column takes.
    const double gridWidth = at(m_gridWidth, mixer);
    grid.setColumnWidthTwips(0, static_cast<int>(wholeTwips(gridWidth)), m_twipsPerPixel);
    highlightCurrentCell(grid);
}

void LoopsTab::showAssigned(int mixer, const QString& cellText)
{
    grid(mixer).setFillMode(GridView::FillMode::WholeSelection);
    grid(mixer).setSelectionText(cellText);
}

} // namespace tarn

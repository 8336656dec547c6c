#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "controls/ControlTreeModel.h"
#include "texts/DisplayTexts.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"
#include "ui/GridView.h"

#include <utility>

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QTreeView>
#include <QUndoStack>

namespace tarn {

namespace {

// What a screen reader calls the loops grid's control column, whose header shows no text.
constexpr char kLoopControlColumnName[] = "CONTROL";

} // namespace

// The core reads the folder and settles the model exactly as the start-up leaves it (meter
// bytes kept as read, compressor clamped and Hold rounded); the window only shows that, so the
// editing handlers are connected after the values are shown and before the grids are painted.
void Form1::showLoadedFolder()
{
    // Another folder's lists and spinners show the load, their handlers leave the model alone.
    m_applyingStep = true;
    forgetLoadedFolder();
    m_load = LoadSequence(m_model.configFolder);
    // The window's model is the one the editors change; the load's copy is not kept beside it.
    m_model.takeConfiguration(std::exchange(m_load->model, ConfigModel()));

    showControlTrees();
    BuildViews();
    showLoadedValues();
    m_applyingStep = false;
    warnInvalidAssignments();
    if (!m_handlersConnected) {
        connectEditingHandlers();
        connectFolderShortcut();
        m_handlersConnected = true;
    }
    setCellToolTips();
    // Saved first: emptying the stack asks whether there are edits to keep.
    m_savedModel = m_model;
    m_undoStack->clear();
    m_loaded = true;
    keepWorkOfLoad();
    selectFirstMixOutputs();
    reportLoadProblems();
}

void Form1::showControlTrees()
{
    for (std::size_t set = 0; set < kSetCount; ++set) {
        m_controlTreeModel[set]->setControlSet(&m_load->sets[set]);
        m_controlsTree[set]->collapseAll();
    }
}

void Form1::BuildViews()
{
    const ChannelNames& names = m_load->names;
    const QStringList headers = crosspointHeaders();
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        GridView& grid = crossPointGrid(mixer);
        grid.setCornerText(headers.value(0));
        for (int c = 1; c < headers.size(); ++c)
            grid.setColumnHeader(c - 1, headers[c]);
        const QStringList labels = crosspointRowLabels(names, mixer);
        for (int r = 0; r < labels.size(); ++r)
            grid.setRowHeader(r, labels[r]);
        m_mixOutputCombo[static_cast<std::size_t>(mixer)]->addItems(mixOutputEntries(names, mixer));
    }

    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        GridView& grid = loopsGrid(mixer);
        grid.setCornerText(QLatin1String(kLoopHeader));
        // The control column's header shows nothing; a screen reader still needs its name.
        grid.cells().setHeaderName(Qt::Horizontal, 0, QLatin1String(kLoopControlColumnName));
        const QStringList labels = loopLabels(names, mixer);
        for (int r = 0; r < labels.size(); ++r)
            grid.setRowHeader(r, labels[r]);
        fitLoopsGridColumns(mixer);
    }

    for (GridView* grid :
         {m_crossPointGrid[0], m_crossPointGrid[1], m_loopsGrid[0], m_loopsGrid[1]})
        highlightCurrentCell(*grid);

    const QStringList entries = meterEntries(names);
    for (int i = 0; i < kMeterCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_meterFrame[k]->setTitle(meterCaption(i + 1));
        m_meterCombo[k]->addItems(entries);
        m_meterCombo[k]->setCurrentIndex(0);
        m_meterFrame[k]->setVisible(true);
    }
}

void Form1::fitLoopsGridColumns(int mixer)
{
    GridView& grid = loopsGrid(mixer);
    fitLabelsToTexts(grid);
    // The loop's control column is as wide as the whole grid, whatever the label column takes.
    const double gridWidth = m_geometry.loopsTab.loopsGrid[static_cast<std::size_t>(mixer)].width;
    grid.setColumnWidthTwips(0, static_cast<int>(wholeTwips(gridWidth)), m_twipsPerPixel);
}

void Form1::showLoadedValues()
{
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        const auto& texts = m_load->loopCellTexts[static_cast<std::size_t>(mixer)];
        for (int l = 0; l < kLoopCount; ++l)
            loopsGrid(mixer).setText(l, 0, texts[static_cast<std::size_t>(l)]);
    }
    for (std::size_t i = 0; i < kMeterCount; ++i)
        m_meterCombo[i]->setCurrentIndex(m_load->meterPositions[i]);
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k)
        m_upDown[k]->setValue(m_load->compressorPositions[kCompressorParams[k]]);
}

void Form1::warnInvalidAssignments()
{
    for (const MixFileLoad& file : m_load->mixFiles) {
        if (file.check.anyInvalid())
            m_services.messages.showOk(QLatin1String(kInvalidAssignmentsWarning));
    }
}

void Form1::selectFirstMixOutputs()
{
    // Position 1 first, so that position 0 is a change whatever the list showed.
    for (QComboBox* combo : m_mixOutputCombo) {
        combo->setCurrentIndex(1);
        combo->setCurrentIndex(0);
    }
}

void Form1::reportLoadProblems()
{
    if (m_load->problems.empty())
        return;
    QStringList lines{QLatin1String(kLoadProblemsIntro)};
    for (const FileProblem& problem : m_load->problems)
        lines.append(problem.message());
    lines.append(QLatin1String(kLoadProblemsOutro));
    m_services.messages.showOk(lines.join(QLatin1Char('\n')));
}

} // namespace tarn

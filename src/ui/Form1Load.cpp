#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "ui/ControlTreeModel.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"
#include "ui/GridAdapter.h"
#include "views/ViewTexts.h"

#include <utility>

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QTreeView>

namespace tarn {

// The core reads the folder and settles the model exactly as the start-up leaves it (meter
// bytes kept as read, compressor clamped and Hold rounded); the window only shows that, so the
// editing handlers are connected after the values are shown and before the grids are painted.
void Form1::showLoadedFolder()
{
    m_load = LoadSequence(m_model.configFolder);
    // The window's model is the one the editors change; the load's copy is not kept beside it.
    m_model.takeConfiguration(std::exchange(m_load->model, ConfigModel()));

    showControlTrees();
    BuildViews();
    showLoadedValues();
    warnInvalidAssignments();
    connectEditingHandlers();
    m_savedModel = m_model;
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
        GridAdapter& grid = crossPointGrid(mixer);
        for (int c = 0; c < headers.size(); ++c)
            grid.setText(0, c, headers[c]);
        const QStringList labels = crosspointRowLabels(names, mixer);
        for (int r = 1; r <= labels.size(); ++r)
            grid.setText(r, 0, labels[r - 1]);
        m_mixOutputCombo[static_cast<std::size_t>(mixer)]->addItems(mixOutputEntries(names, mixer));
    }

    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        GridAdapter& grid = loopsGrid(mixer);
        grid.setText(0, 0, QLatin1String(kLoopHeader));
        const QStringList labels = loopLabels(names, mixer);
        for (int r = 1; r <= labels.size(); ++r)
            grid.setText(r, 0, labels[r - 1]);
        fitLoopsGridColumns(mixer);
    }

    for (GridAdapter* grid :
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
    GridAdapter& grid = loopsGrid(mixer);
    fitColumnToTexts(grid, 0);
    // The loop's control column is as wide as the whole grid, whatever the label column takes.
    const double gridWidth = m_geometry.loopsTab.loopsGrid[static_cast<std::size_t>(mixer)].width;
    grid.setColumnWidthTwips(1, static_cast<int>(wholeTwips(gridWidth)), m_twipsPerPixel);
}

void Form1::showLoadedValues()
{
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        const auto& texts = m_load->loopCellTexts[static_cast<std::size_t>(mixer)];
        for (int l = 0; l < kLoopCount; ++l)
            loopsGrid(mixer).setText(l + 1, 1, texts[static_cast<std::size_t>(l)]);
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

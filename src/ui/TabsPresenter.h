#pragma once

#include "app/EditHistory.h"
#include "model/ConfigModel.h"
#include "ui/CellToolTips.h"

#include <array>
#include <memory>

class QTabWidget;

namespace tarn {

class CompressorTab;
class ControlsTree;
class LoopsTab;
class MetersTab;
class MixTab;
struct FolderLoad;

// The window's tab strip and its tabs, which Form1 makes and owns.
struct WindowTabs
{
    QTabWidget* strip;
    std::array<MixTab*, kMixerCount> mix;
    LoopsTab* loops;
    MetersTab* meters;
    CompressorTab* compressor;
};

// What the tabs show of the model and the loaded folder: the texts the core builds are handed
// to each tab here, so that the window only decides what changes. It reads the model and
// never changes it.
class TabsPresenter
{
public:
    TabsPresenter(const ConfigModel& model, const std::unique_ptr<FolderLoad>& load,
                  const WindowTabs& tabs)
        : m_model(model), m_load(load), m_tabs(tabs), m_toolTips(model, load)
    {
    }

    // The loaded sets, names and values; the tooltips follow the model from now on.
    void showLoad();
    // The trees point into the load's sets, so they let go before the load goes.
    void forgetLoad();
    void showMixOutput(int mixer);
    void showLoops(int mixer);
    void showMeters();
    void showCompressor();
    void showWholeModel();
    // Turns to the tab of an undone or redone step and shows what it changed there.
    void showStep(const EditPlace& place);
    // Shows the tree entry assigned to the current cell, without selecting it.
    void revealCrossPoint(int mixer);
    void revealLoop(int mixer);
    ControlsTree& tree(int set) const;

private:
    // A pointer no entry carries has nothing to show.
    void revealControl(int set, int pointer);

    const ConfigModel& m_model;
    const std::unique_ptr<FolderLoad>& m_load;
    WindowTabs m_tabs;
    CellToolTips m_toolTips;
};

} // namespace tarn

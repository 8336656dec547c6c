#pragma once

#include "model/Index.h"
#include "ui/GridView.h"
#include "ui/TabPage.h"

#include <array>

namespace tarn {

class ControlsTree;
struct LoopsTabGeometry;

// The DC LOOPS page: for each mixer the loops grid and the tree of its loop controls. It shows
// the texts it is given and tells what the user asked for; the window changes the model.
class LoopsTab : public TabPage
{
    Q_OBJECT

public:
    LoopsTab(QTabWidget* tabs, const LoopsTabGeometry& geometry, double twipsPerPixel);

    GridView& grid(int mixer) const { return *at(m_grid, mixer); }
    ControlsTree& controlsTree(int mixer) const { return *at(m_tree, mixer); }
    // The mixer whose tree last had the focus; the find field goes there.
    int lastTreeMixer() const { return m_lastTreeMixer; }

    void applyGeometry(const LoopsTabGeometry& geometry);
    void showNames(int mixer, const QStringList& labels);
    void showLoop(int mixer, int loop, const QString& text) { grid(mixer).setText(loop, 0, text); }
    // The selection took the control the user chose.
    void showAssigned(int mixer, const QString& cellText);

signals:
    void controlChosen(int mixer, int entryIndex);
    void revealRequested(int mixer);

private:
    std::array<QGroupBox*, 2> m_dcLoopsFrame{};
    std::array<QGroupBox*, 2> m_gridFrame{};
    std::array<QGroupBox*, 2> m_controlsFrame{};
    std::array<GridView*, 2> m_grid{};
    std::array<ControlsTree*, 2> m_tree{};
    std::array<double, 2> m_gridWidth{};
    int m_lastTreeMixer = 0;
};

} // namespace tarn

#pragma once

#include <memory>

namespace tarn {

class ConfigModel;
class GridView;
class MixTab;
struct FolderLoad;

// The tooltips of the grids' cells, worked out when asked from the model, so that the grids
// keep no tooltips: "Desk faders > Desk A > Fader 2 - pointer 17", or that the set has no entry
// for the pointer.
class CellToolTips
{
public:
    // The sets are looked up at each question: another folder's load replaces them.
    CellToolTips(const ConfigModel& model, const std::unique_ptr<FolderLoad>& load)
        : m_model(model), m_load(load)
    {
    }

    void attachToCrossPoints(const MixTab& tab, int mixer) const;
    void attachToLoops(GridView& grid, int mixer) const;

private:
    const ConfigModel& m_model;
    const std::unique_ptr<FolderLoad>& m_load;
};

} // namespace tarn

#pragma once

#include "editors/CellRect.h"
#include "model/ConfigModel.h"

#include <vector>

#include <QByteArray>

namespace tarn {

// Where a step was made, so that undo and redo can bring it back into sight. `tab` is the
// window's tab index (0 AES3 MIX, 1 IP MIX, 2 DC LOOPS, 3 METERS, 4 COMPRESSOR).
struct EditPlace
{
    enum Tab { AesMix = 0, IpMix = 1, Loops = 2, Meters = 3, Compressor = 4 };

    int tab = AesMix;
    int mixer = 0;
    int output = 0; // crosspoint steps: the mix output shown
    CellRect cells; // crosspoint and loop steps: the cells the step assigned
    int item = 0;   // meter steps: the meter; compressor steps: the parameter
};

// The parts of the model a step can change, each as a byte image.
enum class ModelBlock { Mix0, Mix1, LoopAssignments, Meters, Compressor };

struct BlockChange
{
    ModelBlock block = ModelBlock::Mix0;
    int offset = 0;
    QByteArray before;
    QByteArray after;
};

// One user action: the bytes it changed, before and after, and where it was made. A step that
// changed nothing (the same value assigned again) is still a step.
struct EditStep
{
    EditPlace place;
    std::vector<BlockChange> changes;

    bool changesModel() const { return !changes.empty(); }
    int byteCount() const;
};

// The step that turns `before` into `after`.
EditStep recordEdit(const ConfigModel& before, const ConfigModel& after, const EditPlace& place);
void undoEdit(ConfigModel& model, const EditStep& step);
void redoEdit(ConfigModel& model, const EditStep& step);
// `second` following `first` as one step; `current` is the model after `second`.
EditStep mergeEdits(const EditStep& first, const EditStep& second, const ConfigModel& current);

} // namespace tarn

#include "views/MixOutputView.h"

#include "views/ViewTexts.h"

namespace tarn {

MixOutputTexts mixOutputCellTexts(const ConfigModel& model, const ControlSet& set, int mixer,
                                  int output)
{
    MixOutputTexts texts;
    for (int input = 0; input < kInputCount; ++input) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            texts[static_cast<std::size_t>(input)][static_cast<std::size_t>(slot)] =
                controlCellText(set, model.slot(mixer, output, input, slot));
        }
    }
    return texts;
}

} // namespace tarn

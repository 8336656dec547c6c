#include "texts/MixOutputTexts.h"

#include "model/Index.h"
#include "texts/DisplayTexts.h"

namespace tarn {

MixOutputTexts mixOutputCellTexts(const ConfigModel& model, const ControlSet& set, int mixer,
                                  int output)
{
    MixOutputTexts texts;
    for (int input = 0; input < kInputCount; ++input) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            at(at(texts, input), slot) =
                controlCellText(set, model.slot(mixer, output, input, slot));
        }
    }
    return texts;
}

} // namespace tarn

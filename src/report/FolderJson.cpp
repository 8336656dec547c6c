#include "report/FolderJson.h"

#include "app/LoadSequence.h"
#include "report/FolderPlaces.h"
#include "views/ViewTexts.h"

#include <QJsonArray>

namespace tarn {

namespace {

QJsonValue controlValue(const ControlSet& set, int pointer)
{
    const int index = set.PointerToNode(pointer);
    return index == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(set.entry(index).text);
}

template <std::size_t N> QJsonArray stringArray(const std::array<QString, N>& texts)
{
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

QJsonObject outputJson(const FolderLoad& load, int mixer, int output)
{
    const ConfigModel& model = load.model;
    const ControlSet& set = load.sets[static_cast<std::size_t>(crosspointSetOf(mixer))];
    QJsonArray crosspoints;
    for (int input = 0; input < kInputCount; ++input) {
        QJsonArray slotValues;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int pointer = model.slot(mixer, output, input, slot);
            slotValues.append(
                QJsonObject{{"pointer", pointer}, {"control", controlValue(set, pointer)}});
        }
        crosspoints.append(slotValues);
    }
    return {
        {"name",
         load.names.outputNames[static_cast<std::size_t>(mixer)][static_cast<std::size_t>(output)]},
        {"crosspoints", crosspoints}};
}

QJsonObject mixerJson(const FolderLoad& load, int mixer)
{
    const auto m = static_cast<std::size_t>(mixer);
    QJsonArray outputs;
    for (int output = 0; output < kOutputCount; ++output)
        outputs.append(outputJson(load, mixer, output));

    const ControlSet& loopSet = load.sets[static_cast<std::size_t>(loopSetOf(mixer))];
    const auto& loopNames = load.names.loopNames[m];
    QJsonArray loops;
    for (int loop = 0; loop < kLoopCount; ++loop) {
        const int pointer = load.model.loopAssignment(mixer, loop);
        loops.append(QJsonObject{
            {"name", loopNames ? (*loopNames)[static_cast<std::size_t>(loop)] : QString()},
            {"pointer", pointer},
            {"control", controlValue(loopSet, pointer)}});
    }

    const MixCheck& check = load.mixFiles[m].check;
    return {{"name", mixerName(mixer)},
            {"inputNames", stringArray(load.names.inputNames[m])},
            {"outputs", outputs},
            {"loops", loops},
            {"invalid", static_cast<int>(check.invalidSlots.size() + check.invalidLoops.size())}};
}

QJsonArray metersJson(const FolderLoad& load)
{
    const QStringList entries = meterEntries(load.names);
    QJsonArray meters;
    for (int i = 0; i < kMeterCount; ++i) {
        // Bytes that name no source show "DISABLED" but keep their value.
        meters.append(
            QJsonObject{{"byte", static_cast<int>(load.model.meter(i))},
                        {"source", entries.at(load.meterPositions[static_cast<std::size_t>(i)])}});
    }
    return meters;
}

QJsonObject compressorJson(const ConfigModel& model)
{
    QJsonObject compressor;
    for (const CompressorParam param : kCompressorParams)
        compressor[compressorFieldName(param)] = model.compressor(compressorWordOf(param));
    QJsonArray gainTable;
    for (int k = 0; k < kGainTableSize; ++k)
        gainTable.append(model.compressorWord(k));
    QJsonArray reserved;
    for (int k = 0; k < kReservedWordCount; ++k)
        reserved.append(model.compressorWord(kReservedFirstWord + k));
    compressor["gainTable"] = gainTable;
    compressor["reserved"] = reserved;
    return compressor;
}

} // namespace

QJsonObject folderJson(const FolderLoad& load)
{
    QJsonArray mixers;
    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        mixers.append(mixerJson(load, mixer));
    return {{"format", QLatin1String(kFolderJsonFormat)},
            {"version", kFolderJsonVersion},
            {"mixers", mixers},
            {"meters", metersJson(load)},
            {"compressor", compressorJson(load.model)}};
}

} // namespace tarn

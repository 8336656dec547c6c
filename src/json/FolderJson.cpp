#include "json/FolderJson.h"

#include "app/LoadSequence.h"
#include "json/JsonWriter.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tarn {

namespace {

// Keys go out in QJsonObject's order, which is sorted.

void controlValue(JsonWriter& json, const ControlSet& set, int pointer)
{
    json.key("control");
    if (const int index = set.PointerToNode(pointer))
        json.windows1252Value(set.textBytes(index));
    else
        json.null();
}

template <std::size_t N> void stringArray(JsonWriter& json, const std::array<QString, N>& texts)
{
    json.beginArray();
    for (const QString& text : texts)
        json.value(text);
    json.endArray();
}

void outputJson(JsonWriter& json, const FolderLoad& load, int mixer, int output)
{
    const ConfigModel& model = load.model;
    const ControlSet& set = at(load.sets, crosspointSetOf(mixer));
    json.beginObject();
    json.key("crosspoints");
    json.beginArray();
    for (int input = 0; input < kInputCount; ++input) {
        json.beginArray();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int pointer = model.slot(mixer, output, input, slot);
            json.beginObject();
            controlValue(json, set, pointer);
            json.member("pointer", pointer);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.member("name", at(at(load.names.outputNames, mixer), output));
    json.endObject();
}

void mixerJson(JsonWriter& json, const FolderLoad& load, int mixer)
{
    const auto m = static_cast<std::size_t>(mixer);
    const MixCheck& check = load.mixFiles[m].check;
    json.beginObject();
    json.key("inputNames");
    stringArray(json, load.names.inputNames[m]);
    json.member("invalid", static_cast<int>(check.invalidSlots.size() + check.invalidLoops.size()));

    const ControlSet& loopSet = at(load.sets, loopSetOf(mixer));
    const auto& loopNames = load.names.loopNames[m];
    json.key("loops");
    json.beginArray();
    for (int loop = 0; loop < kLoopCount; ++loop) {
        const int pointer = load.model.loopAssignment(mixer, loop);
        json.beginObject();
        controlValue(json, loopSet, pointer);
        json.member("name", loopNames ? at((*loopNames), loop) : QString());
        json.member("pointer", pointer);
        json.endObject();
    }
    json.endArray();

    json.member("name", mixerName(mixer));
    json.key("outputs");
    json.beginArray();
    for (int output = 0; output < kOutputCount; ++output)
        outputJson(json, load, mixer, output);
    json.endArray();
    json.endObject();
}

void metersJson(JsonWriter& json, const FolderLoad& load)
{
    const QStringList entries = meterEntries(load.names);
    json.beginArray();
    for (int i = 0; i < kMeterCount; ++i) {
        // Bytes that name no source show "DISABLED" but keep their value.
        json.beginObject();
        json.member("byte", static_cast<int>(load.model.meter(i)));
        json.member("source", entries.at(at(load.meterPositions, i)));
        json.endObject();
    }
    json.endArray();
}

void compressorJson(JsonWriter& json, const ConfigModel& model)
{
    // The parameters' names mix with the two tables' in sorted order.
    std::vector<std::pair<QString, int>> params;
    for (const CompressorParam param : kCompressorParams)
        params.emplace_back(compressorFieldName(param), model.compressor(compressorWordOf(param)));
    params.emplace_back(QStringLiteral("gainTable"), -1);
    params.emplace_back(QStringLiteral("reserved"), -2);
    std::sort(params.begin(), params.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    json.beginObject();
    for (const auto& [name, value] : params) {
        const QByteArray key = name.toLatin1();
        json.key(std::string_view(key.constData(), std::size_t(key.size())));
        if (name == QLatin1String("gainTable")) {
            json.beginArray();
            for (int k = 0; k < kGainTableSize; ++k)
                json.value(model.compressorWord(k));
            json.endArray();
        } else if (name == QLatin1String("reserved")) {
            json.beginArray();
            for (int k = 0; k < kReservedWordCount; ++k)
                json.value(model.compressorWord(kReservedFirstWord + k));
            json.endArray();
        } else {
            json.value(value);
        }
    }
    json.endObject();
}

} // namespace

void folderJson(const FolderLoad& load, JsonWriter& json)
{
    json.beginObject();
    json.key("compressor");
    compressorJson(json, load.model);
    json.member("format", std::string_view(kFolderJsonFormat));
    json.key("meters");
    metersJson(json, load);
    json.key("mixers");
    json.beginArray();
    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        mixerJson(json, load, mixer);
    json.endArray();
    json.member("version", kFolderJsonVersion);
    json.endObject();
}

} // namespace tarn

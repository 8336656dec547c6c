// libFuzzer target for the document `tarnctl import` reads: any bytes as the JSON document,
// laid over the example folder's configuration.
#include "FuzzCheck.h"
#include "app/LoadSequence.h"
#include "editors/CompressorEditor.h"
#include "json/FolderJsonImport.h"
#include "json/JsonText.h"
#include "model/ByteOrder.h"
#include "model/CompressorFile.h"
#include "model/MeterFile.h"
#include "model/MixFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// The folder as `import` finds it before the document is laid over it: loaded once, without
// creating the binary files it lacks.
const tarn::ConfigModel& folderModel()
{
    static const std::unique_ptr<tarn::FolderLoad> load = tarn::LoadSequence(
        QStringLiteral(TARN_EXAMPLES_DIR "/studio-a"), tarn::MissingFiles::Leave);
    return load->model;
}

// What an accepted document may leave: only values the editor can hold, and the files written
// from them load again as the same values.
__attribute__((no_sanitize("coverage"))) void checkAccepted(const tarn::ConfigModel& model)
{
    for (int m = 0; m < tarn::kMixerCount; ++m)
        checkMixerInRange(model, m);
    tarn::ConfigModel reloaded;
    const auto anyPointer = [](int) {
        return true;
    };
    for (int m = 0; m < tarn::kMixerCount; ++m) {
        tarn::applyMixFileBytes(reloaded, m, tarn::mixFileBytesForSave(model, m, {}));
        // The load's own check reads each loop's pointer from its word.
        tarn::checkMixSettings(reloaded, m, anyPointer, anyPointer);
    }
    tarn::applyMeterFileBytes(reloaded, model.meterImage());
    tarn::applyCompressorFileBytes(reloaded, model.compressorImage());
    tarn::settleCompressor(reloaded, tarn::CompressorPositions{});
    FUZZ_CHECK(reloaded == model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const tarn::JsonText json = tarn::parseJsonText(bytes);
    if (!json.syntaxError.isEmpty())
        return 0;
    // A key given twice is named where it sits, and such a document is never laid over a folder.
    for (const tarn::JsonProblem& problem : json.duplicateKeys)
        FUZZ_CHECK(!problem.place.isEmpty());
    if (!json.duplicateKeys.empty())
        return 0;
    const QJsonDocument& document = json.document;

    const tarn::ConfigModel& before = folderModel();
    tarn::ConfigModel model = before;
    const std::vector<tarn::JsonProblem> problems = tarn::importFolderJson(document, model);
    if (!problems.empty()) {
        // Nothing of a faulty document is taken (the images included), so nothing is written.
        FUZZ_CHECK(model == before);
        for (const tarn::JsonProblem& problem : problems)
            FUZZ_CHECK(!problem.message.isEmpty());
        return 0;
    }
    checkAccepted(model);

    // Laying the same document over its own result changes nothing.
    tarn::ConfigModel again = model;
    FUZZ_CHECK(tarn::importFolderJson(document, again).empty());
    FUZZ_CHECK(again == model);
    return 0;
}

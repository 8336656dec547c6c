#include "json/FolderJsonImport.h"

#include "StudioFolder.h"
#include "app/LoadSequence.h"
#include "json/FolderJson.h"
#include "json/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

struct FaultCase
{
    const char* name;
    const char* place; // where `value` goes into a valid document, and where import finds fault
    QJsonValue value;
    const char* message;
};

using ImportFault = ::testing::TestWithParam<FaultCase>;

// A saved studio's export with a valid change (which a fault must keep out as well), made once:
// the document is large.
struct Studio
{
    TestFolder folder;
    std::unique_ptr<FolderLoad> load;
    QJsonValue document;
};

const Studio& studio()
{
    static const Studio made = [] {
        Studio s;
        saveStudio(s.folder, [](ConfigModel& m) { m.setSlot(0, 4, 11, 2, 400); });
        s.load = loadAsTarnctl(s.folder);
        JsonWriter json;
        folderJson(*s.load, json);
        s.document =
            withValue(QJsonDocument::fromJson(json.finish()).object(), u"meters[0].byte", 0);
        return s;
    }();
    return made;
}

TEST_P(ImportFault, NamesThePlaceAndLeavesTheModelAsItWas)
{
    const FaultCase& c = GetParam();
    const QJsonValue document = withValue(studio().document, QString(c.place), c.value);
    ConfigModel model = studio().load->model;

    const std::vector<JsonProblem> problems = importFolderJson(
        document.isArray() ? QJsonDocument(document.toArray()) : QJsonDocument(document.toObject()),
        model);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].place, c.place);
    EXPECT_EQ(problems[0].message, c.message);
    EXPECT_TRUE(model == studio().load->model);
}

const FaultCase kFaults[] = {
    {"SeventeenMeters", "meters", repeated(QJsonObject(), 17),
     "expected an array of 16, found an array of 17"},
    {"ZeroGainTableWords", "compressor.gainTable", QJsonArray(),
     "expected an array of 256, found an array of 0"},
    {"PointerAboveRange", "mixers[1].outputs[4].crosspoints[12][2].pointer", 32768,
     "32768 is outside 0..32767"},
    {"NegativeLoopPointer", "mixers[0].loops[0].pointer", -1, "-1 is outside 0..32767"},
    {"FractionalPointer", "mixers[0].outputs[0].crosspoints[0][0].pointer", 1.5,
     "expected an integer, found 1.5"},
    {"MeterByteAboveRange", "meters[15].byte", 256, "256 is outside 0..255"},
    {"AttackAboveSpinner", "compressor.attack", 8, "8 is outside 0..7"},
    {"DecayBelowSpinner", "compressor.decay", -1, "-1 is outside 0..7"},
    {"GainBelowSpinner", "compressor.gain", -37, "-37 is outside -36..36"},
    {"ThresholdAboveSpinner", "compressor.threshold", 1, "1 is outside -42..0"},
    {"HoldAboveSpinnerTop", "compressor.hold", 480001,
     "480001 would be loaded as 48000; the nearest value a load keeps is 48000"},
    {"GainTableWordBeyond32Bits", "compressor.gainTable[255]", 2147483648.0,
     "2147483648 is outside -2147483648..2147483647"},
    {"LastReservedWordBelow32Bits", "compressor.reserved[58]", -2147483649.0,
     "-2147483649 is outside -2147483648..2147483647"},
    {"UnknownField", "meter", 0, "unknown field"},
    {"UnknownSlotField", "mixers[0].outputs[0].crosspoints[0][0].ptr", 17, "unknown field"},
    {"ShortSlots", "mixers[1].outputs[31].crosspoints[63]", repeated(QJsonObject(), 3),
     "expected an array of 4, found an array of 3"},
    {"MeterNotAnObject", "meters[0]", 5, "expected an object, found 5"},
    {"NameNotAString", "mixers[0].inputNames[63]", 7, "expected a string, found 7"},
    {"ControlNotAString", "mixers[1].loops[1].control", true,
     "expected a string or null, found true"},
    {"SourceNotAString", "meters[1].source", QJsonValue(), "expected a string, found null"},
    {"InvalidCountNotANumber", "mixers[0].invalid", "3", "expected an integer, found a string"},
    {"OtherFormat", "format", "tarnconfig-meters",
     "expected \"tarnconfig-folder\", found \"tarnconfig-meters\""},
    {"LaterVersion", "version", 2, "expected 1, found 2"},
    // Left out: a document without its header may be anything.
    {"FormatMissing", "format", QJsonValue(QJsonValue::Undefined),
     "expected \"tarnconfig-folder\", found nothing"},
    {"VersionMissing", "version", QJsonValue(QJsonValue::Undefined), "expected 1, found nothing"},
    {"NotAnObject", "", QJsonArray{1, 2}, "the document must be a JSON object, found an array"},
};

INSTANTIATE_TEST_SUITE_P(Documents, ImportFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

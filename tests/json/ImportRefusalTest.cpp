#include "StudioFolder.h"
#include "app/LoadSequence.h"
#include "json/FolderJson.h"
#include "json/FolderJsonImport.h"
#include "json/JsonText.h"
#include "json/JsonWriter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// The example folder as import finds it (no binary files: the load's defaults), and its export.
const FolderLoad& exampleLoad()
{
    static const auto load = LoadSequence(test::exampleFolder(), MissingFiles::Leave);
    return *load;
}

const QJsonValue& exported()
{
    static const QJsonValue document = [] {
        JsonWriter writer;
        folderJson(exampleLoad(), writer);
        return QJsonDocument::fromJson(writer.finish()).object();
    }();
    return document;
}

struct Edit
{
    const char* place;
    QJsonValue value;
};

// One or two edits of the example's export; `fault` is the first fault's message, found at the
// last edit's place, or empty when the document must be taken. A faulty document also carries
// a valid change, which must be kept out as well.
struct RefusalRow
{
    const char* name;
    std::vector<Edit> edits;
    const char* fault;
};

using ImportRefusal = ::testing::TestWithParam<RefusalRow>;

TEST_P(ImportRefusal, RefusesOnlyWhatTheFolderWouldNotKeep)
{
    const RefusalRow& row = GetParam();
    const QString place = row.edits.empty() ? QString() : row.edits.back().place;
    const QString fault = place.isEmpty() ? row.fault : place + ": " + row.fault;
    QJsonValue document = exported();
    if (*row.fault != '\0')
        document = test::withValue(document, u"mixers[1].outputs[0].crosspoints[5][1].pointer", 0);
    for (const Edit& edit : row.edits)
        document = test::withValue(document, QString::fromLatin1(edit.place), edit.value);
    const QJsonDocument json =
        document.isArray() ? QJsonDocument(document.toArray()) : QJsonDocument(document.toObject());

    auto load = LoadSequence(test::exampleFolder(), MissingFiles::Leave);
    const ConfigModel before = load->model;
    const std::vector<JsonProblem> problems = importFolderJson(json, *load);
    // Laid over a model of its own, the values must say the same.
    ConfigModel model = before;
    const std::vector<JsonProblem> modelProblems = importFolderJson(json, model);
    if (*row.fault == '\0') {
        EXPECT_TRUE(problems.empty()) << problems.front().text().toStdString();
        EXPECT_TRUE(modelProblems.empty());
        EXPECT_EQ(model, load->model);
        // What is written loads again as the same values.
        const test::TestFolder folder;
        folder.copyExample();
        ASSERT_TRUE(SaveAll(load->model, folder.path(), {}).complete());
        EXPECT_EQ(LoadSequence(folder.path(), MissingFiles::Leave)->model, load->model);
        return;
    }
    // Each fault is told once, and the first is the row's.
    ASSERT_EQ(problems.size(), 1u) << problems.back().text().toStdString();
    EXPECT_EQ(problems.front().text(), fault);
    EXPECT_EQ(load->model, before);
    // Without the folder only the document's own faults show.
    if (fault.contains("which import cannot change")) {
        EXPECT_TRUE(modelProblems.empty());
    } else {
        ASSERT_EQ(modelProblems.size(), 1u);
        EXPECT_EQ(modelProblems.front().text(), fault);
        EXPECT_EQ(model, before);
    }
}

const QJsonValue kNull(QJsonValue::Null);

const RefusalRow kRefusals[] = {
    {"ExportUnchanged", {}, ""},
    {"InputName",
     {{"mixers[0].inputNames[3]", "Guest 3"}},
     "\"Guest 3\" differs from \"Mic 4 Guest 3\", which import cannot change; change the name in "
     "aes3inputs.txt instead"},
    {"InputNamedAfterAnOutput",
     {{"mixers[0].inputNames[45]", ""}},
     "\"\" differs from \"Codec 2 send R\", which import cannot change; change the name in "
     "aes3outputs.txt instead"},
    {"OutputName",
     {{"mixers[1].outputs[2].name", "Web"}},
     "\"Web\" differs from \"Web stream L\", which import cannot change; change the name in "
     "ipoutputs.txt instead"},
    {"LoopName",
     {{"mixers[0].loops[1].name", "CR"}},
     "\"CR\" differs from \"Talkback, control room\", which import cannot change; change the name "
     "in aes3loops.txt instead"},
    {"MixerName",
     {{"mixers[0].name", "AES"}},
     "\"AES\" differs from \"AES3\", which import cannot change; a mixer's name is fixed"},
    {"ControlWithItsPointerKept",
     {{"mixers[0].outputs[8].crosspoints[0][0].control", "+12 dB"}},
     "\"+12 dB\" differs from \"MUTE\", which import cannot change; change "
     "mixers[0].outputs[8].crosspoints[0][0].pointer instead"},
    {"ControlLeftAsItWasWhileThePointerChanged",
     {{"mixers[0].outputs[8].crosspoints[0][0].pointer", 85}},
     ""},
    {"ControlFollowingThePointer",
     {{"mixers[0].outputs[8].crosspoints[0][0].pointer", 85},
      {"mixers[0].outputs[8].crosspoints[0][0].control", "+12 dB"}},
     ""},
    {"NullControlOfAPointerNoEntryCarries",
     {{"mixers[0].outputs[8].crosspoints[0][0].pointer", 32000},
      {"mixers[0].outputs[8].crosspoints[0][0].control", kNull}},
     ""},
    {"ControlOfNeitherPointer",
     {{"mixers[0].outputs[8].crosspoints[0][0].pointer", 85},
      {"mixers[0].outputs[8].crosspoints[0][0].control", "Fixed gain"}},
     "\"Fixed gain\" differs from \"+12 dB\", which import cannot change; change "
     "mixers[0].outputs[8].crosspoints[0][0].pointer instead"},
    {"LoopControlWithItsPointerKept",
     {{"mixers[1].loops[7].control", "Talkback bus"}},
     "\"Talkback bus\" differs from \"MUTE\", which import cannot change; change "
     "mixers[1].loops[7].pointer instead"},
    {"LoopControlFollowingThePointer",
     {{"mixers[1].loops[7].pointer", 300}, {"mixers[1].loops[7].control", "Talkback bus"}},
     ""},
    {"MeterSourceWithItsByteKept",
     {{"meters[0].source", "DISABLED"}},
     "\"DISABLED\" differs from \"MIX INPUT  25 : R\u00e9gie return L\", which import cannot "
     "change; change meters[0].byte instead"},
    {"MeterSourceLeftAsItWasWhileTheByteChanged", {{"meters[0].byte", 25}}, ""},
    {"MeterSourceFollowingTheByte",
     {{"meters[0].byte", 25}, {"meters[0].source", "MIX INPUT  26 : R\u00e9gie return R"}},
     ""},
    // What the start-up's Hold spinner keeps: 0..479 while it stays at 0, then steps of 480.
    {"HoldZero", {{"compressor.hold", 0}}, ""},
    {"HoldBelowOneStep", {{"compressor.hold", 300}}, ""},
    {"HoldOneStep", {{"compressor.hold", 480}}, ""},
    {"HoldLoadTop", {{"compressor.hold", 48000}}, ""},
    {"HoldBetweenSteps",
     {{"compressor.hold", 481}},
     "481 would be loaded as 480; the nearest values a load keeps are 480 and 960"},
    {"HoldAboveSpinnerTop",
     {{"compressor.hold", 480001}},
     "480001 would be loaded as 48000; the nearest value a load keeps is 48000"},
    {"HoldAboveTheLoadTop",
     {{"compressor.hold", 48001}},
     "48001 would be loaded as 48000; the nearest value a load keeps is 48000"},
    {"HoldNegative",
     {{"compressor.hold", -1}},
     "-1 would be loaded as 0; the nearest value a load keeps is 0"},
    // What no folder keeps: shapes, types and ranges.
    {"SeventeenMeters",
     {{"meters", test::repeated(QJsonObject(), 17)}},
     "expected an array of 16, found an array of 17"},
    {"ZeroGainTableWords",
     {{"compressor.gainTable", QJsonArray()}},
     "expected an array of 256, found an array of 0"},
    {"PointerAboveRange",
     {{"mixers[1].outputs[4].crosspoints[12][2].pointer", 32768}},
     "32768 is outside 0..32767"},
    {"NegativeLoopPointer", {{"mixers[0].loops[0].pointer", -1}}, "-1 is outside 0..32767"},
    {"FractionalPointer",
     {{"mixers[0].outputs[0].crosspoints[0][0].pointer", 1.5}},
     "expected an integer, found 1.5"},
    {"MeterByteAboveRange", {{"meters[15].byte", 256}}, "256 is outside 0..255"},
    {"AttackAboveSpinner", {{"compressor.attack", 8}}, "8 is outside 0..7"},
    {"DecayBelowSpinner", {{"compressor.decay", -1}}, "-1 is outside 0..7"},
    {"GainBelowSpinner", {{"compressor.gain", -37}}, "-37 is outside -36..36"},
    {"ThresholdAboveSpinner", {{"compressor.threshold", 1}}, "1 is outside -42..0"},
    {"GainTableWordBeyond32Bits",
     {{"compressor.gainTable[255]", 2147483648.0}},
     "2147483648 is outside -2147483648..2147483647"},
    {"LastReservedWordBelow32Bits",
     {{"compressor.reserved[58]", -2147483649.0}},
     "-2147483649 is outside -2147483648..2147483647"},
    {"UnknownField", {{"meter", 0}}, "unknown field"},
    {"UnknownSlotField", {{"mixers[0].outputs[0].crosspoints[0][0].ptr", 17}}, "unknown field"},
    {"ShortSlots",
     {{"mixers[1].outputs[31].crosspoints[63]", test::repeated(QJsonObject(), 3)}},
     "expected an array of 4, found an array of 3"},
    {"MeterNotAnObject", {{"meters[0]", 5}}, "expected an object, found 5"},
    {"NameNotAString", {{"mixers[0].inputNames[63]", 7}}, "expected a string, found 7"},
    {"ControlNotAString",
     {{"mixers[1].loops[1].control", true}},
     "expected a string or null, found true"},
    {"SourceNotAString", {{"meters[1].source", kNull}}, "expected a string, found null"},
    {"InvalidCountNotANumber", {{"mixers[0].invalid", "3"}}, "expected an integer, found a string"},
    {"OtherFormat",
     {{"format", "tarnconfig-meters"}},
     "expected \"tarnconfig-folder\", found \"tarnconfig-meters\""},
    {"LaterVersion", {{"version", 2}}, "expected 1, found 2"},
    // Left out: a document without its header may be anything.
    {"FormatMissing",
     {{"format", QJsonValue(QJsonValue::Undefined)}},
     "expected \"tarnconfig-folder\", found nothing"},
    {"VersionMissing",
     {{"version", QJsonValue(QJsonValue::Undefined)}},
     "expected 1, found nothing"},
    {"NotAnObject", {{"", QJsonArray{1, 2}}}, "the document must be a JSON object, found an array"},
};

INSTANTIATE_TEST_SUITE_P(Texts, ImportRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// A text's first fault: its syntax error or its first key given twice; empty when valid.
struct TextRow
{
    const char* name;
    const char* text;
    const char* fault;
};

using JsonTextFaults = ::testing::TestWithParam<TextRow>;

TEST_P(JsonTextFaults, NamesThePlaceOfTheFirstFault)
{
    const TextRow& row = GetParam();
    const JsonText json = parseJsonText(QByteArray(row.text));
    const QString fault = !json.syntaxError.isEmpty()  ? json.syntaxError
                          : json.duplicateKeys.empty() ? QString()
                                                       : json.duplicateKeys.front().text();
    EXPECT_EQ(fault, QString::fromUtf8(row.fault));
    EXPECT_EQ(json.valid(), *row.fault == '\0');
}

const TextRow kTexts[] = {
    {"Valid", R"({"a": {"a": 1}, "b": [{"a": 1}, {"a": 2}]})", ""},
    {"SameKeyInSiblings", R"([{"k": 1}, {"k": 1}])", ""},
    {"KeyTwiceAtTheTop", R"({"format": "nope", "format": "tarnconfig-folder"})",
     "format: the key is given more than once"},
    {"KeyTwiceDeepInArrays", R"({"m": [{"x": 1}, {"x": [0, {"k": 1, "k": 2}]}]})",
     "m[1].x[1].k: the key is given more than once"},
    {"KeyTwiceInAnArrayAtTheTop", R"([[], {"k": null, "k": true}])",
     "[1].k: the key is given more than once"},
    {"KeyTwiceOnceEscaped", R"({"a": 1, "\u0061": 2})", "a: the key is given more than once"},
    {"KeyTwiceAfterTextsWithBracesAndQuotes", R"({"a": "}{\"[", "b": ["a", "\\"], "a": 0})",
     "a: the key is given more than once"},
    {"EmptyKeyTwice", R"({"": 1, "": 2})", R"("": the key is given more than once)"},
    {"EmptyKeyTwiceInAnArray", R"([{"": {"": 1, "": 2}}])",
     R"([0].""."": the key is given more than once)"},
    {"EscapedQuoteInAKey", R"({"a\"": 1, "a": 2})", ""},
    {"CommaBeforeTheEnd", "{\n  \"a\": 1,\n}", "line 3, column 2: object is missing after a comma"},
    {"ColumnInCharacters", "{\"\u00e9\u00e9\": x}", "line 1, column 8: illegal number"},
    {"LineAfterCarriageReturnLineFeed", "{\r\n\"a\" 1}",
     "line 2, column 6: missing name separator"},
    {"Empty", "", "line 1, column 1: illegal value"},
};

INSTANTIATE_TEST_SUITE_P(Texts, JsonTextFaults, ::testing::ValuesIn(kTexts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn

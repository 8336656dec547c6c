#include "TestFolder.h"
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

// Sets the value at a place such as mixers[0].outputs[8].crosspoints[0][0].pointer.
QJsonValue withValue(const QJsonValue& node, QStringList steps, const QJsonValue& value)
{
    if (steps.isEmpty())
        return value;
    const QString step = steps.takeFirst();
    if (step.front().isDigit()) {
        QJsonArray array = node.toArray();
        array[step.toInt()] = withValue(array.at(step.toInt()), steps, value);
        return array;
    }
    QJsonObject object = node.toObject();
    object[step] = withValue(object.value(step), steps, value);
    return object;
}

QJsonValue withValue(const QJsonValue& node, const QString& place, const QJsonValue& value)
{
    static const QRegularExpression separators(QStringLiteral("[.\\[\\]]+"));
    return withValue(node, place.split(separators, Qt::SkipEmptyParts), value);
}

struct Edit
{
    const char* place;
    QJsonValue value;
};

// One or two edits of the example's export; `fault` is the first fault's text, or empty when
// the document must be taken.
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
    QJsonValue document = exported();
    for (const Edit& edit : row.edits)
        document = withValue(document, QLatin1String(edit.place), edit.value);

    auto load = LoadSequence(test::exampleFolder(), MissingFiles::Leave);
    const ConfigModel before = load->model;
    const std::vector<JsonProblem> problems =
        importFolderJson(QJsonDocument(document.toObject()), *load);
    if (*row.fault == '\0') {
        EXPECT_TRUE(problems.empty()) << problems.front().text().toStdString();
        // Laid over a model of its own, the values must say the same.
        ConfigModel model = before;
        EXPECT_TRUE(importFolderJson(QJsonDocument(document.toObject()), model).empty());
        EXPECT_EQ(model, load->model);
        // What is written loads again as the same values.
        const test::TestFolder folder;
        folder.copyExample();
        ASSERT_TRUE(SaveAll(load->model, folder.path(), {}).complete());
        EXPECT_EQ(LoadSequence(folder.path(), MissingFiles::Leave)->model, load->model);
        return;
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems.front().text(), QString::fromUtf8(row.fault));
    EXPECT_EQ(load->model, before);
}

const QJsonValue kNull(QJsonValue::Null);

const RefusalRow kRefusals[] = {
    {"ExportUnchanged", {}, ""},
    {"InputName",
     {{"mixers[0].inputNames[3]", "Guest 3"}},
     "mixers[0].inputNames[3]: \"Guest 3\" differs from \"Mic 4 Guest 3\", which import cannot "
     "change; change the name in aes3inputs.txt instead"},
    {"InputNamedAfterAnOutput",
     {{"mixers[0].inputNames[45]", ""}},
     "mixers[0].inputNames[45]: \"\" differs from \"Codec 2 send R\", which import cannot change; "
     "change the name in aes3outputs.txt instead"},
    {"OutputName",
     {{"mixers[1].outputs[2].name", "Web"}},
     "mixers[1].outputs[2].name: \"Web\" differs from \"Web stream L\", which import cannot "
     "change; change the name in ipoutputs.txt instead"},
    {"LoopName",
     {{"mixers[0].loops[1].name", "CR"}},
     "mixers[0].loops[1].name: \"CR\" differs from \"Talkback, control room\", which import "
     "cannot change; change the name in aes3loops.txt instead"},
    {"MixerName",
     {{"mixers[0].name", "AES"}},
     "mixers[0].name: \"AES\" differs from \"AES3\", which import cannot change; a mixer's name "
     "is fixed"},
    {"ControlWithItsPointerKept",
     {{"mixers[0].outputs[8].crosspoints[0][0].control", "+12 dB"}},
     "mixers[0].outputs[8].crosspoints[0][0].control: \"+12 dB\" differs from \"MUTE\", which "
     "import cannot change; change mixers[0].outputs[8].crosspoints[0][0].pointer instead"},
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
     "mixers[0].outputs[8].crosspoints[0][0].control: \"Fixed gain\" differs from \"+12 dB\", "
     "which import cannot change; change mixers[0].outputs[8].crosspoints[0][0].pointer "
     "instead"},
    {"LoopControlWithItsPointerKept",
     {{"mixers[1].loops[7].control", "Talkback bus"}},
     "mixers[1].loops[7].control: \"Talkback bus\" differs from \"MUTE\", which import cannot "
     "change; change mixers[1].loops[7].pointer instead"},
    {"LoopControlFollowingThePointer",
     {{"mixers[1].loops[7].pointer", 300}, {"mixers[1].loops[7].control", "Talkback bus"}},
     ""},
    {"MeterSourceWithItsByteKept",
     {{"meters[0].source", "DISABLED"}},
     "meters[0].source: \"DISABLED\" differs from \"MIX INPUT  25 : R\u00e9gie return L\", which "
     "import cannot change; change meters[0].byte instead"},
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
     "compressor.hold: 481 would be loaded as 480; the nearest values a load keeps are 480 and "
     "960"},
    {"HoldAboveTheLoadTop",
     {{"compressor.hold", 48001}},
     "compressor.hold: 48001 would be loaded as 48000; the nearest value a load keeps is 48000"},
    {"HoldNegative",
     {{"compressor.hold", -1}},
     "compressor.hold: -1 would be loaded as 0; the nearest value a load keeps is 0"},
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

#include "CliTestSupport.h"
#include "model/CompressorFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// In the order in which import writes them.
const char* const kBinaryFiles[] = {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"};
using BinaryFiles = std::map<QString, QByteArray>;

BinaryFiles binaryFiles(const TestFolder& folder)
{
    BinaryFiles files;
    for (const char* name : kBinaryFiles)
        files[name] = folder.read(name);
    return files;
}

// Values that each survive a start-up unchanged, so that a folder saved with them exports
// exactly them.
void editEverywhere(ConfigModel& model)
{
    model.setSlot(0, 4, 11, 0, 17);
    model.setSlot(0, 4, 11, 2, 400); // invalid, kept
    model.setSlot(1, 31, 63, 3, 80);
    model.setLoopPointer(0, 2, 300);
    model.setLoopPointer(1, 7, 300);
    model.setMeter(2, 100); // names no source, kept
    model.setMeter(15, 64);
    model.setCompressor(CompressorWord::Attack, 5);
    model.setCompressor(CompressorWord::Hold, 51 * 480);
    model.setCompressorWord(17, 42000);
    model.setCompressorWord(kReservedFirstWord + 3, -7);
}

QJsonObject exportJson(const TestFolder& folder)
{
    const RunResult result = runTarnctl({"export", folder.path()});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

// What only export can get wrong: texts, and values a start-up settles. Any other fault of
// export shows in the round trip below, since import accepts only full-length arrays and
// writes every value it reads.
TEST(ExportImport, ExportHoldsTheConfigurationAsTheEditorHoldsIt)
{
    const TestFolder folder;
    saveStudio(folder, [](ConfigModel& model) {
        editEverywhere(model);
        model.setSlot(1, 0, 0, 1, -5);                  // a start-up reads it as 0
        model.setCompressor(CompressorWord::Hold, 500); // and rounds this to 480
    });
    const QJsonObject document = exportJson(folder);
    const QJsonValue aes3 = document["mixers"][0];
    const QJsonValue ip = document["mixers"][1];

    EXPECT_EQ(aes3["name"].toString(), "AES3");
    EXPECT_EQ(ip["name"].toString(), "IP");
    EXPECT_EQ(aes3["invalid"].toInt(), 1);
    EXPECT_EQ(ip["invalid"].toInt(), 0);
    EXPECT_EQ(aes3["inputNames"][40].toString(), "PGM 9");
    EXPECT_EQ(aes3["outputs"][4]["name"].toString(), QString::fromUtf16(u"R\u00e9gie"));
    EXPECT_EQ(compactJson(aes3["outputs"][4]["crosspoints"][11]),
              R"([{"control":"Fader 2","pointer":17},{"control":"0dB","pointer":73},)"
              R"({"control":null,"pointer":400},{"control":"0dB","pointer":73}])");
    EXPECT_EQ(compactJson(ip["outputs"][0]["crosspoints"][0][1]),
              R"({"control":"Mute","pointer":0})");
    EXPECT_EQ(compactJson(aes3["loops"][2]),
              R"({"control":"Loop gain","name":"Studio, left","pointer":300})");
    EXPECT_EQ(compactJson(ip["loops"][7]), R"({"control":"IFB on","name":"","pointer":300})");
    const QJsonValue meters = document["meters"];
    EXPECT_EQ(compactJson(QJsonArray{meters[0], meters[2], meters[15]}),
              R"([{"byte":24,"source":"MIX INPUT  25 : Mic 25"},{"byte":100,"source":"DISABLED"},)"
              R"({"byte":64,"source":"MIX OUPUT 01 : PGM 1"}])");
    EXPECT_EQ(document["compressor"]["hold"].toInt(), 480);
}

// Import writes what the editor's Save would write for the document's configuration, with
// the folder's own mix file tail (here 20000 - 16416 bytes that no start-up reads). The
// folder's path has blanks and non-ASCII letters and is given with a trailing separator.
TEST(ExportImport, RoundTripKeepsEveryByteAndImportCarriesTheConfigurationElsewhere)
{
    const TestFolder source(QStringLiteral("R\u00e9gie A \u2013 Studio-XXXXXX"));
    const QString given = source.path() + u'/';
    saveStudio(source, editEverywhere);
    QByteArray tail(20000 - 16416, '\0');
    for (qsizetype k = 0; k < tail.size(); ++k)
        tail[k] = static_cast<char>(k * 7 + 3);
    source.write("aes3mix.trn", source.read("aes3mix.trn") + tail);
    BinaryFiles before = binaryFiles(source);

    const TestFolder out;
    const QString doc = out.filePath("doc.json");
    const RunResult exported = runTarnctl({"export", given, "-o", doc});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_EQ(exported.out, "");
    EXPECT_EQ(out.read("doc.json"), runTarnctl({"export", given}).out.toUtf8());

    const RunResult result = runTarnctl({"import", given, doc});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, "");
    QString wrote;
    for (const char* name : kBinaryFiles)
        wrote += "wrote " + source.filePath(name) + "\n";
    EXPECT_EQ(result.out, wrote);
    EXPECT_EQ(binaryFiles(source), before);

    const TestFolder target;
    saveStudio(target);
    ASSERT_EQ(runTarnctl({"import", target.path(), doc}).exitCode, 0);
    before["aes3mix.trn"].chop(tail.size());
    EXPECT_EQ(binaryFiles(target), before);
}

// `document` with `value` at `place`, written as import names places ("meters[0].byte");
// an empty place stands for the whole document.
QJsonValue withValue(const QJsonValue& document, QStringView place, const QJsonValue& value)
{
    static const QRegularExpression step(R"(^\.?(\w+)|^\[(\d+)\])");
    const QRegularExpressionMatch match = step.match(place);
    if (!match.hasMatch())
        return value;
    const QStringView rest = place.sliced(match.capturedLength());
    if (match.hasCaptured(1)) {
        QJsonObject object = document.toObject();
        object[match.captured(1)] = withValue(object[match.captured(1)], rest, value);
        return object;
    }
    QJsonArray array = document.toArray();
    const int index = match.captured(2).toInt();
    array[index] = withValue(array[index], rest, value);
    return array;
}

QJsonArray repeated(const QJsonValue& value, int count)
{
    QJsonArray array;
    for (int k = 0; k < count; ++k)
        array.append(value);
    return array;
}

TEST(ExportImport, FieldsLeftOutKeepTheFoldersValues)
{
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    BinaryFiles expected = binaryFiles(folder);
    // Every array at its full length, every value left out but two.
    const QJsonObject output{{"crosspoints", repeated(repeated(QJsonObject(), 4), 64)}};
    const QJsonObject mixer{{"outputs", repeated(output, 32)},
                            {"loops", repeated(QJsonObject(), 8)}};
    const QJsonObject skeleton{{"format", "tarnconfig-folder"},
                               {"version", 1},
                               {"mixers", repeated(mixer, 2)},
                               {"meters", repeated(QJsonObject(), 16)},
                               {"compressor", QJsonObject{{"attack", 2}}}};
    const TestFolder out;
    out.write("doc.json",
              compactJson(withValue(skeleton, u"mixers[1].loops[2].pointer", 300)).toUtf8());
    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    // The loop word holds the pointer big-endian.
    expected["ipmix.trn"].replace(16384 + 4 * 2, 4, hexBytes("00 00 01 2C"));
    expected["compressor.trn"].replace(1024, 4, hexBytes("02 00 00 00"));
    EXPECT_EQ(binaryFiles(folder), expected);
}

// Missing binary files are created as Save creates them.
TEST(ExportImport, PartialDocumentIntoAFreshFolderWritesWhatSaveWouldWrite)
{
    const TestFolder fresh;
    writeStudioTextFiles(fresh);
    const TestFolder saved;
    saveStudio(saved, [](ConfigModel& model) { model.setCompressor(CompressorWord::Attack, 2); });
    const TestFolder out;
    out.write("doc.json",
              R"({"format": "tarnconfig-folder", "version": 1, "compressor": {"attack": 2}})");
    ASSERT_EQ(runTarnctl({"import", fresh.path(), out.filePath("doc.json")}).exitCode, 0);
    EXPECT_EQ(binaryFiles(fresh), binaryFiles(saved));
}

struct FaultCase
{
    const char* name;
    const char* place; // where `value` goes into a valid document, and where import finds fault
    QJsonValue value;
    const char* message;
};

using ImportFault = ::testing::TestWithParam<FaultCase>;

TEST_P(ImportFault, NamesThePlaceAndWritesNothing)
{
    const FaultCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    // A valid change beside the fault must not be written either.
    const QJsonValue valid = withValue(exportJson(folder), u"meters[0].byte", 0);
    const TestFolder out;
    out.write("doc.json", compactJson(withValue(valid, QString(c.place), c.value)).toUtf8());
    const FolderState before = backdateAndRecord(folder);

    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    const QString place = *c.place ? c.place + QString(": ") : QString();
    const QString line = "tarnctl import: " + out.filePath("doc.json") + ": " + place + c.message;
    EXPECT_TRUE(result.err.startsWith(line + "\n")) << result.err.toStdString();
    EXPECT_TRUE(result.err.endsWith("tarnctl import: nothing written\n"));
    EXPECT_EQ(recordFolder(folder), before);
}

const FaultCase kFaults[] = {
    {"PointerAboveRange", "mixers[1].outputs[4].crosspoints[12][2].pointer", 32768,
     "32768 is outside 0..32767"},
    {"NegativeLoopPointer", "mixers[0].loops[0].pointer", -1, "-1 is outside 0..32767"},
    {"FractionalPointer", "mixers[0].outputs[0].crosspoints[0][0].pointer", 1.5,
     "expected an integer, found 1.5"},
    {"MeterByteAboveRange", "meters[15].byte", 256, "256 is outside 0..255"},
    {"GainBelowSpinner", "compressor.gain", -37, "-37 is outside -36..36"},
    {"ThresholdAboveSpinner", "compressor.threshold", 1, "1 is outside -42..0"},
    {"HoldAboveSpinnerTop", "compressor.hold", 480001,
     "480001 would be loaded as 48000; the nearest value a load keeps is 48000"},
    {"GainTableWordBeyond32Bits", "compressor.gainTable[255]", 2147483648.0,
     "2147483648 is outside -2147483648..2147483647"},
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

INSTANTIATE_TEST_SUITE_P(Tarnctl, ImportFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

#include "CliTestSupport.h"
#include "model/CompressorFile.h"

#include <functional>
#include <span>
#include <variant>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

const QStringList kBinaryFiles = {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"};

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
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// A tail beyond the mix image that every save must carry.
QByteArray tail()
{
    QByteArray bytes(20000 - 16416, '\0');
    for (qsizetype k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<char>(k * 7 + 3);
    return bytes;
}

TEST(ExportImport, ExportHoldsTheConfigurationAsTheEditorHoldsIt)
{
    const TestFolder folder;
    saveStudio(folder, [](ConfigModel& model) {
        editEverywhere(model);
        model.setSlot(1, 0, 0, 1, -5);                  // a start-up reads it as 0
        model.setCompressor(CompressorWord::Hold, 500); // and rounds this to 480
    });
    const QJsonObject document = exportJson(folder);

    EXPECT_EQ(document["format"].toString(), "tarnconfig-folder");
    EXPECT_EQ(document["version"].toInt(), 1);
    const QJsonArray mixers = document["mixers"].toArray();
    ASSERT_EQ(mixers.size(), 2);
    const QJsonObject aes3 = mixers[0].toObject();
    EXPECT_EQ(aes3["name"].toString(), "AES3");
    EXPECT_EQ(mixers[1]["name"].toString(), "IP");
    EXPECT_EQ(aes3["invalid"].toInt(), 1);
    EXPECT_EQ(mixers[1]["invalid"].toInt(), 0);
    const QJsonArray inputNames = aes3["inputNames"].toArray();
    ASSERT_EQ(inputNames.size(), 64);
    EXPECT_EQ(inputNames[11].toString(), "Mic 12");
    EXPECT_EQ(inputNames[40].toString(), "PGM 9");

    const QJsonArray outputs = aes3["outputs"].toArray();
    ASSERT_EQ(outputs.size(), 32);
    EXPECT_EQ(outputs[4]["name"].toString(), QString::fromUtf16(u"R\u00e9gie"));
    const QJsonArray crosspoints = outputs[4]["crosspoints"].toArray();
    ASSERT_EQ(crosspoints.size(), 64);
    const QJsonArray input12 = crosspoints[11].toArray();
    ASSERT_EQ(input12.size(), 4);
    EXPECT_EQ(input12[0].toObject(), (QJsonObject{{"pointer", 17}, {"control", "Fader 2"}}));
    EXPECT_EQ(input12[1].toObject(), (QJsonObject{{"pointer", 73}, {"control", "0dB"}}));
    EXPECT_EQ(input12[2].toObject(), (QJsonObject{{"pointer", 400}, {"control", QJsonValue()}}));
    EXPECT_EQ(mixers[1]["outputs"][0]["crosspoints"][0][1].toObject(),
              (QJsonObject{{"pointer", 0}, {"control", "Mute"}}));

    const QJsonArray loops = aes3["loops"].toArray();
    ASSERT_EQ(loops.size(), 8);
    EXPECT_EQ(loops[2].toObject(),
              (QJsonObject{{"name", "Studio, left"}, {"pointer", 300}, {"control", "Loop gain"}}));
    EXPECT_EQ(mixers[1]["loops"][7].toObject(),
              (QJsonObject{{"name", ""}, {"pointer", 300}, {"control", "IFB on"}}));

    const QJsonArray meters = document["meters"].toArray();
    ASSERT_EQ(meters.size(), 16);
    EXPECT_EQ(meters[0].toObject(),
              (QJsonObject{{"byte", 24}, {"source", "MIX INPUT  25 : Mic 25"}}));
    EXPECT_EQ(meters[2].toObject(), (QJsonObject{{"byte", 100}, {"source", "DISABLED"}}));
    EXPECT_EQ(meters[15].toObject(),
              (QJsonObject{{"byte", 64}, {"source", "MIX OUPUT 01 : PGM 1"}}));

    const QJsonObject compressor = document["compressor"].toObject();
    EXPECT_EQ(compressor["attack"].toInt(), 5);
    EXPECT_EQ(compressor["hold"].toInt(), 480);
    EXPECT_EQ(compressor["threshold"].toInt(), -30);
    ASSERT_EQ(compressor["gainTable"].toArray().size(), 256);
    EXPECT_EQ(compressor["gainTable"][17].toInt(), 42000);
    EXPECT_EQ(compressor["gainTable"][255].toInt(), 260285);
    ASSERT_EQ(compressor["reserved"].toArray().size(), 59);
    EXPECT_EQ(compressor["reserved"][3].toInt(), -7);
}

TEST(ExportImport, ExportToFileWritesWhatStandardOutputShows)
{
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    const TestFolder out;
    const RunResult toFile = runTarnctl({"export", folder.path(), "-o", out.filePath("doc.json")});
    EXPECT_EQ(toFile.exitCode, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(out.read("doc.json"), runTarnctl({"export", folder.path()}).out.toUtf8());
}

TEST(ExportImport, RoundTripKeepsEveryByteAndTheMixFileTail)
{
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    folder.write("aes3mix.trn", folder.read("aes3mix.trn") + tail());
    std::map<QString, QByteArray> before;
    for (const QString& name : kBinaryFiles)
        before[name] = folder.read(name);

    const TestFolder out;
    ASSERT_EQ(runTarnctl({"export", folder.path(), "-o", out.filePath("doc.json")}).exitCode, 0);
    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, "");
    for (const QString& name : kBinaryFiles) {
        EXPECT_EQ(folder.read(name), before[name]) << name.toStdString();
        EXPECT_TRUE(result.out.contains("wrote " + folder.filePath(name) + "\n"));
    }
    EXPECT_EQ(folder.size("aes3mix.trn"), 20000);
}

// What import writes is what the editor's Save would write: the other folder's configuration,
// carried into this folder with this folder's own mix file tail.
TEST(ExportImport, ImportWritesTheDocumentsConfiguration)
{
    const TestFolder source;
    saveStudio(source, editEverywhere);
    const TestFolder target;
    saveStudio(target);
    target.write("aes3mix.trn", target.read("aes3mix.trn") + tail());

    const TestFolder out;
    ASSERT_EQ(runTarnctl({"export", source.path(), "-o", out.filePath("doc.json")}).exitCode, 0);
    ASSERT_EQ(runTarnctl({"import", target.path(), out.filePath("doc.json")}).exitCode, 0);
    EXPECT_EQ(target.read("aes3mix.trn"), source.read("aes3mix.trn") + tail());
    for (const char* name : {"ipmix.trn", "aes3meters.trn", "compressor.trn"})
        EXPECT_EQ(target.read(name), source.read(name)) << name;
}

// A step into a document: a field name or an array index.
using Step = std::variant<const char*, int>;

QJsonValue withValue(const QJsonValue& node, std::span<const Step> path, const QJsonValue& value)
{
    if (path.empty())
        return value;
    if (const auto* key = std::get_if<const char*>(&path.front())) {
        QJsonObject object = node.toObject();
        object[*key] = withValue(object[*key], path.subspan(1), value);
        return object;
    }
    QJsonArray array = node.toArray();
    const int index = std::get<int>(path.front());
    array[index] = withValue(array[index], path.subspan(1), value);
    return array;
}

QJsonObject set(const QJsonObject& document, std::vector<Step> path, const QJsonValue& value)
{
    return withValue(document, path, value).toObject();
}

QJsonArray repeated(const QJsonValue& value, int count)
{
    QJsonArray array;
    for (int k = 0; k < count; ++k)
        array.append(value);
    return array;
}

// Every array at its full length, every value left out.
QJsonObject skeleton()
{
    const QJsonObject output{{"crosspoints", repeated(repeated(QJsonObject(), 4), 64)}};
    const QJsonObject mixer{{"outputs", repeated(output, 32)},
                            {"loops", repeated(QJsonObject(), 8)}};
    return {{"format", "tarnconfig-folder"},
            {"version", 1},
            {"mixers", repeated(mixer, 2)},
            {"meters", repeated(QJsonObject(), 16)},
            {"compressor", QJsonObject()}};
}

TEST(ExportImport, FieldsLeftOutKeepTheFoldersValues)
{
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    std::map<QString, QByteArray> before;
    for (const QString& name : kBinaryFiles)
        before[name] = folder.read(name);

    QJsonObject document = set(skeleton(), {"mixers", 1, "loops", 2, "pointer"}, 300);
    document = set(document, {"compressor", "attack"}, 2);
    const TestFolder out;
    out.write("doc.json", QJsonDocument(document).toJson());
    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    EXPECT_EQ(folder.read("aes3mix.trn"), before["aes3mix.trn"]);
    EXPECT_EQ(folder.read("aes3meters.trn"), before["aes3meters.trn"]);
    // The loop word holds the pointer big-endian.
    QByteArray ipmix = before["ipmix.trn"];
    ipmix.replace(16384 + 4 * 2, 4, hexBytes("00 00 01 2C"));
    EXPECT_EQ(folder.read("ipmix.trn"), ipmix);
    QByteArray compressor = before["compressor.trn"];
    compressor.replace(1024, 4, hexBytes("02 00 00 00"));
    EXPECT_EQ(folder.read("compressor.trn"), compressor);
    // Read back, the loop shows its control: both forms of the pointer were set.
    EXPECT_EQ(exportJson(folder)["mixers"][1]["loops"][2]["control"].toString(), "IFB on");
}

TEST(ExportImport, ImportIntoAFreshFolderWritesWhatSaveWouldWrite)
{
    const TestFolder fresh;
    writeStudioTextFiles(fresh);
    const TestFolder saved;
    saveStudio(saved);
    const TestFolder out;
    out.write("doc.json", R"({"format": "tarnconfig-folder", "version": 1})");
    ASSERT_EQ(runTarnctl({"import", fresh.path(), out.filePath("doc.json")}).exitCode, 0);
    for (const QString& name : kBinaryFiles)
        EXPECT_EQ(fresh.read(name), saved.read(name)) << name.toStdString();
}

TEST(ExportImport, PartialDocumentChangesOnlyWhatItNames)
{
    const TestFolder folder;
    saveStudio(folder);
    const QByteArray mixBefore = folder.read("aes3mix.trn");
    const QByteArray compressorBefore = folder.read("compressor.trn");
    const TestFolder out;
    out.write("doc.json", R"({"compressor": {"attack": 2}})");
    ASSERT_EQ(runTarnctl({"import", folder.path(), out.filePath("doc.json")}).exitCode, 0);
    EXPECT_EQ(folder.read("aes3mix.trn"), mixBefore);
    QByteArray expected = compressorBefore;
    expected.replace(1024, 4, QByteArray::fromHex("02000000"));
    EXPECT_EQ(folder.read("compressor.trn"), expected);
}

struct FaultCase
{
    const char* name;
    std::function<QJsonDocument(const QJsonObject&)> document;
    const char* expected; // the place and the message
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

FaultCase fault(const char* name, std::vector<Step> path, const QJsonValue& value,
                const char* expected)
{
    return {
        name,
        [path, value](const QJsonObject& base) { return QJsonDocument(set(base, path, value)); },
        expected};
}

class ImportFault : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(ImportFault, NamesThePlaceAndWritesNothing)
{
    const FaultCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    const FolderState before = backdateAndRecord(folder);
    // A valid change beside the fault must not be written either.
    const QJsonObject base = set(skeleton(),
                                 {
                                     "meters",
                                     0,
                                     "byte",
                                 },
                                 0);
    const TestFolder out;
    out.write("doc.json", c.document(base).toJson());

    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    const QString line = "tarnctl import: " + out.filePath("doc.json") + ": " + c.expected + "\n";
    EXPECT_TRUE(result.err.startsWith(line)) << result.err.toStdString();
    EXPECT_TRUE(result.err.endsWith("tarnctl import: nothing written\n"));
    EXPECT_EQ(recordFolder(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, ImportFault,
    ::testing::Values(
        fault("PointerAboveRange", {"mixers", 1, "outputs", 4, "crosspoints", 12, 2, "pointer"},
              32768, "mixers[1].outputs[4].crosspoints[12][2].pointer: 32768 is outside 0..32767"),
        fault("NegativeLoopPointer", {"mixers", 0, "loops", 0, "pointer"}, -1,
              "mixers[0].loops[0].pointer: -1 is outside 0..32767"),
        fault("FractionalPointer", {"mixers", 0, "outputs", 0, "crosspoints", 0, 0, "pointer"}, 1.5,
              "mixers[0].outputs[0].crosspoints[0][0].pointer: expected an integer, found 1.5"),
        fault("PointerAsText", {"mixers", 0, "loops", 7, "pointer"}, "17",
              "mixers[0].loops[7].pointer: expected an integer, found a string"),
        fault("MeterByteAboveRange", {"meters", 15, "byte"}, 256,
              "meters[15].byte: 256 is outside 0..255"),
        fault("AttackAboveSpinner", {"compressor", "attack"}, 8,
              "compressor.attack: 8 is outside 0..7"),
        fault("DecayBelowSpinner", {"compressor", "decay"}, -1,
              "compressor.decay: -1 is outside 0..7"),
        fault("GainBelowSpinner", {"compressor", "gain"}, -37,
              "compressor.gain: -37 is outside -36..36"),
        fault("ThresholdAboveSpinner", {"compressor", "threshold"}, 1,
              "compressor.threshold: 1 is outside -42..0"),
        fault("HoldAboveSpinnerTop", {"compressor", "hold"}, 480001,
              "compressor.hold: 480001 is outside 0..480000"),
        fault("GainTableWordBeyond32Bits", {"compressor", "gainTable"}, repeated(2147483648.0, 256),
              "compressor.gainTable[0]: 2147483648 is outside -2147483648..2147483647"),
        fault("UnknownField", {"meter"}, QJsonArray(), "meter: unknown field"),
        fault("UnknownSlotField", {"mixers", 0, "outputs", 0, "crosspoints", 0, 0, "ptr"}, 17,
              "mixers[0].outputs[0].crosspoints[0][0].ptr: unknown field"),
        fault("ShortOutputs", {"mixers", 0, "outputs"}, repeated(QJsonObject(), 31),
              "mixers[0].outputs: expected an array of 32, found an array of 31"),
        fault("ShortSlots", {"mixers", 1, "outputs", 31, "crosspoints", 63},
              repeated(QJsonObject(), 3),
              "mixers[1].outputs[31].crosspoints[63]: expected an array of 4, found an array of 3"),
        fault("ThreeMixers", {"mixers"}, repeated(QJsonObject(), 3),
              "mixers: expected an array of 2, found an array of 3"),
        fault("ShortReserved", {"compressor", "reserved"}, repeated(0, 58),
              "compressor.reserved: expected an array of 59, found an array of 58"),
        fault("MeterNotAnObject", {"meters", 0}, 5, "meters[0]: expected an object, found 5"),
        fault("NameNotAString", {"mixers", 0, "inputNames"}, repeated(7, 64),
              "mixers[0].inputNames[0]: expected a string, found 7"),
        fault("ControlNotAString", {"mixers", 1, "loops", 1, "control"}, true,
              "mixers[1].loops[1].control: expected a string or null, found true"),
        fault("SourceNotAString", {"meters", 1, "source"}, QJsonValue(),
              "meters[1].source: expected a string, found null"),
        fault("InvalidCountNotANumber", {"mixers", 0, "invalid"}, "3",
              "mixers[0].invalid: expected an integer, found a string"),
        fault("OtherFormat", {"format"}, "tarnconfig-meters",
              "format: expected \"tarnconfig-folder\", found \"tarnconfig-meters\""),
        fault("LaterVersion", {"version"}, 2, "version: expected 1, found 2"),
        FaultCase{"NotAnObject",
                  [](const QJsonObject&) {
                      return QJsonDocument(QJsonArray{1, 2});
                  },
                  "the document must be a JSON object, found an array"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExportImport, TextThatIsNotJsonNamesTheOffsetAndWritesNothing)
{
    const TestFolder folder;
    saveStudio(folder);
    const FolderState before = backdateAndRecord(folder);
    const TestFolder out;
    out.write("doc.json", R"({"format": "tarnconfig-folder", "version": 1,})");
    const RunResult result = runTarnctl({"import", folder.path(), out.filePath("doc.json")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.startsWith("tarnctl import: " + out.filePath("doc.json") +
                                      ": not valid JSON at offset "))
        << result.err.toStdString();
    EXPECT_EQ(recordFolder(folder), before);
}

} // namespace
} // namespace tarn::test

#include "StudioFolder.h"
#include "model/CompressorFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

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
    const RunResult result = runTarnctl({"export", folder.path()});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject document = QJsonDocument::fromJson(result.out.toUtf8()).object();
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
    BinaryFiles before = readBinaryFiles(source.path());

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
    for (const QString& name : kBinaryFileNames)
        wrote += "wrote " + source.filePath(name) + "\n";
    EXPECT_EQ(result.out, wrote);
    EXPECT_EQ(readBinaryFiles(source.path()), before);

    const TestFolder target;
    saveStudio(target);
    ASSERT_EQ(runTarnctl({"import", target.path(), doc}).exitCode, 0);
    before["aes3mix.trn"].chop(tail.size());
    EXPECT_EQ(readBinaryFiles(target.path()), before);
}

TEST(ExportImport, FieldsLeftOutKeepTheFoldersValues)
{
    const TestFolder folder;
    saveStudio(folder, editEverywhere);
    BinaryFiles expected = readBinaryFiles(folder.path());
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
    EXPECT_EQ(readBinaryFiles(folder.path()), expected);
}

} // namespace
} // namespace tarn::test

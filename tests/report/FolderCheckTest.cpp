#include "report/FolderCheck.h"

#include "StudioFolder.h"
#include "app/LoadSequence.h"
#include "report/FolderDiff.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// Each case starts from a clean saved studio and spoils it.
struct CheckCase
{
    const char* name;
    std::function<void(ConfigModel&)> edit;
    std::function<void(const TestFolder&)> spoil;
    QStringList findings; // every line, in the order check lists them
};

using FolderCheckTest = ::testing::TestWithParam<CheckCase>;

TEST_P(FolderCheckTest, ListsEveryFindingInLoadOrder)
{
    const CheckCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder, c.edit);
    if (c.spoil)
        c.spoil(folder);
    QStringList lines;
    for (const Finding& finding : checkFolder(*LoadSequence(folder.path(), MissingFiles::Leave)))
        lines << finding.lineText();
    EXPECT_EQ(lines, c.findings);
}

void remove(const TestFolder& folder, const QStringList& names)
{
    for (const QString& name : names)
        ASSERT_TRUE(QFile::remove(folder.filePath(name))) << name.toStdString();
}

QString created(const char* name)
{
    return QString(name) + ": missing: a start-up creates it empty and uses the defaults";
}

INSTANTIATE_TEST_SUITE_P(
    Spoiled, FolderCheckTest,
    ::testing::Values(
        CheckCase{"CleanSavedFolder", {}, {}, {}},
        CheckCase{"MissingFiles",
                  {},
                  [](const TestFolder& f) {
                      remove(f, {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn",
                                 "aes3inputs.txt", "ipoutputs.txt", "iploops.txt"});
                  },
                  {"aes3inputs.txt: missing: inputs 1 to 40 have empty names",
                   "ipoutputs.txt: missing: outputs have empty names and inputs 41 to 64 fall "
                   "back to MIXER OUTPUT n",
                   "iploops.txt: missing: loop labels show numbers only", created("aes3mix.trn"),
                   created("ipmix.trn"), created("aes3meters.trn"), created("compressor.trn")}},
        CheckCase{"LengthsThatGiveDefaultsOrATail",
                  {},
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", f.read("aes3mix.trn") + QByteArray(3584, 'x'));
                      f.write("ipmix.trn", {});
                      f.write("aes3meters.trn", QByteArray(17, '\0'));
                      f.write("compressor.trn", QByteArray(1279, '\0'));
                  },
                  {"aes3mix.trn: 20000 bytes instead of 16416: the last 3584 are not read, and "
                   "every save keeps them",
                   "ipmix.trn: 0 bytes instead of 16416: a start-up uses the defaults",
                   "aes3meters.trn: 17 bytes instead of 16: a start-up uses the defaults",
                   "compressor.trn: 1279 bytes instead of 1280: a start-up uses the defaults"}},
        CheckCase{"OlderAndShorterMixLayouts",
                  {},
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", QByteArray(8192, '\0'));
                      f.write("ipmix.trn", QByteArray(100, '\0'));
                  },
                  {"aes3mix.trn: older 8192-byte layout: slots C and D read as 73, no loops; a "
                   "save writes the 16416-byte layout",
                   "ipmix.trn: 100 bytes instead of 16416: the rest of the image reads as 0"}},
        CheckCase{"ValuesTheStartUpRepairs",
                  {},
                  [](const TestFolder& f) {
                      patch(f, "ipmix.trn", 12, "FF FF");
                      patch(f, "ipmix.trn", 16384, "FF FF FF FF");
                      patch(f, "aes3mix.trn", 16392, "00 00 9C 40");
                      patch(f, "aes3meters.trn", 2, "64");
                      patch(f, "compressor.trn", 1028, "70 11 01 00");
                  },
                  {"aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is outside "
                   "0..32767 and read as 0",
                   "aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is invalid",
                   "ipmix.trn: IP output 1 \"IP out 1\", input 2 \"IP in 2\", CONTROL C: "
                   "pointer -1 is read as 0",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer -1 is outside 0..32767 and read as 0",
                   "aes3meters.trn: Meter 03: byte 100 names no source: shown as DISABLED and "
                   "kept",
                   "compressor.trn: hold 70000 is held as 48000"}},
        // Invalid slots by output, input and slot, whatever order the file holds them in.
        CheckCase{"InvalidSlotsInPlaceOrderAndParserDiagnostic",
                  [](ConfigModel& m) {
                      m.setSlot(0, 4, 11, 2, 400);
                      m.setSlot(0, 4, 11, 0, 401);
                      m.setSlot(0, 4, 12, 0, 402);
                      m.setSlot(0, 3, 63, 3, 403);
                      m.setSlot(1, 0, 0, 0, 17);
                  },
                  [](const TestFolder& f) {
                      f.write("aes3controls.txt", f.read("aes3controls.txt") + "\t\t\tStray\r\n");
                  },
                  {"aes3controls.txt:6: no entry: depth 3 after depth 0",
                   "aes3mix.trn: AES3 output 4 \"PGM 4\", input 64 \"PGM 32\", CONTROL D: "
                   "pointer 403 is invalid",
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL A: pointer 401 is invalid"),
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL C: pointer 400 is invalid"),
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 13 "
                                      u"\"Mic 13\", CONTROL A: pointer 402 is invalid"),
                   "ipmix.trn: IP output 1 \"IP out 1\", input 1 \"IP in 1\", CONTROL A: "
                   "pointer 17 is invalid"}},
        CheckCase{"ControlFileMissing",
                  {},
                  [](const TestFolder& f) { remove(f, {"iploopcontrols.txt"}); },
                  {"iploopcontrols.txt: missing: every pointer of this set shows as invalid",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 2 \"IFB 2\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 3 \"IFB 3\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 4 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 5 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 6 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 7 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 8 \"\": pointer 0 is invalid"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct DiffCase
{
    const char* name;
    std::function<void(ConfigModel&)> editA, editB;
    std::function<void(const TestFolder& a, const TestFolder& b)> spoil;
    QString differences; // one line each, in the order diff lists them
};

using FolderDiffTest = ::testing::TestWithParam<DiffCase>;

TEST_P(FolderDiffTest, ListsWhatTheEditorHoldsDifferently)
{
    const DiffCase& c = GetParam();
    const TestFolder a, b;
    saveStudio(a, c.editA);
    saveStudio(b, c.editB);
    if (c.spoil)
        c.spoil(a, b);
    QString lines;
    for (const Difference& difference : diffFolders(*LoadSequence(a.path(), MissingFiles::Leave),
                                                    *LoadSequence(b.path(), MissingFiles::Leave)))
        lines += difference.text + u'\n';
    EXPECT_EQ(lines, c.differences);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderDiffTest,
    ::testing::Values(
        DiffCase{"Equal", {}, {}, {}, {}},
        DiffCase{"NamesAndEachSidesTexts", [](ConfigModel& m) { m.setSlot(1, 2, 3, 0, 80); },
                 [](ConfigModel& m) {
                     m.setSlot(0, 4, 11, 1, 17);
                     m.setSlot(0, 0, 0, 3, 400);
                     m.setLoopPointer(1, 2, 300);
                     m.setMeter(3, 70);
                     m.setCompressorWord(17, 42000);
                 },
                 // B calls input 12 otherwise, and its IP set calls pointer 0 otherwise and
                 // lacks 80. Bytes a start-up settles to what the other side holds are equal.
                 [](const TestFolder& a, const TestFolder& b) {
                     b.write("aes3inputs.txt",
                             b.read("aes3inputs.txt").replace("Mic 12\r\n", "Guest 12\r\n"));
                     b.write("ipcontrols.txt", "Muted~ACTIVE\r\n0 dB~PTR=73~ACTIVE\r\n");
                     patch(a, "compressor.trn", 1028, "F4 01 00 00"); // hold 500, held as 480
                     patch(a, "ipmix.trn", 16384 + 4, "FF FF FF FF"); // loop 2 -1, held as 0
                     patch(b, "compressor.trn", 1028, "E0 01 00 00"); // hold 480
                 },
                 QString::fromUtf16(
                     u"AES3 output 1 \"PGM 1\", input 1 \"Mic 1\", CONTROL D: 73 \"0dB\" -> 400 "
                     u"----INVALID----\n"
                     u"AES3 output 5 \"R\u00e9gie\", input 12 \"Mic 12\" / \"Guest 12\", CONTROL "
                     u"B: 73 \"0dB\" -> 17 \"Fader 2\"\n"
                     u"IP output 3 \"IP out 3\", input 4 \"IP in 4\", CONTROL A: 80 \"Gain +6\" "
                     u"-> 0 \"Muted\"\n"
                     u"IP loop 3 \"IFB 3\": 0 \"Off\" -> 300 \"IFB on\"\n"
                     u"Meter 04: 27 \"MIX INPUT  28 : Mic 28\" -> 70 \"MIX OUPUT 07 : PGM 7\"\n"
                     u"compressor gainTable[17]: 42866 -> 42000\n")},
        DiffCase{"CompressorParametersAndTheLastReservedWord",
                 [](ConfigModel& m) { m.setCompressorWord(kCompressorWordCount - 1, 5); },
                 [](ConfigModel& m) {
                     m.setCompressorWord(kCompressorWordCount - 1, -5);
                     m.setCompressorWord(kReservedFirstWord, 1);
                     m.setCompressor(CompressorWord::Threshold, -20);
                 },
                 {},
                 "compressor threshold: -30 -> -20\n"
                 "compressor reserved[0]: 0 -> 1\n"
                 "compressor reserved[58]: 5 -> -5\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

#include "CliTestSupport.h"
#include "model/CompressorFile.h"

#include <functional>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// The line of `text` that starts with `start`, its cells (texts padded with two or more
// blanks) separated by tabs; empty when no line starts so.
QString cells(const QString& text, const QString& start)
{
    for (QString line : text.split(u'\n')) {
        if (line.startsWith(start))
            return line.replace(QRegularExpression(QStringLiteral("\\s{2,}")), "\t");
    }
    return {};
}

TEST(ShowCommand, ShowsWhatTheEditorShowsAfterStartUp)
{
    const TestFolder folder;
    saveStudio(folder, [](ConfigModel& model) {
        model.setSlot(0, 4, 11, 0, 17);  // Fader 2
        model.setSlot(0, 4, 11, 2, 400); // names no control
        model.setLoopPointer(0, 2, 300);
        model.setMeter(2, 100);
        model.setMeter(3, 95);
        model.setCompressor(CompressorWord::Hold, 500);
    });
    const RunResult result = runTarnctl({"show", folder.path()});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString& out = result.out;
    EXPECT_EQ(out.count(QRegularExpression("^(AES3|IP) MIX output ",
                                           QRegularExpression::MultilineOption)),
              64);
    for (const char* section :
         {"DC LOOPS: AES3 LOOPS\n", "METERS\n", "COMPRESSOR\n", "Reserved words\n"})
        EXPECT_TRUE(out.contains(section)) << section;

    EXPECT_TRUE(out.contains(QString::fromUtf16(u"AES3 MIX output 05 | R\u00e9gie\n")));
    EXPECT_EQ(cells(out, "MIX INPUTS"), "MIX INPUTS\tCONTROL A\tCONTROL B\tCONTROL C\tCONTROL D");
    // IP inputs have other names, so these are the 32 AES3 tables; output 5 is the fifth.
    const QStringList input12 = out.split(u'\n').filter(QRegularExpression("^ 12 \\| Mic 12 "));
    ASSERT_EQ(input12.size(), 32);
    EXPECT_EQ(cells(input12[4], ""),
              " 12 | Mic 12\tFader 2 [17]\t0dB [73]\t----INVALID---- [400]\t0dB [73]");
    // Inputs 41..64 carry the names of outputs 9..32.
    EXPECT_FALSE(cells(out, " 41 | PGM 9 ").isEmpty());

    EXPECT_EQ(cells(out, " 03 | Studio, left"), " 03 | Studio, left\tLoop gain [300]");
    EXPECT_EQ(cells(out, " 03 | IFB 3"), " 03 | IFB 3\tOff [0]");
    EXPECT_EQ(cells(out, "Meter 03"), "Meter 03\tDISABLED [100]");
    EXPECT_EQ(cells(out, "Meter 04"), "Meter 04\tMIX OUPUT 32 : PGM 32 [95]");
    // Hold 500 shows position 1, and the spinner's change stores 480.
    EXPECT_EQ(cells(out, "Hold (ms)"), "Hold (ms)\t1 [480]");
    EXPECT_TRUE(
        out.contains("\n 104:  227566  231975  236469  241050  245720  250480  255333  260279\n"));
}

// The worked example of the description format: two headings, nested entries, an entry two
// pointers name, a line that only moves the pointer, and a depth jump on line 6.
const QByteArray kWorkedExample = "Faders~OFFSET=16\r\n"
                                  "\tFader 1~PTR=OFFSET~ACTIVE\r\n"
                                  "\tFader 2~PTR++~ACTIVE\r\n"
                                  "\t\tFader 2 fine~PTR+=8~ACTIVE\r\n"
                                  "Switches~PTR=40\r\n"
                                  "\t\t\tStray\r\n"
                                  "\tSwitch A~ACTIVE~PTR++~ACTIVE\r\n"
                                  "~PTR-=2\r\n"
                                  "\tSwitch B~ACTIVE\r\n"
                                  "\tSwitch C~PTR--~ACTIVE\r\n";

TEST(ControlsCommand, PrintsTheWorkedExampleAsTextAndAsJson)
{
    const TestFolder folder;
    folder.write("loops.txt", kWorkedExample);
    const QString path = folder.filePath("loops.txt");

    const RunResult text = runTarnctl({"controls", path});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, "1 \"Faders\" pointer -1\n"
                        "  2 \"Fader 1\" pointer 16, named by 16\n"
                        "  3 \"Fader 2\" pointer 17, named by 17\n"
                        "    4 \"Fader 2 fine\" pointer 25, named by 25\n"
                        "5 \"Switches\" pointer -1\n"
                        "  6 \"Switch A\" pointer 41, named by 40 41\n"
                        "  7 \"Switch B\" pointer 39, named by 39\n"
                        "  8 \"Switch C\" pointer 38, named by 38\n" +
                            path + ":6: no entry: depth 3 after depth 0\n");

    const RunResult json = runTarnctl({"controls", path, "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject document = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QStringList entries;
    for (const QJsonValue& entry : document["entries"].toArray())
        entries << compactJson(entry);
    EXPECT_EQ(
        entries.join(u'\n'),
        R"({"depth":0,"index":1,"line":1,"parent":0,"pointer":-1,"pointers":[],"text":"Faders"}
{"depth":1,"index":2,"line":2,"parent":1,"pointer":16,"pointers":[16],"text":"Fader 1"}
{"depth":1,"index":3,"line":3,"parent":1,"pointer":17,"pointers":[17],"text":"Fader 2"}
{"depth":2,"index":4,"line":4,"parent":3,"pointer":25,"pointers":[25],"text":"Fader 2 fine"}
{"depth":0,"index":5,"line":5,"parent":0,"pointer":-1,"pointers":[],"text":"Switches"}
{"depth":1,"index":6,"line":7,"parent":5,"pointer":41,"pointers":[40,41],"text":"Switch A"}
{"depth":1,"index":7,"line":9,"parent":5,"pointer":39,"pointers":[39],"text":"Switch B"}
{"depth":1,"index":8,"line":10,"parent":5,"pointer":38,"pointers":[38],"text":"Switch C"})");
    EXPECT_EQ(compactJson(document["diagnostics"]),
              R"([{"line":6,"message":"no entry: depth 3 after depth 0"}])");
}

// Bytes are read as Windows-1252; a lone line feed does not end a line, so the entry text and
// the last directive keep it, and each prints on one line with the line feed visible.
TEST(ControlsCommand, DecodesTextsAndShowsLineFeedsOnOneLine)
{
    const TestFolder folder;
    folder.write("set.txt", "R\xe9gie\n\tFader~PTR=3~ACTIVE\n");
    const RunResult result = runTarnctl({"controls", folder.filePath("set.txt")});
    EXPECT_EQ(result.out, QString::fromUtf16(u"1 \"R\u00e9gie\\n\" pointer -1\n") +
                              folder.filePath("set.txt") +
                              ":1: unrecognised directive \"ACTIVE\\n\"\n");
}

// Each case starts from a clean saved studio and spoils it.
struct CheckCase
{
    const char* name;
    std::function<void(const TestFolder&)> spoil;
    QStringList expectedLines;
    const char* summary;
};

using CheckCommand = ::testing::TestWithParam<CheckCase>;

TEST_P(CheckCommand, ListsFindingsAndCountsThem)
{
    const CheckCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder);
    if (c.spoil)
        c.spoil(folder);

    const RunResult result = runTarnctl({"check", folder.path()});
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, c.expectedLines.isEmpty() ? 0 : 1);
    EXPECT_TRUE(result.out.endsWith(QString(c.summary) + "\n")) << result.out.toStdString();
    for (const QString& line : c.expectedLines)
        EXPECT_TRUE(result.out.startsWith(line + "\n") || result.out.contains("\n" + line + "\n"))
            << "missing line: " << line.toStdString() << "\nin:\n"
            << result.out.toStdString();
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
    Tarnctl, CheckCommand,
    ::testing::Values(
        CheckCase{"CleanSavedFolder", {}, {}, "0 invalid assignments, 0 anomalies"},
        CheckCase{"MissingFiles",
                  [](const TestFolder& f) {
                      remove(f, {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn",
                                 "aes3inputs.txt", "ipoutputs.txt", "iploops.txt"});
                  },
                  {created("aes3mix.trn"), created("ipmix.trn"), created("aes3meters.trn"),
                   created("compressor.trn"),
                   "aes3inputs.txt: missing: inputs 1 to 40 have empty names",
                   "ipoutputs.txt: missing: outputs have empty names and inputs 41 to 64 fall "
                   "back to MIXER OUTPUT n",
                   "iploops.txt: missing: loop labels show numbers only"},
                  "0 invalid assignments, 7 anomalies"},
        CheckCase{"LengthsThatGiveDefaultsOrATail",
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
                   "compressor.trn: 1279 bytes instead of 1280: a start-up uses the defaults"},
                  "0 invalid assignments, 4 anomalies"},
        CheckCase{"OlderAndShorterMixLayouts",
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", QByteArray(8192, '\0'));
                      f.write("ipmix.trn", QByteArray(100, '\0'));
                  },
                  {"aes3mix.trn: older 8192-byte layout: slots C and D read as 73, no loops; a "
                   "save writes the 16416-byte layout",
                   "ipmix.trn: 100 bytes instead of 16416: the rest of the image reads as 0"},
                  "0 invalid assignments, 2 anomalies"},
        CheckCase{"ValuesTheStartUpRepairs",
                  [](const TestFolder& f) {
                      patch(f, "ipmix.trn", 12, "FF FF");
                      patch(f, "ipmix.trn", 16384, "FF FF FF FF");
                      patch(f, "aes3mix.trn", 16392, "00 00 9C 40");
                      patch(f, "aes3meters.trn", 2, "64");
                      patch(f, "compressor.trn", 1028, "70 11 01 00");
                  },
                  {"ipmix.trn: IP output 1 \"IP out 1\", input 2 \"IP in 2\", CONTROL C: "
                   "pointer -1 is read as 0",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer -1 is outside 0..32767 and read as 0",
                   "aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is outside "
                   "0..32767 and read as 0",
                   "aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is invalid",
                   "aes3meters.trn: Meter 03: byte 100 names no source: shown as DISABLED and "
                   "kept",
                   "compressor.trn: hold 70000 is held as 48000"},
                  "1 invalid assignment, 5 anomalies"},
        CheckCase{"InvalidSlotAndParserDiagnostic",
                  [](const TestFolder& f) {
                      patch(f, "aes3mix.trn", 2140, "90 01");
                      f.write("aes3controls.txt", f.read("aes3controls.txt") + "\t\t\tStray\r\n");
                  },
                  {QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL C: pointer 400 is invalid"),
                   "aes3controls.txt:6: no entry: depth 3 after depth 0"},
                  "1 invalid assignment, 1 anomaly"},
        CheckCase{"ControlFileMissing",
                  [](const TestFolder& f) { remove(f, {"iploopcontrols.txt"}); },
                  {"iploopcontrols.txt: missing: every pointer of this set shows as invalid",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 8 \"\": pointer 0 is invalid"},
                  "8 invalid assignments, 1 anomaly"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiffCommand, ListsWhatTheEditorHoldsDifferentlyWithNamesAndEachSidesTexts)
{
    const TestFolder a;
    saveStudio(a, [](ConfigModel& model) { model.setSlot(1, 2, 3, 0, 80); });
    const TestFolder b;
    saveStudio(b, [](ConfigModel& model) {
        model.setSlot(0, 4, 11, 1, 17);
        model.setSlot(0, 0, 0, 3, 400);
        model.setLoopPointer(1, 2, 300);
        model.setMeter(3, 70);
        model.setCompressorWord(17, 42000);
    });
    // B calls input 12 otherwise, and its IP set calls pointer 0 otherwise and lacks 80.
    b.write("aes3inputs.txt", b.read("aes3inputs.txt").replace("Mic 12\r\n", "Guest 12\r\n"));
    b.write("ipcontrols.txt", "Muted~ACTIVE\r\n0 dB~PTR=73~ACTIVE\r\n");
    // Bytes that a start-up settles to what the other side holds are no difference.
    patch(a, "compressor.trn", 1028, "F4 01 00 00"); // hold 500, held as 480
    patch(a, "ipmix.trn", 16384 + 4, "FF FF FF FF"); // loop 2 pointer -1, held as 0
    patch(b, "compressor.trn", 1028, "E0 01 00 00"); // hold 480

    const RunResult result = runTarnctl({"diff", a.path(), b.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              QString::fromUtf16(
                  u"AES3 output 1 \"PGM 1\", input 1 \"Mic 1\", CONTROL D: 73 \"0dB\" -> 400 "
                  u"----INVALID----\n"
                  u"AES3 output 5 \"R\u00e9gie\", input 12 \"Mic 12\" / \"Guest 12\", CONTROL B: "
                  u"73 \"0dB\" -> 17 \"Fader 2\"\n"
                  u"IP output 3 \"IP out 3\", input 4 \"IP in 4\", CONTROL A: 80 \"Gain +6\" -> "
                  u"0 \"Muted\"\n"
                  u"IP loop 3 \"IFB 3\": 0 \"Off\" -> 300 \"IFB on\"\n"
                  u"Meter 04: 27 \"MIX INPUT  28 : Mic 28\" -> 70 \"MIX OUPUT 07 : PGM 7\"\n"
                  u"compressor gainTable[17]: 42866 -> 42000\n"));
}

} // namespace
} // namespace tarn::test

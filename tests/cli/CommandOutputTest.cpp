#include "StudioFolder.h"
#include "model/CompressorFile.h"

#include <QDir>
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

// The findings themselves are tested where they live; here the summary's singulars (its
// plurals: the command-line table), the exit status and the streams. (Diff's: the history.)
TEST(CheckCommand, PrintsOneLineEachAndExitsOneWhenThereIsAny)
{
    const TestFolder a;
    saveStudio(a);
    patch(a, "ipmix.trn", 2, "90 01");
    a.write("aes3controls.txt", a.read("aes3controls.txt") + "\t\t\tStray\r\n");

    const RunResult check = runTarnctl({"check", a.path()});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(check.out, "aes3controls.txt:6: no entry: depth 3 after depth 0\n"
                         "ipmix.trn: IP output 1 \"IP out 1\", input 1 \"IP in 1\", CONTROL B: "
                         "pointer 400 is invalid\n"
                         "1 invalid assignment, 1 anomaly\n");
}

// A document with more faults than anyone reads: the first hundred, then how many more, and
// nothing written.
TEST(ImportCommand, ListsTheFirstHundredFaultsAndCountsTheRest)
{
    const TestFolder folder;
    saveStudio(folder);
    const BinaryFiles before = readBinaryFiles(folder.path());
    const QJsonObject compressor{{"gainTable", repeated(-2147483649.0, 256)}};
    folder.write("doc.json", compactJson(QJsonObject{{"format", "tarnconfig-folder"},
                                                     {"version", 1},
                                                     {"compressor", compressor}})
                                 .toUtf8());
    const RunResult result = runTarnctl({"import", folder.path(), folder.filePath("doc.json")});
    EXPECT_EQ(result.exitCode, 2);
    const QStringList lines = result.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 102) << result.err.toStdString();
    EXPECT_TRUE(lines[99].endsWith(": compressor.gainTable[99]: -2147483649 is outside "
                                   "-2147483648..2147483647"));
    EXPECT_EQ(lines.mid(100), QStringList({"tarnctl import: 156 further faults not listed",
                                           "tarnctl import: nothing written"}));
    EXPECT_EQ(readBinaryFiles(folder.path()), before);
}

// One run of `tarnctl report` on the studio folder "%F" (no binary files but a mix file with
// an invalid slot), with "%O" a folder of its own for output files. Usage errors and failures:
// the command-line table.
struct ReportRun
{
    const char* name;
    const char* arguments;
    QStringList expected;             // in the page
    const char* outputFile = nullptr; // "%O/..." that must hold the page afterwards
    bool unreadable = false;          // a folder stands in place of the IP mix file
};

using ReportCommand = ::testing::TestWithParam<ReportRun>;

TEST_P(ReportCommand, WritesThePageAndNothingIntoTheFolder)
{
    const ReportRun& c = GetParam();
    const TestFolder folder;
    saveStudio(folder, [](ConfigModel& model) { model.setSlot(0, 2, 6, 1, 400); });
    QFile::remove(folder.filePath("ipmix.trn"));
    if (c.unreadable) {
        ASSERT_TRUE(QDir(folder.path()).mkdir("ipmix.trn"));
    }
    const TestFolder other;
    other.write("old.html", "old");
    const FolderState before = backdateAndRecord(folder);
    const auto place = [&](QStringList texts) {
        return texts.replaceInStrings("%F", folder.path()).replaceInStrings("%O", other.path());
    };

    const RunResult result = runTarnctl(place(QString(c.arguments).split(u' ')));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, "");
    QString page = result.out;
    if (c.outputFile) {
        QFile written(place({c.outputFile}).first());
        EXPECT_TRUE(written.open(QIODevice::ReadOnly)) << c.outputFile;
        page = QString::fromUtf8(written.readAll());
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\n")) << page.left(80).toStdString();
    EXPECT_TRUE(page.endsWith("</html>\n"));
    for (const QString& text : place(c.expected))
        EXPECT_TRUE(page.contains(text)) << text.toStdString() << "\nin:\n"
                                         << page.left(3000).toStdString();
    EXPECT_EQ(recordFolder(folder), before);
}

const ReportRun kReportRuns[] = {
    {"ToStandardOutput",
     "report %F",
     {"0 files could not be read, 1 invalid assignment, 1 anomaly.",
      "<a href=\"#m0-o3-i7\">aes3mix.trn: AES3 output 3 &quot;PGM 3&quot;, input 7",
      "<tr id=\"m0-o3-i7\"><td> 07 | Mic 7</td><td class=\"f\">MUTE [0]</td>"
      "<td class=\"bad\">----INVALID---- [400]</td>",
      "<h3 id=\"m0-o5\"> 05 | R\u00e9gie</h3>", "<a href=\"#m1\">ipmix.trn: missing"}},
    {"EveryCrosspoint", "report %F --all", {"<tr id=\"m1-o32-i64\">"}},
    {"ReplacesAFile",
     "report %F -o %O/old.html",
     {"<title>Configuration report: %F"},
     "%O/old.html"},
    {"IntoANewFile", "report %F --output %O/new.html", {}, "%O/new.html"},
    {"UnreadableFileReportedWithTheRest",
     "report %F",
     {"1 file could not be read", "<a href=\"#m1\">%F/ipmix.trn: is a folder, not a file</a>",
      "----INVALID---- [400]"},
     nullptr,
     true},
};

INSTANTIATE_TEST_SUITE_P(Tarnctl, ReportCommand, ::testing::ValuesIn(kReportRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

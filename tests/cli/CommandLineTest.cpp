#include "StudioFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// One run of tarnctl. Its folder holds the studio's text files and a meter file of the wrong
// length, but no other binary file: the editor's start-up would create or rewrite those, and
// no command but import may. "%F" stands for that folder, "%O" for another one that holds
// "doc.json" (a valid document), "bad.json" (not JSON), "export.json" ("%D": the folder's
// export), "hold.json" ("%H": the export with Hold set to 480) and "large.json" ("%B": far over
// the size limit).
struct RunCase
{
    const char* name;
    const char* arguments; // separated by blanks
    int exitCode;
    // Texts on standard error when the status is 2, else on standard output. A text that
    // begins with "!" must not appear there; no text at all means no output.
    QStringList expected;
    bool unreadable = false; // folders stand in place of a mix, meter, control and name file
    const char* input = "";  // standard input: a text, or "%D" or "%H"
    bool writes = false;
};

using Tarnctl = ::testing::TestWithParam<RunCase>;

TEST_P(Tarnctl, ExitStatusAndMessagesAndWhatIsWritten)
{
    const RunCase& c = GetParam();
    const TestFolder folder;
    writeStudioTextFiles(folder);
    folder.write("aes3meters.trn", QByteArray(3, '\x01'));
    for (const char* name : {"aes3mix.trn", "aes3meters.trn", "ipcontrols.txt", "aes3loops.txt"}) {
        if (!c.unreadable)
            break;
        QFile::remove(folder.filePath(name));
        ASSERT_TRUE(QDir(folder.path()).mkdir(name));
    }
    const TestFolder other;
    other.write("doc.json", R"({"format": "tarnconfig-folder", "version": 1})");
    other.write("bad.json", R"({"format": "tarnconfig-folder", "version": 1,})");
    const auto place = [&](QStringList texts) {
        return texts.replaceInStrings("%F", folder.path())
            .replaceInStrings("%O", other.path())
            .replaceInStrings("%D", other.filePath("export.json"))
            .replaceInStrings("%H", other.filePath("hold.json"))
            .replaceInStrings("%B", other.filePath("large.json"));
    };
    if (QString(c.arguments).contains("%D") || QString(c.input).startsWith("%")) {
        ASSERT_EQ(runTarnctl(place({"export", "%F", "-o", "%D"})).exitCode, 0);
        const QByteArray exported = other.read("export.json");
        ASSERT_TRUE(exported.contains("\"hold\": 24000,"));
        other.write("hold.json",
                    QByteArray(exported).replace("\"hold\": 24000,", "\"hold\": 480,"));
    }
    if (QString(c.arguments).contains("%B")) {
        QFile large(other.filePath("large.json"));
        ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(qint64(1) << 32));
    }
    other.write("input.txt", c.input);
    const QString input = place({QString(c.input)}).first();
    const FolderState before = backdateAndRecord(folder);

    const RunResult result = runTarnctl(
        place(QString(c.arguments).split(u' ', Qt::SkipEmptyParts)), [&](QProcess& process) {
            process.setStandardInputFile(QFile::exists(input) ? input
                                                              : other.filePath("input.txt"));
        });
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
    // Failures and usage errors go to standard error only, everything else to standard output.
    const bool failed = c.exitCode == 2;
    EXPECT_EQ(failed ? result.out : result.err, "");
    const QString& stream = failed ? result.err : result.out;
    EXPECT_TRUE(!c.expected.isEmpty() || stream.isEmpty()) << stream.toStdString();
    for (const QString& text : place(c.expected)) {
        const bool absent = text.startsWith(u'!');
        EXPECT_NE(stream.contains(absent ? text.mid(1) : text), absent)
            << text.toStdString() << "\nin:\n"
            << stream.toStdString();
    }
    EXPECT_EQ(recordFolder(folder) != before, c.writes);
}

const RunCase kRuns[] = {
    {"NoCommand", "", 2, {"tarnctl: missing COMMAND\n\nUsage: tarnctl COMMAND"}},
    {"UnknownCommand", "frob", 2, {"tarnctl: unknown command \"frob\"\n\nUsage: tarnctl COMMAND"}},
    {"GeneralHelp", "--help", 0, {"Usage: tarnctl COMMAND", "diff FOLDER_A FOLDER_B"}},
    {"ControlsHelp", "controls --help", 0, {"Usage: tarnctl controls [options] FILE\n", "--json"}},
    {"ShowHelp", "show -h", 0, {"tarnctl show [options] FOLDER\n", "--mixer <M", "--output <N>"}},
    {"ExportHelp", "export -h", 0, {"tarnctl export [options] FOLDER\n", "-o, --output <FILE>"}},
    {"ImportHelp", "import --help", 0, {"Usage: tarnctl import [options] FOLDER FILE\n"}},
    {"CheckHelp", "check --help", 0, {"Usage: tarnctl check [options] FOLDER\n"}},
    {"DiffHelp", "diff --help", 0, {"Usage: tarnctl diff [options] FOLDER_A FOLDER_B\n"}},
    {"MissingFirstArgument", "show", 2, {"show: missing FOLDER\n\nUsage: tarnctl show [options]"}},
    {"MissingSecondArgument", "import %F", 2, {"tarnctl import: missing FILE\n"}},
    {"ExtraArgument", "check %F more", 2, {"tarnctl check: unexpected argument \"more\"\n"}},
    {"UnknownOption", "export %F --bogus", 2, {"tarnctl export: Unknown option 'bogus'.\n"}},
    {"OptionWithoutValue", "show %F --output", 2, {"show: Missing value after '--output'.\n"}},
    {"UnknownMixer", "show %F --mixer mad", 2, {"tarnctl show: --mixer takes aes3 or ip\n"}},
    {"OutputZero", "show %F --output 0", 2, {"show: --output takes a number from 1 to 32\n"}},
    {"OutputPastLast", "show %F --output 33", 2, {"show: --output takes a number from 1 to 32\n"}},
    // The commands that only read.
    {"Show", "show %F", 0, {"AES3 MIX output 01 | PGM 1\n"}},
    {"ShowOneMixerNamedInCapitals",
     "show %F --mixer IP",
     0,
     {"IP MIX output 01 | IP out 1\n", "IP MIX output 32 | IP out 32\n", "DC LOOPS: IP LOOPS\n",
      "!AES3", "!METERS", "!COMPRESSOR"}},
    {"ShowOneOutputOfBothMixers",
     "show %F --output 32",
     0,
     {"AES3 MIX output 32 | PGM 32\n", "IP MIX output 32 | IP out 32\n", "!output 31", "!LOOPS",
      "!METERS", "!COMPRESSOR"}},
    {"ShowOneOutputOfOneMixer",
     "show %F --mixer aes3 --output 5",
     0,
     {"AES3 MIX output 05 | R\u00e9gie\n", "!output 04", "!output 06", "!IP MIX", "!LOOPS"}},
    {"Export", "export %F", 0, {"\"format\": \"tarnconfig-folder\",\n", "\"version\": 1\n"}},
    {"Check", "check %F", 1, {"\n0 invalid assignments, 4 anomalies\n"}},
    {"Diff", "diff %F %F", 0, {}},
    {"Controls", "controls %F/aes3controls.txt", 0, {"1 \"MUTE\" pointer 0, named by 0\n"}},
    // Files that cannot be read or written: the path and the reason.
    {"ShowMissingFolder", "show %F/nowhere", 2, {"tarnctl show: %F/nowhere: no such folder\n"}},
    {"CheckFileAsFolder", "check %F/aes3controls.txt", 2, {"%F/aes3controls.txt: is not a folder"}},
    {"DiffSecondFolderMissing", "diff %F %F/nowhere", 2, {"diff: %F/nowhere: no such folder\n"}},
    {"ExportUnreadableFiles", "export %F", 2, {"export: %F/aes3mix.trn: is a folder, not a"}, true},
    {"ImportUnreadableFiles", "import %F %O/doc.json", 2, {"%F/aes3meters.trn: is a folder"}, true},
    {"CheckUnreadableFiles",
     "check %F",
     2,
     {"%F/ipcontrols.txt: is a folder, not a file\n", "%F/aes3loops.txt: is a folder, not a",
      "%F/aes3mix.trn: is a folder, not a file\n", "%F/aes3meters.trn: is a folder, not a"},
     true},
    {"ControlsMissingFile", "controls %F/none", 2, {"tarnctl controls: %F/none: no such file\n"}},
    {"ImportMissingDocument", "import %F %F/none", 2, {"tarnctl import: %F/none: no such file\n"}},
    {"ImportNotJson",
     "import %F %O/bad.json",
     2,
     {"%O/bad.json: not valid JSON: line 1, column", "nothing written\n"}},
    {"ExportIntoMissingFolder", "export %F -o %F/nowhere/out.json", 2, {"%F/nowhere/out.json: "}},
    {"ExportIntoAFolder", "export %F -o %O", 2, {"export: %O: is a folder, not a file\n"}},
    {"ReportHelp", "report --help", 0, {"Usage: tarnctl report [options] FOLDER\n", "--all"}},
    {"ReportMissingFolder", "report %F/no", 2, {"tarnctl report: %F/no: no such folder\n"}},
    {"ReportFileAsFolder",
     "report %F/aes3controls.txt",
     2,
     {"aes3controls.txt: is not a folder\n"}},
    {"ReportIntoAFolder", "report %F -o %O", 2, {"tarnctl report: %O: is a folder, not a file\n"}},
    {"ReportIntoAMissingFolder", "report %F -o %O/no/r.html", 2, {"%O/no/r.html: "}},
    // Import's options and documents, and controls from standard input.
    {"DryRunListsTheChange",
     "import --dry-run %F -",
     0,
     {"compressor hold: 24000 -> 480\n"},
     false,
     "%H"},
    {"DryRunOfTheExportListsNothing", "import %F %D --dry-run", 0, {}},
    {"DryRunStillRefuses",
     "import %F - --dry-run",
     2,
     {"standard input: compressor.hold: 481 would be loaded as 480", "nothing written\n"},
     false,
     R"({"format": "tarnconfig-folder", "version": 1, "compressor": {"hold": 481}})"},
    {"StandardInputImported", "import %F -", 0, {"wrote %F/compressor.trn\n"}, false, "%H", true},
    // A valid change beside the fault is not written either.
    {"FaultNamedAtItsPlace",
     "import %F -",
     2,
     {"tarnctl import: standard input: compressor.attack: 8 is outside 0..7\n",
      "tarnctl import: nothing written\n"},
     false,
     R"({"format": "tarnconfig-folder", "version": 1, "compressor": {"gain": 20, "attack": 8}})"},
    {"KeyGivenTwice",
     "import %F -",
     2,
     {"tarnctl import: standard input: format: the key is given more than once\n"},
     false,
     R"({"format": "nope", "format": "tarnconfig-folder", "version": 1})"},
    {"FarOverTheSizeLimit",
     "import %F %B",
     2,
     {"tarnctl import: %B: is larger than 64 MiB, too large to be read\n"}},
    {"UnknownImportOption", "import %F %D --force", 2, {"Unknown option 'force'", "Usage: "}},
    {"ControlsFromStandardInput",
     "controls -",
     0,
     {"\"+6 dB\" pointer 5, named by 5\n", "standard input:3: "},
     false,
     "Gain~OFFSET=5\r\n\t+6 dB~PTR=OFFSET~ACTIVE\r\n\tbad~NOPE\r\n"},
    {"ControlsDocumentIsAFolder", "controls %F", 2, {"tarnctl controls: %F: is a folder"}},
};

INSTANTIATE_TEST_SUITE_P(Commands, Tarnctl, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

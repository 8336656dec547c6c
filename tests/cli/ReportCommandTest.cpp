#include "CliTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// One run of `tarnctl report` on the studio folder "%F" (no binary files but a mix file with
// an invalid slot), with "%O" a folder of its own for output files.
struct ReportRun
{
    const char* name;
    const char* arguments;
    int exitCode;
    QStringList expected;             // on standard error when the status is 2, else in the page
    const char* outputFile = nullptr; // "%O/..." that must hold the page afterwards, or not exist
    bool unreadable = false;          // a folder stands in place of the IP mix file
};

using ReportCommand = ::testing::TestWithParam<ReportRun>;

TEST_P(ReportCommand, ExitStatusPageAndNothingWrittenIntoTheFolder)
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
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
    const QString file = c.outputFile ? place({c.outputFile}).first() : QString();
    QString page = result.out;
    if (c.exitCode == 0 && !file.isEmpty()) {
        QFile written(file);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
        page = QString::fromUtf8(written.readAll());
        EXPECT_EQ(result.out, "");
    }
    if (c.exitCode == 2) {
        // One line, and no page anywhere: not on standard output, not at -o.
        EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
        EXPECT_EQ(result.out, "");
        if (!file.isEmpty()) {
            EXPECT_FALSE(QFileInfo(file).isFile()) << file.toStdString();
        }
    } else if (QString(c.arguments).endsWith("--help")) {
        EXPECT_TRUE(page.startsWith("Usage: tarnctl report [options] FOLDER\n"))
            << page.toStdString();
    } else {
        EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\n")) << page.left(80).toStdString();
        EXPECT_TRUE(page.endsWith("</html>\n"));
    }
    for (const QString& text : place(c.expected)) {
        const QString& stream = c.exitCode == 2 ? result.err : page;
        EXPECT_TRUE(stream.contains(text)) << text.toStdString() << "\nin:\n"
                                           << stream.left(3000).toStdString();
    }
    EXPECT_EQ(recordFolder(folder), before);
}

const ReportRun kReportRuns[] = {
    {"Help", "report --help", 0, {"-o, --output <FILE>", "--all"}},
    {"ToStandardOutput",
     "report %F",
     0,
     {"0 files could not be read, 1 invalid assignment, 1 anomaly.",
      "<a href=\"#m0-o3-i7\">aes3mix.trn: AES3 output 3 &quot;PGM 3&quot;, input 7",
      "<tr id=\"m0-o3-i7\"><td> 07 | Mic 7</td><td class=\"f\">MUTE [0]</td>"
      "<td class=\"bad\">----INVALID---- [400]</td>",
      "<h3 id=\"m0-o5\"> 05 | R\u00e9gie</h3>", "<a href=\"#m1\">ipmix.trn: missing"}},
    {"EveryCrosspoint", "report %F --all", 0, {"<tr id=\"m1-o32-i64\">"}},
    {"ReplacesAFile",
     "report %F -o %O/old.html",
     0,
     {"<title>Configuration report: %F"},
     "%O/old.html"},
    {"IntoANewFile", "report %F --output %O/new.html", 0, {}, "%O/new.html"},
    {"UnreadableFileReportedWithTheRest",
     "report %F",
     0,
     {"1 file could not be read", "<a href=\"#m1\">%F/ipmix.trn: is a folder, not a file</a>",
      "----INVALID---- [400]"},
     nullptr,
     true},
    {"MissingFolder", "report %F/nowhere", 2, {"tarnctl report: %F/nowhere: no such folder\n"}},
    {"FileAsFolder", "report %F/aes3mix.trn", 2, {"%F/aes3mix.trn: is not a folder\n"}},
    {"IntoAFolder", "report %F -o %O", 2, {"tarnctl report: %O: is a folder, not a file\n"}},
    {"IntoAMissingFolder", "report %F -o %O/no/r.html", 2, {"%O/no/r.html: "}, "%O/no/r.html"},
};

INSTANTIATE_TEST_SUITE_P(Tarnctl, ReportCommand, ::testing::ValuesIn(kReportRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

#include "StudioFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

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

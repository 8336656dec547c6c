#include "CliTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// Files that cannot be read or written end the command with status 2 and a message that
// names the path and the reason. "%F" stands for the folder, "%D" for the document.
struct FailureCase
{
    const char* name;
    const char* directoryInsteadOfFile; // made a folder before the run, or nullptr
    QStringList arguments;
    QString expected;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class FileFailure : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(FileFailure, NamesPathAndReasonAndWritesNothing)
{
    const FailureCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder);
    if (c.directoryInsteadOfFile) {
        QFile::remove(folder.filePath(c.directoryInsteadOfFile));
        ASSERT_TRUE(QDir(folder.path()).mkdir(c.directoryInsteadOfFile));
    }
    const TestFolder other;
    other.write("doc.json", R"({"format": "tarnconfig-folder", "version": 1})");
    const FolderState before = backdateAndRecord(folder);

    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("%F"), folder.path());
    arguments.replaceInStrings(QStringLiteral("%D"), other.filePath("doc.json"));
    QString expected = c.expected;
    expected.replace(QStringLiteral("%F"), folder.path());
    expected.replace(QStringLiteral("%O"), other.path());

    const RunResult result = runTarnctl(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(expected)) << "missing: " << expected.toStdString() << "\nin:\n"
                                               << result.err.toStdString();
    EXPECT_EQ(recordFolder(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, FileFailure,
    ::testing::Values(FailureCase{"ShowMissingFolder",
                                  nullptr,
                                  {"show", "%F/nowhere"},
                                  "%F/nowhere: no such folder"},
                      FailureCase{"CheckFileAsFolder",
                                  nullptr,
                                  {"check", "%F/aes3mix.trn"},
                                  "%F/aes3mix.trn: is not a folder"},
                      FailureCase{"ImportIntoMissingFolder",
                                  nullptr,
                                  {"import", "%F/nowhere", "%D"},
                                  "%F/nowhere: no such folder"},
                      FailureCase{"ExportUnreadableMixFile",
                                  "aes3mix.trn",
                                  {"export", "%F"},
                                  "%F/aes3mix.trn: is a folder, not a file"},
                      FailureCase{"ImportUnreadableMeterFile",
                                  "aes3meters.trn",
                                  {"import", "%F", "%D"},
                                  "%F/aes3meters.trn: is a folder, not a file"},
                      FailureCase{"CheckUnreadableControlFile",
                                  "ipcontrols.txt",
                                  {"check", "%F"},
                                  "%F/ipcontrols.txt: is a folder, not a file"},
                      FailureCase{"ShowUnreadableNameList",
                                  "aes3loops.txt",
                                  {"show", "%F"},
                                  "%F/aes3loops.txt: is a folder, not a file"},
                      FailureCase{"DiffSecondFolderMissing",
                                  nullptr,
                                  {"diff", "%F", "%F/nowhere"},
                                  "%F/nowhere: no such folder"},
                      FailureCase{"ControlsMissingFile",
                                  nullptr,
                                  {"controls", "%F/nothing.txt"},
                                  "tarnctl controls: %F/nothing.txt: No such file or directory"},
                      FailureCase{"ImportMissingDocument",
                                  nullptr,
                                  {"import", "%F", "%F/nothing.json"},
                                  "%F/nothing.json: no such file"},
                      FailureCase{"ExportIntoMissingFolder",
                                  nullptr,
                                  {"export", "%F", "-o", "%F/nowhere/out.json"},
                                  "%F/nowhere/out.json: "}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

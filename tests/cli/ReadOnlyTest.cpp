#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// The editor's load creates missing binary files; no read-only command may.
struct ReadOnlyCase
{
    const char* name;
    QStringList arguments; // "%F" is the folder
    int exitCode;
};

void PrintTo(const ReadOnlyCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadOnly : public ::testing::TestWithParam<ReadOnlyCase>
{
};

TEST_P(ReadOnly, CreatesAndChangesNoFile)
{
    const ReadOnlyCase& c = GetParam();
    const TestFolder folder;
    writeStudioTextFiles(folder);
    // A short meter file: the editor would take defaults, and a save would rewrite it.
    folder.write("aes3meters.trn", QByteArray(3, '\x01'));
    const FolderState before = backdateAndRecord(folder);

    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("%F"), folder.path());
    const RunResult result = runTarnctl(arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
    EXPECT_EQ(recordFolder(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, ReadOnly,
    ::testing::Values(ReadOnlyCase{"Show", {"show", "%F"}, 0},
                      ReadOnlyCase{"ShowOneOutput", {"show", "%F", "--output", "3"}, 0},
                      ReadOnlyCase{"Export", {"export", "%F"}, 0},
                      ReadOnlyCase{"Check", {"check", "%F"}, 1},
                      ReadOnlyCase{"Diff", {"diff", "%F", "%F"}, 0},
                      ReadOnlyCase{"Controls", {"controls", "%F/aes3controls.txt"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

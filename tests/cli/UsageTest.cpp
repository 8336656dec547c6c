#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// "%F" in an argument stands for a folder that holds the studio's text files.
struct UsageCase
{
    const char* name;
    QStringList arguments;
    int exitCode;
    bool onStdout; // where the expected texts appear
    QStringList expected;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.name;
}

class Usage : public ::testing::TestWithParam<UsageCase>
{
};

TEST_P(Usage, ExitStatusAndMessage)
{
    const UsageCase& c = GetParam();
    const TestFolder folder;
    writeStudioTextFiles(folder);
    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("%F"), folder.path());

    const RunResult result = runTarnctl(arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    const QString& stream = c.onStdout ? result.out : result.err;
    for (const QString& text : c.expected)
        EXPECT_TRUE(stream.contains(text)) << "missing: " << text.toStdString() << "\nin:\n"
                                           << stream.toStdString();
    // Usage errors go to standard error only; help goes to standard output only.
    EXPECT_TRUE((c.onStdout ? result.err : result.out).isEmpty());
}

const QString kCommandsUsage = QStringLiteral("Usage: tarnctl COMMAND");

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, Usage,
    ::testing::Values(
        UsageCase{"NoCommand", {}, 2, false, {"tarnctl: missing COMMAND", kCommandsUsage}},
        UsageCase{"UnknownCommand",
                  {"frob"},
                  2,
                  false,
                  {"tarnctl: unknown command \"frob\"", kCommandsUsage}},
        UsageCase{"GeneralHelp", {"--help"}, 0, true, {kCommandsUsage, "diff FOLDER_A FOLDER_B"}},
        UsageCase{"ControlsHelp",
                  {"controls", "--help"},
                  0,
                  true,
                  {"Usage: tarnctl controls [options] FILE", "--json"}},
        UsageCase{"ShowHelp",
                  {"show", "-h"},
                  0,
                  true,
                  {"Usage: tarnctl show [options] FOLDER", "--mixer <MIXER>", "--output <N>"}},
        UsageCase{"ExportHelp",
                  {"export", "--help"},
                  0,
                  true,
                  {"Usage: tarnctl export [options] FOLDER", "-o, --output <FILE>"}},
        UsageCase{"ImportHelp",
                  {"import", "--help"},
                  0,
                  true,
                  {"Usage: tarnctl import [options] FOLDER FILE"}},
        UsageCase{
            "CheckHelp", {"check", "--help"}, 0, true, {"Usage: tarnctl check [options] FOLDER"}},
        UsageCase{"DiffHelp",
                  {"diff", "--help"},
                  0,
                  true,
                  {"Usage: tarnctl diff [options] FOLDER_A FOLDER_B"}},
        UsageCase{"MissingFolder",
                  {"show"},
                  2,
                  false,
                  {"tarnctl show: missing FOLDER", "Usage: tarnctl show [options] FOLDER"}},
        UsageCase{
            "MissingSecondFolder", {"diff", "%F"}, 2, false, {"tarnctl diff: missing FOLDER_B"}},
        UsageCase{"MissingDocument", {"import", "%F"}, 2, false, {"tarnctl import: missing FILE"}},
        UsageCase{"ExtraArgument",
                  {"check", "%F", "more"},
                  2,
                  false,
                  {"tarnctl check: unexpected argument \"more\""}},
        UsageCase{"UnknownOption",
                  {"export", "%F", "--bogus"},
                  2,
                  false,
                  {"tarnctl export: Unknown option 'bogus'."}},
        UsageCase{"OptionWithoutValue",
                  {"show", "%F", "--output"},
                  2,
                  false,
                  {"tarnctl show: Missing value after '--output'."}},
        UsageCase{"UnknownMixer",
                  {"show", "%F", "--mixer", "mad"},
                  2,
                  false,
                  {"--mixer takes aes3 or ip"}},
        UsageCase{"OutputZero",
                  {"show", "%F", "--output", "0"},
                  2,
                  false,
                  {"--output takes a number from 1 to 32"}},
        UsageCase{"OutputPastLast",
                  {"show", "%F", "--output", "33"},
                  2,
                  false,
                  {"--output takes a number from 1 to 32"}},
        UsageCase{"OutputNotANumber",
                  {"show", "%F", "--output", "two"},
                  2,
                  false,
                  {"--output takes a number from 1 to 32"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

#include "app/StartupFolder.h"

#include "FakePlatform.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

using Answer = MessageBoxes::Answer;

// What the remembered folder, the chooser, the folder's files and the user's answer make of the
// choice. "%F" is the test's folder. The chooser starts at the remembered folder when it exists.
struct ResolveRow
{
    const char* id;
    const char* file;     // the one file the folder holds, or none
    const char* argument; // the folder named on the command line, or none
    std::deque<QString> choices;
    std::deque<Answer> answers;
    const char* chosen;
    bool declined;
    int questions;
    int prompts;
    const char* remembered = "/old"; // none on a first run
    const char* start = "";
};

using ResolveConfigFolderRows = ::testing::TestWithParam<ResolveRow>;

TEST_P(ResolveConfigFolderRows, AsksBeforeTakingAFolderWithoutConfigurationFiles)
{
    const ResolveRow& row = GetParam();
    TestFolder folder;
    if (*row.file)
        folder.write(QLatin1String(row.file), "x");
    const auto withFolder = [&](QString text) {
        return text.replace("%F", folder.path());
    };
    FakeSettings settings;
    if (row.remembered)
        settings.path() = withFolder(row.remembered);
    FakeChooser chooser;
    for (const QString& choice : row.choices)
        chooser.next.push_back(withFolder(choice));
    FakeMessages messages;
    messages.answers = row.answers;

    const FolderChoice choice =
        ResolveConfigFolder(settings, chooser, messages, withFolder(row.argument));
    EXPECT_EQ(choice.folder, withFolder(row.chosen));
    EXPECT_EQ(choice.declined, row.declined);
    if (!choice.folder.isEmpty() || row.remembered) {
        EXPECT_EQ(settings.path(),
                  choice.folder.isEmpty() ? withFolder(row.remembered) : choice.folder);
    }
    EXPECT_EQ(messages.questions,
              QStringList(row.questions,
                          folder.path() + " holds no configuration files. Create them here?"));
    EXPECT_EQ(chooser.prompts,
              QStringList(row.prompts, "Choose the folder containing the config files:"));
    EXPECT_EQ(chooser.starts.value(0), withFolder(row.start));
    EXPECT_TRUE(messages.answers.empty());
}

const ResolveRow kResolveRows[] = {
    {"FirstRun", "aes3mix.trn", "", {"%F"}, {}, "%F", false, 0, 1, nullptr},
    {"RememberedFolderPreselected", "aes3mix.trn", "", {"%F"}, {}, "%F", false, 0, 1, "%F/", "%F"},
    {"RememberedFolderGone", "aes3mix.trn", "", {"%F"}, {}, "%F", false, 0, 1, "%F/gone"},
    {"ControlFile", "aes3loopcontrols.txt", "", {"%F"}, {}, "%F", false, 0, 1},
    {"NameList", "iploops.txt", "", {"%F"}, {}, "%F", false, 0, 1},
    {"BinaryFile", "compressor.trn", "", {"%F"}, {}, "%F", false, 0, 1},
    {"OtherFileIsNotEnoughYesCreates", "notes.txt", "", {"%F"}, {Answer::Yes}, "%F", false, 1, 1},
    {"EmptyNoChoosesAgain", "", "", {"%F", ""}, {Answer::No}, "", false, 1, 2},
    {"Cancel", "", "", {""}, {}, "", false, 0, 1},
    {"ArgumentWithFiles", "ipmix.trn", "%F", {}, {}, "%F", false, 0, 0},
    {"ArgumentEmptyYes", "", "%F", {}, {Answer::Yes}, "%F", false, 1, 0},
    {"ArgumentEmptyNoDeclines", "", "%F", {}, {Answer::No}, "", true, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(Choices, ResolveConfigFolderRows, ::testing::ValuesIn(kResolveRows),
                         [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

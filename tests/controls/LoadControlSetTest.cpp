#include "TestFolder.h"
#include "controls/ControlParser.h"

#include <memory>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(LoadControlSet, ReadsTheFileAndRebuildsNodeToPointer)
{
    test::TestFolder folder;
    folder.write("aes3loopcontrols.txt", "Faders\r\n\tFader 1~PTR=16~ACTIVE\r\n");
    auto set = std::make_unique<ControlSet>();
    const ControlFileResult result = LoadControlSet(*set, folder.filePath("aes3loopcontrols.txt"));
    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_TRUE(set->loaded);
    ASSERT_EQ(set->entryCount(), 2);
    EXPECT_EQ(set->entry(2).text, "Fader 1");
    EXPECT_EQ(set->PointerToNode(16), 2);
    EXPECT_EQ(set->NodeToPointer(2), 16);
    EXPECT_EQ(set->NodeToPointer(1), -1);
}

TEST(LoadControlSet, EmptyFileGivesEmptyLoadedSet)
{
    test::TestFolder folder;
    folder.write("ipcontrols.txt", "");
    auto set = std::make_unique<ControlSet>();
    const ControlFileResult result = LoadControlSet(*set, folder.filePath("ipcontrols.txt"));
    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(set->loaded);
    EXPECT_EQ(set->entryCount(), 0);
    EXPECT_TRUE(result.diagnostics.empty());
}

TEST(LoadControlSet, MissingFileLeavesSetEmpty)
{
    test::TestFolder folder;
    const QString path = folder.filePath("aes3controls.txt");
    auto set = std::make_unique<ControlSet>();
    const ControlFileResult result = LoadControlSet(*set, path);
    EXPECT_FALSE(result.opened);
    EXPECT_TRUE(result.error.startsWith(path + ": ")) << result.error.toStdString();
    EXPECT_GT(result.error.size(), path.size() + 2);
    EXPECT_FALSE(set->loaded);
    EXPECT_EQ(set->entryCount(), 0);
    for (int p = 0; p < kPointerSlots; ++p)
        ASSERT_FALSE(set->hasEntryFor(p));
}

TEST(LoadControlSet, DirectoryIsNotRead)
{
    test::TestFolder folder;
    auto set = std::make_unique<ControlSet>();
    const ControlFileResult result = LoadControlSet(*set, folder.path());
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.error, folder.path() + ": is a folder, not a file");
    EXPECT_FALSE(set->loaded);
}

} // namespace
} // namespace tarn

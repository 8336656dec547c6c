#include "app/StartupFolder.h"

#include "FakePlatform.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

TEST(ResolveConfigFolder, FirstRunOffersNoFolderAndStoresTheChoice)
{
    FakeSettings settings;
    FakeChooser chooser;
    chooser.answer = "/srv/cfg";
    EXPECT_EQ(ResolveConfigFolder(settings, chooser), "/srv/cfg");
    EXPECT_EQ(chooser.prompts, QStringList{"Choose the folder containing the config files:"});
    EXPECT_EQ(chooser.starts, QStringList{QString()});
    EXPECT_EQ(settings.path(), "/srv/cfg");
}

TEST(ResolveConfigFolder, RememberedFolderIsNormalisedAndPreselectedWhenItExists)
{
    TestFolder folder;
    FakeSettings settings;
    settings.path() = folder.path() + '/';
    FakeChooser chooser;
    chooser.answer = folder.path();
    EXPECT_EQ(ResolveConfigFolder(settings, chooser), folder.path());

    settings.path() = folder.filePath("removed");
    ResolveConfigFolder(settings, chooser);
    EXPECT_EQ(chooser.starts, (QStringList{folder.path(), QString()}));
}

TEST(ResolveConfigFolder, CancelKeepsTheStoredEntry)
{
    FakeSettings settings;
    settings.path() = "/old";
    FakeChooser chooser;
    EXPECT_TRUE(ResolveConfigFolder(settings, chooser).isEmpty());
    EXPECT_EQ(settings.path(), "/old");
    EXPECT_EQ(settings.writes, 0);
}

} // namespace
} // namespace tarn::test

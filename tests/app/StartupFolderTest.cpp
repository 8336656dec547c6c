#include "app/StartupFolder.h"

#include "TestFolder.h"
#include "app/Platform.h"

#include <QMap>

#include <gtest/gtest.h>

namespace tarn {
namespace {

class FakeSettings : public SettingsStore
{
public:
    QString value(const QString& application, const QString& section, const QString& key,
                  const QString& defaultValue) const override
    {
        return values.value(application + '/' + section + '/' + key, defaultValue);
    }
    void setValue(const QString& application, const QString& section, const QString& key,
                  const QString& value) override
    {
        values[application + '/' + section + '/' + key] = value;
        ++writes;
    }
    QMap<QString, QString> values;
    int writes = 0;
};

class FakeChooser : public FolderChooser
{
public:
    QString chooseFolder(const QString& prompt, const QString& start) override
    {
        askedPrompt = prompt;
        askedStart = start;
        ++calls;
        return answer;
    }
    QString answer;
    QString askedPrompt;
    QString askedStart;
    int calls = 0;
};

const QString kKey = "Kestrand Tarnconfig/settings/path";

TEST(ResolveConfigFolder, FirstRunOffersNoFolderAndStoresTheChoice)
{
    FakeSettings settings;
    FakeChooser chooser;
    chooser.answer = "/srv/cfg";
    EXPECT_EQ(ResolveConfigFolder(settings, chooser), "/srv/cfg");
    EXPECT_EQ(chooser.askedPrompt, "Choose the folder containing the config files:");
    EXPECT_TRUE(chooser.askedStart.isEmpty());
    EXPECT_EQ(settings.values.value(kKey), "/srv/cfg");
}

TEST(ResolveConfigFolder, RememberedFolderIsNormalisedAndPreselectedWhenItExists)
{
    test::TestFolder folder;
    FakeSettings settings;
    settings.values[kKey] = folder.path() + '/';
    FakeChooser chooser;
    chooser.answer = folder.path();
    EXPECT_EQ(ResolveConfigFolder(settings, chooser), folder.path());
    EXPECT_EQ(chooser.askedStart, folder.path());

    settings.values[kKey] = folder.filePath("removed");
    ResolveConfigFolder(settings, chooser);
    EXPECT_TRUE(chooser.askedStart.isEmpty());
}

TEST(ResolveConfigFolder, CancelKeepsTheStoredEntry)
{
    FakeSettings settings;
    settings.values[kKey] = "/old";
    FakeChooser chooser;
    EXPECT_TRUE(ResolveConfigFolder(settings, chooser).isEmpty());
    EXPECT_EQ(settings.values.value(kKey), "/old");
    EXPECT_EQ(settings.writes, 0);
}

TEST(ResolveConfigFolder, ArgumentStandsForTheAnswerWithoutAsking)
{
    FakeSettings settings;
    FakeChooser chooser;
    EXPECT_EQ(ResolveConfigFolder(settings, chooser, "/given"), "/given");
    EXPECT_EQ(chooser.calls, 0);
    EXPECT_EQ(settings.values.value(kKey), "/given");
}

} // namespace
} // namespace tarn

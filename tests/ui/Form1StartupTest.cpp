#include "FormFixture.h"

namespace tarn::test {
namespace {

const QString kCaption = QStringLiteral("Quorlan Tarn Config     File path:  ");

// The folder rules are the core's; the window shows the chosen folder and loads it.
TEST_F(FormTest, ChosenFolderIsShownInTheCaptionAndLoaded)
{
    openSmallFolder();
    EXPECT_TRUE(started);
    EXPECT_EQ(settings.path(), folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(folder.exists(QStringLiteral("ipmix.trn")));
}

TEST_F(FormTest, CancelEndsAtOnceWithoutQuestionOrFiles)
{
    writeSmallFolder(folder);
    open(QString());

    EXPECT_FALSE(started);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_FALSE(folder.exists(QStringLiteral("aes3mix.trn")));
    // Closing once more, as the application does on its way out, asks nothing either.
    form->close();
    EXPECT_TRUE(messages.questions.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FormTest, FolderArgumentStandsForTheChoice)
{
    writeSmallFolder(folder);
    makeForm();
    EXPECT_TRUE(form->start(folder.path()));
    EXPECT_TRUE(chooser.prompts.isEmpty());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
}

} // namespace
} // namespace tarn::test

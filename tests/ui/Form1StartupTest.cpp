#include "FormFixture.h"

#include <QDir>

namespace tarn::test {
namespace {

const QString kCaption = QStringLiteral("Quorlan Tarn Config     File path:  ");

using Form1StartupTest = FormRowTest<bool>;

// First run: no preselection. Later runs offer the remembered folder, trailing separator
// dropped, and ask again all the same.
TEST_P(Form1StartupTest, AsksForTheFolderAndRemembersTheChoice)
{
    const bool remembered = GetParam();
    writeSmallFolder(folder);
    if (remembered)
        settings.path() = folder.path() + QDir::separator();
    open(folder.path());

    EXPECT_TRUE(started);
    EXPECT_EQ(chooser.prompts,
              QStringList{QStringLiteral("Choose the folder containing the config files:")});
    EXPECT_EQ(chooser.starts, QStringList{remembered ? folder.path() : QString()});
    EXPECT_EQ(settings.writes, 1);
    EXPECT_EQ(settings.path(), folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
    EXPECT_TRUE(form->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Runs, Form1StartupTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Remembered" : "First"; });

TEST_F(FormTest, CancelEndsAtOnceWithoutQuestionOrFiles)
{
    writeSmallFolder(folder);
    settings.path() = folder.path();
    open(QString());

    EXPECT_FALSE(started);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(settings.path(), folder.path());
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
    EXPECT_EQ(settings.path(), folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
    EXPECT_TRUE(folder.exists(QStringLiteral("ipmix.trn")));
}

} // namespace
} // namespace tarn::test

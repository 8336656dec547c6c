#include "FormFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

namespace tarn::test {
namespace {

const QString kCaption = QStringLiteral("Quorlan Tarn Config     File path:  ");
const QString kPrompt = QStringLiteral("Choose the folder containing the config files:");

TEST_F(FormTest, FirstRunAsksWithoutPreselectionAndRemembersTheChoice)
{
    openSmallFolder();
    EXPECT_TRUE(started);
    ASSERT_EQ(chooser.starts.size(), 1);
    EXPECT_EQ(chooser.prompts.first(), kPrompt);
    EXPECT_TRUE(chooser.starts.first().isEmpty());
    EXPECT_EQ(settings.values[FakeSettings::pathKey()], folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormTest, RememberedFolderIsOfferedAndAskedForAgain)
{
    writeSmallFolder(folder);
    settings.values[FakeSettings::pathKey()] = folder.path() + QDir::separator();
    open(folder.path());
    ASSERT_EQ(chooser.starts.size(), 1);
    EXPECT_EQ(chooser.starts.first(), folder.path());
    EXPECT_EQ(settings.writes, 1);
    EXPECT_EQ(settings.values[FakeSettings::pathKey()], folder.path());
}

TEST_F(FormTest, RememberedFolderThatIsGoneIsNotPreselected)
{
    QString gone;
    {
        QTemporaryDir removed;
        gone = removed.path();
    }
    settings.values[FakeSettings::pathKey()] = gone;
    writeSmallFolder(folder);
    open(folder.path());
    ASSERT_EQ(chooser.starts.size(), 1);
    EXPECT_TRUE(chooser.starts.first().isEmpty());
}

TEST_F(FormTest, CancelEndsAtOnceWithoutQuestionOrFiles)
{
    writeSmallFolder(folder);
    settings.values[FakeSettings::pathKey()] = folder.path();
    open(QString());

    EXPECT_FALSE(started);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(settings.values[FakeSettings::pathKey()], folder.path());
    EXPECT_TRUE(messages.questions.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(folder.exists(QStringLiteral("aes3mix.trn")));

    // Closing once more, as the application does on its way out, asks nothing either.
    form->close();
    EXPECT_TRUE(messages.questions.isEmpty());
}

TEST_F(FormTest, FolderArgumentStandsForTheChoice)
{
    writeSmallFolder(folder);
    makeForm();
    started = form->start(folder.path());

    EXPECT_TRUE(started);
    EXPECT_TRUE(chooser.prompts.isEmpty());
    EXPECT_EQ(settings.values[FakeSettings::pathKey()], folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());
    EXPECT_EQ(form->model().configFolder, folder.path());
    EXPECT_TRUE(folder.exists(QStringLiteral("ipmix.trn")));
}

TEST_F(FormTest, StartCapturesTheDesignTabStripSize)
{
    openSmallFolder();
    EXPECT_EQ(form->model().captionBase, kCaption);
    EXPECT_EQ(form->model().initialTabWidth, 18735);
    EXPECT_EQ(form->model().initialTabHeight, 11655);
}

TEST_F(FormTest, FolderWhereFilesCannotBeCreatedOpensWithDefaultsAndSaysSoOnce)
{
    writeSmallFolder(folder);
    // A folder in the place of a file: it can be neither read nor created.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("aes3meters.trn")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("compressor.trn")));
    open(folder.path());

    EXPECT_TRUE(started);
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& message = messages.shown.first();
    EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("aes3meters.trn"))))
        << message.toStdString();
    EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("compressor.trn"))));
    EXPECT_FALSE(message.contains(QStringLiteral("aes3mix.trn")));
    EXPECT_TRUE(message.contains(QStringLiteral("shows the built-in defaults")));
    EXPECT_TRUE(message.contains(QStringLiteral("Save will not replace a file it could not read")));
    EXPECT_EQ(child<QLabel>(QStringLiteral("HoldLabel"))->text(), QStringLiteral("50"));
    EXPECT_EQ(form->model().meter(8), 72);

    // As the message says: Save writes what it can, leaves the unreadable files and names them.
    messages.shown.clear();
    pressSave();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains(folder.filePath(QStringLiteral("aes3meters.trn"))));
    EXPECT_TRUE(messages.shown.first().contains(folder.filePath(QStringLiteral("compressor.trn"))));
    EXPECT_FALSE(messages.shown.first().contains(QStringLiteral("aes3mix.trn")));
    EXPECT_EQ(folder.size(QStringLiteral("aes3mix.trn")), 16416);
    EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("compressor.trn"))).isDir());
}

} // namespace
} // namespace tarn::test

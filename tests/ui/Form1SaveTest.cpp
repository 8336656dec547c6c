#include "FormFixture.h"

#include <QDir>

namespace tarn::test {
namespace {

const QString kQuestion = QStringLiteral("Save before exit?");

TEST_F(FormTest, FreshFolderSavesTheDefaultFiles)
{
    openSmallFolder();
    pressSave();

    EXPECT_TRUE(messages.shown.isEmpty());
    for (const char* name : {"aes3mix.trn", "ipmix.trn"}) {
        const QByteArray mix = folder.read(QLatin1String(name));
        EXPECT_EQ(mix.size(), 16416) << name;
        EXPECT_EQ(mix.left(8), hexBytes("00 00 49 00 49 00 49 00")) << name;
        EXPECT_EQ(mix, defaultMixImage()) << name;
    }
    EXPECT_EQ(folder.read(QStringLiteral("aes3meters.trn")),
              hexBytes("18 19 1A 1B 1C 1D 1E 1F 48 58 FF FF FF FF FF FF"));
    const QByteArray compressor = folder.read(QStringLiteral("compressor.trn"));
    ASSERT_EQ(compressor.size(), 1280);
    EXPECT_EQ(compressor.mid(1024, 20),
              hexBytes("03 00 00 00 C0 5D 00 00 07 00 00 00 12 00 00 00 E2 FF FF FF"));
    EXPECT_EQ(compressor.mid(12, 4), hexBytes("FF 7F 00 00")); // 32767: entry 3 is 0 dB
    for (int entry = 112; entry < 256; ++entry)
        EXPECT_EQ(compressor.mid(4 * entry, 4), hexBytes("BD F8 03 00")) << entry;
}

TEST_F(FormTest, OlderMixLayoutIsConvertedOnSave)
{
    QByteArray legacy(8192, '\0');
    legacy[0] = 5;
    legacy[2] = 7;
    folder.write(QStringLiteral("ipmix.trn"), legacy);
    openSmallFolder();
    pressSave();
    const QByteArray saved = folder.read(QStringLiteral("ipmix.trn"));
    EXPECT_EQ(saved.size(), 16416);
    EXPECT_EQ(saved.left(8), hexBytes("05 00 07 00 49 00 49 00"));
}

TEST_F(FormTest, SavingTwiceWritesTheSameFiles)
{
    openSmallFolder();
    select(form->crossPointGrid(0), 1, 1, 1, 1);
    clickEntry(0, {"Faders", "Fader 1"});
    pressSave();
    const QByteArray first = folder.read(QStringLiteral("aes3mix.trn"));
    pressSave();
    EXPECT_EQ(folder.read(QStringLiteral("aes3mix.trn")), first);
    EXPECT_EQ(first.left(2), hexBytes("10 00"));
}

class Form1SaveFailureTest : public FormTest
{
protected:
    // A folder in the place of the AES3 mix file: it cannot be replaced by a file.
    void SetUp() override
    {
        openSmallFolder();
        ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("aes3mix.trn"))));
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("aes3mix.trn")));
        select(form->crossPointGrid(0), 2, 1, 2, 1);
        clickEntry(0, {"Faders", "Fader 2"});
    }
    void unblock() const
    {
        ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("aes3mix.trn"))).removeRecursively());
    }
};

TEST_F(Form1SaveFailureTest, SaveNamesTheFileNotWrittenAndKeepsTheEdits)
{
    pressSave();
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& message = messages.shown.first();
    EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("aes3mix.trn")) + ": "))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("ipmix.trn")));
    EXPECT_EQ(folder.size(QStringLiteral("ipmix.trn")), 16416);
    EXPECT_EQ(folder.size(QStringLiteral("compressor.trn")), 1280);
    EXPECT_EQ(form->model().slot(0, 0, 1, 0), 17);

    unblock();
    pressSave();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(folder.read(QStringLiteral("aes3mix.trn")).mid(slotByte(0, 1, 0), 2),
              hexBytes("11 00"));
}

TEST_F(Form1SaveFailureTest, FailedSaveAtExitKeepsTheWindowOpen)
{
    messages.answers = {true, true};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.questions, QStringList{kQuestion});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains(QStringLiteral("aes3mix.trn")));

    unblock();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(folder.read(QStringLiteral("aes3mix.trn")).mid(slotByte(0, 1, 0), 2),
              hexBytes("11 00"));
}

TEST_F(FormTest, ExitAnsweredNoLeavesTheFilesAsTheyWere)
{
    openSmallFolder();
    pressSave();
    select(form->crossPointGrid(1), 1, 1, 64, 4);
    showTab(1);
    clickEntry(1, {"IP faders", "IP fader 1"});
    messages.answers = {false};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(messages.questions, QStringList{kQuestion});
    EXPECT_EQ(folder.read(QStringLiteral("ipmix.trn")), defaultMixImage());
}

TEST_F(FormTest, ExitAnsweredNoAfterLoadLeavesTheCreatedFilesEmpty)
{
    openSmallFolder();
    messages.answers = {false};
    EXPECT_TRUE(form->close());
    for (const char* name : {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"})
        EXPECT_EQ(folder.size(QLatin1String(name)), 0) << name;
}

TEST_F(FormTest, ExitAnsweredYesSavesEvenWithoutEdits)
{
    openSmallFolder();
    messages.answers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(messages.questions, QStringList{kQuestion});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(folder.size(QStringLiteral("aes3mix.trn")), 16416);
    EXPECT_EQ(folder.size(QStringLiteral("compressor.trn")), 1280);
}

} // namespace
} // namespace tarn::test

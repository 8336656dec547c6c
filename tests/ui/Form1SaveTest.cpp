#include "Faults.h"
#include "FormFixture.h"

namespace tarn::test {
namespace {

const QString kQuestion = "Save before exit?";
constexpr auto kYes = MessageBoxes::Answer::Yes;

// Which files a fault leaves unwritten, and why, is the core's (SaveAll); the window names
// them, keeps the edits and their mark, and writes them at the next Save.
class Form1SaveFailureTest : public FormTest
{
protected:
    // A folder in the place of the AES3 mix file: it cannot be replaced by a file.
    void SetUp() override
    {
        openActive();
        caption = form->windowTitle();
        ASSERT_TRUE(QFile::remove(folder.filePath("aes3mix.trn")));
        ASSERT_TRUE(QDir(folder.path()).mkdir("aes3mix.trn"));
        assignFader2(1);
    }
    void unblockAndExpectTheEdit() const
    {
        ASSERT_TRUE(QDir(folder.filePath("aes3mix.trn")).removeRecursively());
        EXPECT_EQ(form->model().slot(0, 0, 1, 0), 17);
    }
    QByteArray savedEdit() const { return folder.read("aes3mix.trn").mid(slotByte(0, 1, 0), 2); }
    QString caption;
};

TEST_F(Form1SaveFailureTest, SaveNamesTheFileNotWrittenAndKeepsTheEditsAndTheirMark)
{
    press(Qt::Key_S);
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& message = messages.shown.first();
    // The file not written with its reason, then the three that were written.
    const QStringList lines = message.split(u'\n');
    const qsizetype written = lines.indexOf("These files were written:");
    ASSERT_GE(written, 2) << message.toStdString();
    EXPECT_EQ(lines[1], folder.filePath("aes3mix.trn") + ": is a folder, not a file");
    EXPECT_EQ(lines.mid(written + 1, 3),
              (QStringList{folder.filePath("ipmix.trn"), folder.filePath("aes3meters.trn"),
                           folder.filePath("compressor.trn")}));
    EXPECT_EQ(form->windowTitle(), caption + u'*');

    unblockAndExpectTheEdit();
    pressSave();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(savedEdit(), hexBytes("11 00"));
    EXPECT_EQ(form->windowTitle(), caption);
}

TEST_F(Form1SaveFailureTest, FailedSaveAtExitKeepsTheWindowOpen)
{
    messages.answers = {kYes, kYes};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.questions, QStringList{kQuestion});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains("aes3mix.trn"));

    unblockAndExpectTheEdit();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(savedEdit(), hexBytes("11 00"));
}

// A file the load could not read is never replaced, even once it can be read.
TEST_F(FormTest, SaveNeverReplacesAFileTheLoadCouldNotRead)
{
    writeSmallFolder(folder);
    ASSERT_TRUE(makeLinkLoop(folder.filePath("aes3meters.trn")));
    open(folder.path());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains("Save will never replace"));
    ASSERT_TRUE(QFile::remove(folder.filePath("aes3meters.trn")));
    folder.write("aes3meters.trn", "never seen");

    pressSave();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown.last().split(u'\n').at(1),
              folder.filePath("aes3meters.trn") +
                  ": could not be read when the folder was loaded, so it is never replaced in "
                  "this session");
    EXPECT_EQ(folder.read("aes3meters.trn"), "never seen");
    EXPECT_EQ(folder.size("compressor.trn"), 1280);
}

// Two names of one file: of the two saves through them, the later leaves its bytes.
struct WriteOrderRow
{
    const char* id;
    const char* earlier;
    const char* later; // made a link to `earlier`
    int laterSize;
    int laterFirstByte;
};

using Form1WriteOrderTest = FormRowTest<std::tuple<WriteOrderRow, bool>>;

// aes3mix.trn, ipmix.trn, aes3meters.trn, compressor.trn in this order, at Save and at exit.
TEST_P(Form1WriteOrderTest, WritesTheFourFilesInTheirOrder)
{
    const auto& [row, atExit] = GetParam();
    QByteArray ip = defaultMixImage();
    putLE16(ip, slotByte(0, 0, 0), 5);
    folder.write("ipmix.trn", ip);
    openSmallFolder();
    ASSERT_TRUE(QFile::remove(folder.filePath(QLatin1String(row.later))));
    ASSERT_TRUE(QFile::link(folder.filePath(QLatin1String(row.earlier)),
                            folder.filePath(QLatin1String(row.later))));
    // The link changed a file's content since the load: Save asks first; "Overwrite".
    if (atExit) {
        messages.answers = {kYes, kYes};
        EXPECT_TRUE(form->close());
    } else {
        messages.answers = {kYes};
        pressSave();
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    const QByteArray shared = folder.read(QLatin1String(row.earlier));
    EXPECT_EQ(shared.size(), row.laterSize);
    EXPECT_EQ(static_cast<quint8>(shared.at(0)), row.laterFirstByte);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, Form1WriteOrderTest,
    ::testing::Combine(::testing::Values(WriteOrderRow{"IpMixAfterAes3Mix", "aes3mix.trn",
                                                       "ipmix.trn", 16416, 5},
                                         WriteOrderRow{"MetersAfterIpMix", "ipmix.trn",
                                                       "aes3meters.trn", 16, 0x18},
                                         WriteOrderRow{"CompressorAfterMeters", "aes3meters.trn",
                                                       "compressor.trn", 1280, 0xD6}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).id) +
               (std::get<1>(info.param) ? "AtExit" : "AtSave");
    });

} // namespace
} // namespace tarn::test

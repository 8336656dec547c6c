#include "FormFixture.h"
#include "app/LoadSequence.h"
#include "app/RecoveryRecord.h"

#include <QtEndian>

namespace tarn::test {
namespace {

using Answer = MessageBoxes::Answer;

// Close with an edit: Yes saves and closes, No closes without writing, Cancel keeps the window
// and the edit, and with it the record of the unsaved edit.
struct ExitRow
{
    const char* id;
    Answer answer;
    bool closes;
    bool written;
};

using ExitQuestionTest = FormRowTest<ExitRow>;

TEST_P(ExitQuestionTest, CancelKeepsTheWindowAndItsEdits)
{
    const ExitRow& row = GetParam();
    openActive();
    assignFader2();
    const QString edited = form->windowTitle();
    const QString record = recoveryRecordPath(folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }));
    messages.answers = {row.answer};
    EXPECT_EQ(form->close(), row.closes);
    EXPECT_EQ(messages.questions, QStringList{"Save before exit?"});
    EXPECT_EQ(form->isVisible(), !row.closes);
    // Saved or given up, the edits leave no record for a recovery behind.
    EXPECT_EQ(QFile::exists(record), !row.closes);
    // Written whole, or left as the load created them (empty).
    for (const char* name : {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"})
        EXPECT_EQ(folder.size(name) > 0, row.written) << name;
    if (!row.closes) {
        EXPECT_EQ(form->model().slot(0, 0, 0, 0), 17);
        EXPECT_EQ(form->windowTitle(), edited);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitQuestionTest,
                         ::testing::Values(ExitRow{"Yes", Answer::Yes, true, true},
                                           ExitRow{"No", Answer::No, true, false},
                                           ExitRow{"Cancel", Answer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.id); });

// Ctrl+O: with edits the question comes first; the other folder then loads as at start-up.
struct OpenRow
{
    const char* id;
    bool edit;
    std::deque<Answer> answers;
    bool chooseOther; // else the dialog is cancelled
    bool oldWritten;
    bool otherShown;
};

using OpenFolderTest = FormRowTest<OpenRow>;

TEST_P(OpenFolderTest, CtrlOLoadsAnotherFolderAsTheStartDoes)
{
    const OpenRow& row = GetParam();
    TestFolder other;
    other.copyExample();
    QByteArray ip = defaultMixImage();
    putLE16(ip, slotByte(3, 2, 1), 999);
    other.write("ipmix.trn", ip);
    openActive();
    if (row.edit)
        assignFader2();
    const QString before = form->windowTitle();
    const int meterEntries = meterCombo(0)->count();
    messages.answers = row.answers;
    chooser.answer = row.chooseOther ? other.path() : QString();
    press(Qt::Key_O);

    EXPECT_EQ(messages.questions.size(), row.edit ? 1 : 0);
    EXPECT_EQ(folder.size("aes3mix.trn") == kMixFileSize, row.oldWritten);
    EXPECT_TRUE(messages.answers.empty());
    if (!row.otherShown) {
        EXPECT_EQ(form->windowTitle(), before);
        EXPECT_EQ(settings.path(), folder.path());
        EXPECT_EQ(form->model().slot(0, 0, 0, 0), row.edit ? 17 : 0);
        return;
    }
    EXPECT_EQ(messages.questions.mid(row.edit ? 1 : 0), QStringList());
    EXPECT_EQ(form->windowTitle(), kCaption + other.path());
    EXPECT_EQ(settings.path(), other.path());
    EXPECT_TRUE(form->model() == LoadSequence(other.path(), MissingFiles::Leave)->model);
    EXPECT_TRUE(messages.shown.contains("Warning! There are invalid control assignments"));
    EXPECT_EQ(outputCombo(1)->count(), 32);
    EXPECT_EQ(meterCombo(0)->count(), meterEntries);
    outputCombo(1)->setCurrentIndex(3);
    EXPECT_EQ(form->crossPointGrid(1).text(2, 1), " ----INVALID----");
    // Nothing of the other folder's history to undo, and the window edits the new folder.
    press(Qt::Key_Z);
    EXPECT_EQ(form->windowTitle(), kCaption + other.path());
    pressSave();
    EXPECT_EQ(other.size("ipmix.trn"), kMixFileSize);
    EXPECT_EQ(other.read("ipmix.trn").mid(slotByte(3, 2, 1), 2), hexBytes("E7 03"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OpenFolderTest,
    ::testing::Values(OpenRow{"Unchanged", false, {}, true, false, true},
                      OpenRow{"Yes", true, {Answer::Yes}, true, true, true},
                      OpenRow{"Cancel", true, {Answer::Cancel}, true, false, false},
                      OpenRow{"DialogCancelled", true, {Answer::No}, false, false, false}),
    [](const auto& info) { return std::string(info.param.id); });

// A folder named on the command line without configuration files: created only on Yes; No ends
// with nothing created or remembered. (The dialog's rounds are the core's.)
struct EmptyFolderRow
{
    const char* id;
    Answer answer;
    bool started; // else declined
};

using EmptyFolderTest = FormRowTest<EmptyFolderRow>;

TEST_P(EmptyFolderTest, AsksBeforeCreatingFiles)
{
    const EmptyFolderRow& row = GetParam();
    folder.write("notes.txt", "x");
    messages.answers = {row.answer};
    makeForm();
    EXPECT_EQ(form->start(folder.path()), row.started);
    EXPECT_EQ(form->declinedFolder(), !row.started);
    EXPECT_EQ(messages.questions,
              QStringList{folder.path() + " holds no configuration files. Create them here?"});
    EXPECT_TRUE(chooser.prompts.isEmpty());
    EXPECT_EQ(folder.exists("compressor.trn"), row.started);
    EXPECT_EQ(settings.writes, row.started ? 1 : 0);
    EXPECT_EQ(form->windowTitle(), kCaption + (row.started ? folder.path() : QString()));
    EXPECT_EQ(settings.path(), row.started ? folder.path() : QString());
}

INSTANTIATE_TEST_SUITE_P(Answers, EmptyFolderTest,
                         ::testing::Values(EmptyFolderRow{"ArgumentYes", Answer::Yes, true},
                                           EmptyFolderRow{"ArgumentNo", Answer::No, false}),
                         [](const auto& info) { return std::string(info.param.id); });

// Above 100 ms the next load reduces Hold: the note beside the spinner, the label's tooltip and
// Save's message say so while it is; the files keep what the spinner shows.
struct HoldRow
{
    const char* id;
    int start;
    Qt::Key key;
    const char* note;
};

using HoldNoteTest = FormRowTest<HoldRow>;

TEST_P(HoldNoteTest, SaysWhileTheNextLoadWouldReduceHold)
{
    const HoldRow& row = GetParam();
    openActive();
    showTab(4);
    auto* spinner = child<QSpinBox>("HoldUpDown");
    spinner->setValue(row.start);
    spinner->setFocus();
    QTest::keyClick(spinner, row.key);
    auto* note = child<QLabel>("HoldLossNote");
    EXPECT_EQ(note->isVisible() ? note->text() : QString(), row.note);
    EXPECT_EQ(child<QLabel>("HoldLabel")->toolTip(), row.note);
    EXPECT_FALSE(note->geometry().intersects(child<QWidget>("Frame1")->geometry()));
    pressSave();
    EXPECT_EQ(messages.shown, *row.note ? QStringList{row.note} : QStringList());
    const QByteArray hold = folder.read("compressor.trn").mid(1028, 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(hold.constData()), spinner->value() * 480);

    // Back to where the load left it, by the undo of the steps.
    press(Qt::Key_Z);
    EXPECT_TRUE(note->isHidden());
    EXPECT_EQ(child<QLabel>("HoldLabel")->toolTip(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, HoldNoteTest,
    ::testing::Values(HoldRow{"UpPastTheLimit", 100, Qt::Key_Up,
                              "The next load will reduce Hold from 110 ms to 100 ms."},
                      HoldRow{"AtTheTop", 990, Qt::Key_PageUp,
                              "The next load will reduce Hold from 1000 ms to 100 ms."},
                      HoldRow{"DownToTheLimit", 110, Qt::Key_Down, ""}),
    [](const auto& info) { return std::string(info.param.id); });

// The window shrinks only where it does not fit. On a small screen the whole frame fits, Save
// included, whether the fit comes before the window is shown (the folder on the command line) or
// after (through the dialog, the window shown meanwhile).
using SmallScreenTest = FormRowTest<bool>;

TEST_P(SmallScreenTest, TheWholeFrameFitsTheAvailableArea)
{
    const QRect available(0, 0, 1366, 738);
    makeForm();
    const QSize design = form->size();
    form->fitToScreen(QRect(0, 0, 4000, 3000));
    EXPECT_EQ(form->size(), design);
    if (GetParam()) {
        form->fitToScreen(available);
        form->show();
    } else {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->fitToScreen(available);
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_TRUE(available.contains(form->frameGeometry())) << form->frameGeometry().bottom();
    EXPECT_EQ(form->frameGeometry().height(), 738);
    EXPECT_EQ(form->width(), std::min(design.width(), 1366));
    EXPECT_TRUE(form->rect().contains(child<QPushButton>("SaveCommand")->geometry()));
}

INSTANTIATE_TEST_SUITE_P(Paths, SmallScreenTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "FitBeforeShow" : "FitAfterShow");
});

} // namespace
} // namespace tarn::test

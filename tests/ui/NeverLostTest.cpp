#include "FormFixture.h"
#include "StudioFolder.h"
#include "app/FolderLock.h"
#include "app/LoadSequence.h"
#include "app/RecoveryRecord.h"

#include <csignal>
#include <cstdio>

#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

namespace tarn::test {
namespace {

// The answer a question of two gets: its first (Yes, Overwrite, Recover) or its second.
MessageBoxes::Answer yes(bool first)
{
    return first ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No;
}

// What another program does to the folder while the editor has it open, and what the user then
// answers.
enum class Change { Import, SameBytes };
enum class Answer { Overwrite, Cancel, Reload, KeepMineThenSave };

struct ChangeRow
{
    const char* id;
    Change change;
    Answer answer;
    bool noticed;      // the bar names the changed file
    bool asked;        // Save asked before overwriting
    bool editorsBytes; // the files end as the editor had them (else as the import left them)
};

using OtherProgramTest = FormRowTest<ChangeRow>;

TEST_P(OtherProgramTest, SaveNeverOverwritesAnotherProgramsChangeUnasked)
{
    const ChangeRow& row = GetParam();
    folder.copyExample();
    open(folder.path());
    ASSERT_TRUE(started);
    // The editor's own save is no other program's change.
    pressSave();
    messages.shown.clear();
    const BinaryFiles loaded = readBinaryFiles(folder.path());
    if (row.change == Change::Import) {
        const RunResult exported = runTarnctl({"export", folder.path()});
        ASSERT_EQ(exported.exitCode, 0);
        QJsonObject document = QJsonDocument::fromJson(exported.out.toUtf8()).object();
        QJsonArray meters = document["meters"].toArray();
        QJsonObject meter = meters[0].toObject();
        meter["byte"] = meter["byte"].toInt() == 5 ? 6 : 5;
        meters[0] = meter;
        document["meters"] = meters;
        const TestFolder out;
        out.write("doc.json", QJsonDocument(document).toJson());
        ASSERT_EQ(runTarnctl({"import", folder.path(), out.filePath("doc.json")}).exitCode, 0);
    } else {
        // Written again with the same bytes, until that gives them a new time.
        const QDateTime loadedTime = QFileInfo(folder.filePath("aes3meters.trn")).lastModified();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (const QString& name : kBinaryFileNames)
                folder.write(name, folder.read(name));
            return QFileInfo(folder.filePath("aes3meters.trn")).lastModified() != loadedTime;
        }));
    }
    const BinaryFiles changed = readBinaryFiles(folder.path());
    ASSERT_EQ(changed != loaded, row.change == Change::Import);

    auto* notice = form->findChild<QWidget*>("FolderChangedNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(QTest::qWaitFor([&] { return notice->isVisible(); }, row.noticed ? 5000 : 1000),
              row.noticed);
    if (row.noticed) {
        EXPECT_TRUE(child<QLabel>("FolderChangedText")->text().contains("aes3meters.trn"));
        EXPECT_FALSE(child<QLabel>("FolderChangedText")->text().contains("compressor.trn"));
    }

    switch (row.answer) {
    case Answer::Reload:
        clickButton("ReloadButton");
        EXPECT_FALSE(notice->isVisible());
        break;
    case Answer::KeepMineThenSave:
        clickButton("KeepMineButton");
        EXPECT_FALSE(notice->isVisible());
        messages.answers = {yes(true)};
        pressSave();
        break;
    default:
        messages.answers = {yes(row.answer == Answer::Overwrite)};
        pressSave();
    }
    const QString question = "These files were changed by another program since they were "
                             "loaded:\n" +
                             folder.filePath("aes3meters.trn") + "\nOverwrite them?";
    EXPECT_EQ(messages.questions, row.asked ? QStringList{question} : QStringList());
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    EXPECT_EQ(readBinaryFiles(folder.path()), row.editorsBytes ? loaded : changed);
    if (row.answer == Answer::Cancel)
        return;
    // What the window holds is what a Save writes now, without a question.
    messages.questions.clear();
    pressSave();
    EXPECT_TRUE(messages.questions.isEmpty());
    EXPECT_EQ(readBinaryFiles(folder.path()), row.editorsBytes ? loaded : changed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OtherProgramTest,
    ::testing::Values(
        ChangeRow{"ImportThenOverwrite", Change::Import, Answer::Overwrite, true, true, true},
        ChangeRow{"ImportThenCancel", Change::Import, Answer::Cancel, true, true, false},
        ChangeRow{"ImportThenKeepMine", Change::Import, Answer::KeepMineThenSave, true, true, true},
        ChangeRow{"ImportThenReload", Change::Import, Answer::Reload, true, false, false},
        ChangeRow{"SameBytesRewritten", Change::SameBytes, Answer::Overwrite, false, false, true}),
    [](const auto& info) { return std::string(info.param.id); });

// "Reload" with unsaved edits asks first: Yes shows the folder as another program left it and
// gives the edits up; No keeps them.
using ReloadTest = FormRowTest<bool>;

TEST_P(ReloadTest, ReloadAsksBeforeGivingUpEdits)
{
    openSmallFolder();
    pressSave();
    meterCombo(3)->setCurrentIndex(2);
    QByteArray meters = folder.read("aes3meters.trn");
    meters[5] = static_cast<char>(meters[5] ^ 1);
    folder.write("aes3meters.trn", meters);
    ASSERT_TRUE(QTest::qWaitFor([&] { return child<QPushButton>("ReloadButton")->isVisible(); }));
    messages.answers = {yes(GetParam())};
    clickButton("ReloadButton");
    EXPECT_EQ(messages.questions,
              QStringList{"Reloading the folder discards your unsaved changes. Reload anyway?"});
    EXPECT_EQ(form->isModified(), !GetParam());
    EXPECT_EQ(form->model().meterImage() == meters, GetParam());
    EXPECT_EQ(QFile::exists(recoveryRecordPath(folder.path())), !GetParam());
    EXPECT_EQ(folder.read("aes3meters.trn"), meters);
}

INSTANTIATE_TEST_SUITE_P(Answers, ReloadTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

QProcessEnvironment editorEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

// A second window on a folder that a running editor has open says so and names its process;
// the claim goes with that process, however it ends.
using SecondEditorTest = FormRowTest<bool>;

TEST_P(SecondEditorTest, AsksWhileTheRealEditorRuns)
{
    writeSmallFolder(folder);
    const QTemporaryDir home;
    QProcess editor;
    editor.setProcessEnvironment(editorEnvironment(home.path()));
    editor.start(TARNCONFIG_PATH, {folder.path()});
    ASSERT_TRUE(editor.waitForStarted());
    const EditorPresence presence(folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return presence.otherEditor().has_value(); }, 30000));

    messages.answers = {yes(GetParam())};
    open(folder.path());
    EXPECT_EQ(messages.questions,
              QStringList{folder.path() + " is open in another Tarnconfig window (process " +
                          QString::number(editor.processId()) + "). Open it anyway?"});
    EXPECT_EQ(started, GetParam());
    EXPECT_EQ(form->isVisible(), GetParam());

    editor.kill();
    ASSERT_TRUE(editor.waitForFinished());
    form.reset();
    messages.questions.clear();
    open(folder.path());
    EXPECT_TRUE(started);
    EXPECT_TRUE(messages.questions.isEmpty());
    EXPECT_TRUE(EditorPresence(folder.path()).otherEditor().has_value());
}

INSTANTIATE_TEST_SUITE_P(Answers, SecondEditorTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

// The editor that the crash test kills: it opens the folder named by TARN_EDIT_AND_WAIT, makes
// edits on three tabs, saves what it holds into a copy named by TARN_EDIT_EXPECT, says "ready"
// and waits. Run alone it has nothing to do.
TEST_F(FormTest, EditsThenWaitsToBeKilled)
{
    const QString target = qEnvironmentVariable("TARN_EDIT_AND_WAIT");
    const QString expected = qEnvironmentVariable("TARN_EDIT_EXPECT");
    if (target.isEmpty())
        GTEST_SKIP() << "the crash test runs this in a process of its own";
    qputenv("XDG_STATE_HOME", qgetenv("TARN_EDIT_STATE_HOME"));
    open(target);
    ASSERT_TRUE(started);
    pressSave();
    select(form->crossPointGrid(0), 2, 1, 2, 1);
    clickEntry(0, {"Faders", "Fader 2"});
    meterCombo(3)->setCurrentIndex(2);
    child<QSpinBox>("GainUpDown")->setValue(child<QSpinBox>("GainUpDown")->value() + 3);
    ASSERT_TRUE(form->isModified());
    for (const QString& name : kBinaryFileNames)
        ASSERT_TRUE(QFile::copy(target + u'/' + name, expected + u'/' + name));
    ASSERT_TRUE(SaveAll(form->model(), expected).complete());
    // The record follows the last step once the window has shown it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recoveryRecordPath(target)); }, 10000));
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QTest::qWait(60000);
}

struct CrashRow
{
    const char* id;
    bool recover;
    bool diskChanged; // another program wrote a file after the crash
};

using CrashTest = FormRowTest<CrashRow>;

// Edits survive a SIGKILL of the editor: the next start offers them, and Save writes what the
// killed editor held.
TEST_P(CrashTest, UnsavedEditsSurviveAKill)
{
    const CrashRow& row = GetParam();
    writeSmallFolder(folder);
    const TestFolder expected;
    const QTemporaryDir home;
    QProcessEnvironment environment = editorEnvironment(home.path());
    environment.insert("TARN_EDIT_AND_WAIT", folder.path());
    environment.insert("TARN_EDIT_EXPECT", expected.path());
    // Its records go where this test looks; its own temporary folders go with this test's.
    environment.insert("TARN_EDIT_STATE_HOME", qEnvironmentVariable("XDG_STATE_HOME"));
    environment.insert("TMPDIR", home.path());
    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=FormTest.EditsThenWaitsToBeKilled"});
    ASSERT_TRUE(editor.waitForStarted());
    QByteArray out;
    while (!out.contains("ready\n") && editor.waitForReadyRead(30000))
        out += editor.readAllStandardOutput();
    ASSERT_TRUE(out.contains("ready\n")) << out.toStdString();
    ::kill(static_cast<pid_t>(editor.processId()), SIGKILL);
    ASSERT_TRUE(editor.waitForFinished());
    if (row.diskChanged)
        folder.write("aes3meters.trn", QByteArray(16, '\x01'));
    const BinaryFiles onDisk = readBinaryFiles(folder.path());

    messages.answers = {yes(row.recover)};
    open(folder.path());
    ASSERT_TRUE(started);
    ASSERT_EQ(messages.questions.size(), 1);
    const QString& question = messages.questions.first();
    EXPECT_TRUE(question.startsWith("Tarnconfig ended without saving changes to " + folder.path() +
                                    " (" + QDate::currentDate().toString(Qt::ISODate)))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith(". Recover them?")) << question.toStdString();
    EXPECT_EQ(question.contains("changed on disk"), row.diskChanged);
    EXPECT_EQ(form->isModified(), row.recover);
    EXPECT_EQ(form->windowTitle().endsWith('*'), row.recover);
    if (row.recover) {
        // One step: undone, it leaves the folder as loaded.
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        press(Qt::Key_Z);
        EXPECT_FALSE(form->isModified());
        press(Qt::Key_Y);
        EXPECT_TRUE(form->isModified());
        EXPECT_TRUE(QFile::exists(recoveryRecordPath(folder.path())));
    } else {
        EXPECT_FALSE(QFile::exists(recoveryRecordPath(folder.path())));
    }
    pressSave();
    EXPECT_EQ(messages.questions.size(), 1);
    EXPECT_EQ(readBinaryFiles(folder.path()),
              row.recover ? readBinaryFiles(expected.path()) : onDisk);
    EXPECT_FALSE(QFile::exists(recoveryRecordPath(folder.path())));
}

INSTANTIATE_TEST_SUITE_P(Rows, CrashTest,
                         ::testing::Values(CrashRow{"Recover", true, false},
                                           CrashRow{"RecoverOverChangedFiles", true, true},
                                           CrashRow{"Discard", false, false}),
                         [](const auto& info) { return std::string(info.param.id); });

// Ctrl+H lists the kept versions, newest first; Restore writes the chosen one back, behind the
// unsaved-edits question, and shows the folder as restored with a fresh undo history.
struct RestoreRow
{
    const char* id;
    bool editsAfterSave;
    bool answer; // to the unsaved-edits question
    bool restored;
};

using HistoryTest = FormRowTest<RestoreRow>;

TEST_P(HistoryTest, RestoresAKeptVersion)
{
    const RestoreRow& row = GetParam();
    openActive();
    pressSave();
    const BinaryFiles created = readBinaryFiles(folder.path());
    const int shown = meterCombo(3)->currentIndex();
    meterCombo(3)->setCurrentIndex(shown == 2 ? 3 : 2);
    pressSave();
    const BinaryFiles saved = readBinaryFiles(folder.path());
    ASSERT_NE(saved, created);
    if (row.editsAfterSave)
        meterCombo(4)->setCurrentIndex(2);
    messages.answers = {yes(row.answer)};

    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "HistoryDialog")
            return ADD_FAILURE() << "no history dialog";
        auto* list = dialog->findChild<QListWidget*>("HistoryList");
        for (int k = 0; k < list->count(); ++k)
            listed << list->item(k)->text();
        list->setCurrentRow(0);
        QTest::mouseClick(dialog->findChild<QPushButton*>("RestoreButton"), Qt::LeftButton);
    });
    press(Qt::Key_H);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed.first().startsWith("   2  ")) << listed.first().toStdString();
    EXPECT_TRUE(listed.first().endsWith("aes3meters.trn  0 slots, 0 loops, 1 meter, "
                                        "0 compressor values"))
        << listed.first().toStdString();
    EXPECT_EQ(messages.questions.size(), row.editsAfterSave ? 1 : 0);
    EXPECT_EQ(readBinaryFiles(folder.path()), row.restored ? created : saved);
    EXPECT_EQ(form->isModified(), !row.restored);
    if (row.restored) {
        EXPECT_EQ(meterCombo(3)->currentIndex(), shown);
        press(Qt::Key_Z);
        EXPECT_FALSE(form->isModified());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, HistoryTest,
                         ::testing::Values(RestoreRow{"WithoutEdits", false, false, true},
                                           RestoreRow{"EditsGivenUp", true, true, true},
                                           RestoreRow{"EditsKept", true, false, false}),
                         [](const auto& info) { return std::string(info.param.id); });

// The record is a convenience: where it cannot be kept the bar says so once, and editing and
// saving go on.
TEST_F(FormTest, RecordThatCannotBeKeptIsToldOnce)
{
    const QString blocked = qEnvironmentVariable("XDG_STATE_HOME") + "/tarnconfig";
    ASSERT_TRUE(QDir(blocked).removeRecursively());
    folder.write("blocker", "");
    ASSERT_TRUE(QFile::copy(folder.filePath("blocker"), blocked));
    const auto unblock = qScopeGuard([&] { QFile::remove(blocked); });
    openSmallFolder();
    auto* meter = meterCombo(3);
    meter->setCurrentIndex(2);
    auto* notice = child<QWidget>("FolderChangedNotice");
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->isVisible(); }));
    EXPECT_TRUE(child<QLabel>("FolderChangedText")
                    ->text()
                    .startsWith("Unsaved changes cannot be kept for recovery after a crash: "));
    clickButton("KeepMineButton");
    meter->setCurrentIndex(3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(notice->isVisible());
    pressSave();
    EXPECT_FALSE(form->isModified());
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
} // namespace tarn::test

#include "Faults.h"
#include "TestFolder.h"
#include "app/FolderLock.h"
#include "app/KnownFiles.h"
#include "app/LoadSequence.h"
#include "app/RecoveryRecord.h"
#include "app/UserFolders.h"

#include <functional>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::TestFolder;

// Saves three edits, then tears a kept version.
TEST(SaveHistory, KeepsEveryReplacedVersionWithItsChangesAndNeverATornOne)
{
    TestFolder folder;
    auto load = LoadSequence(folder.path());
    ASSERT_TRUE(SaveAll(load->model, folder.path()).complete()); // the empty files filled
    load->model.setSlot(0, 3, 4, 1, 17);
    load->model.setSlot(1, 0, 0, 0, 17);
    load->model.setMeter(2, 40);
    ASSERT_TRUE(SaveAll(load->model, folder.path()).complete());
    EXPECT_EQ(SaveAll(load->model, folder.path()).keptVersion, 0); // no byte changed

    const std::vector<KeptVersion> versions = listKeptVersions(folder.path());
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[1].number, 2);
    EXPECT_EQ(versions[1].changes.crosspointSlots, 2);
    EXPECT_EQ(versions[1].changes.meters, 1);
    EXPECT_EQ(versions[1].changes.loops + versions[1].changes.compressorValues, 0);
    EXPECT_TRUE(versions[1].file("ipmix.trn")->changed);
    EXPECT_FALSE(versions[1].file("compressor.trn")->changed);
    EXPECT_EQ(readKeptVersion(folder.path(), 1)->file("aes3mix.trn")->bytes, QByteArray());
    // Nothing of ours lands in the configuration folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"aes3meters.trn", "aes3mix.trn", "compressor.trn", "ipmix.trn"}));

    // A torn version is no version: its digest no longer matches.
    ASSERT_TRUE(readKeptVersion(folder.path(), 2));
    QFile torn(keptVersionFolder(folder.path(), 2) + "/ipmix.trn");
    ASSERT_TRUE(torn.open(QIODevice::WriteOnly | QIODevice::Append) && torn.write("x") == 1);
    torn.close();
    EXPECT_FALSE(readKeptVersion(folder.path(), 2));
}

TEST(SaveHistory, KeepsTheLatestVersionsUpToTheLimit)
{
    TestFolder folder;
    auto load = LoadSequence(folder.path());
    for (int k = 0; k <= kKeptVersionLimit; ++k) {
        load->model.setMeter(0, std::uint8_t(k));
        ASSERT_TRUE(SaveAll(load->model, folder.path()).complete());
    }
    const std::vector<KeptVersion> versions = listKeptVersions(folder.path());
    ASSERT_EQ(versions.size(), std::size_t(kKeptVersionLimit));
    EXPECT_EQ(versions.front().number, 2);
    EXPECT_EQ(versions.back().number, kKeptVersionLimit + 1);
}

// A real process holds the folder's lock: a save waits for it, names it when it holds on past
// the wait, takes the folder as soon as it lets go, and is never blocked by a killed holder.
TEST(FolderLock, ASaveWaitsForAHolderNamesItAndIsNeverBlockedByAKilledOne)
{
    TestFolder folder;
    auto load = LoadSequence(folder.path());
    const auto hold = [&](QProcess& holder, const char* seconds) {
        holder.start("flock", {"--close", folder.path(), "sleep", seconds});
        ASSERT_TRUE(holder.waitForStarted());
        for (int k = 0; k < 200 && native::lockHolder(folder.path()) == 0; ++k)
            QThread::msleep(10);
    };
    QProcess holder;
    hold(holder, "20");
    QElapsedTimer clock;
    clock.start();
    const SaveReport refused =
        SaveAll(load->model, folder.path(), {}, {{}, {}, std::chrono::milliseconds(100)});
    EXPECT_GE(clock.elapsed(), 100);
    ASSERT_EQ(refused.notWritten.size(), 4u);
    EXPECT_EQ(refused.notWritten[0].reason,
              QStringLiteral("the folder is being saved by process %1; gave up after 0.1 seconds")
                  .arg(holder.processId()));

    test::killNow(holder.processId());
    holder.waitForFinished();
    EXPECT_TRUE(SaveAll(load->model, folder.path()).complete());

    // Another save of the folder, as a second import is: this one waits its turn.
    QProcess brief;
    hold(brief, "0.5");
    clock.restart();
    EXPECT_TRUE(SaveAll(load->model, folder.path()).complete());
    EXPECT_GE(clock.elapsed(), 200);
    brief.waitForFinished();
}

TEST(EditorPresence, ASecondEditorLearnsTheFirstOnesProcessUntilItEnds)
{
    TestFolder folder;
    EditorPresence first(folder.path());
    EXPECT_FALSE(first.otherEditor());
    EXPECT_FALSE(first.claim());
    EXPECT_TRUE(first.claimed());
    // Another spelling of the same folder meets the same claim.
    EditorPresence second(folder.path() + "/../" + QFileInfo(folder.path()).fileName() + "/");
    EXPECT_EQ(second.otherEditor(), QCoreApplication::applicationPid());
    EXPECT_EQ(second.claim(), QCoreApplication::applicationPid());
    first.release();
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.claimed());
}

// What another program may do to a file, and whether the editor must call it a change.
struct DiskChangeRow
{
    const char* id;
    std::function<void(const TestFolder&)> act;
    QStringList changed;
};

using KnownContent = ::testing::TestWithParam<DiskChangeRow>;

TEST_P(KnownContent, NamesOnlyFilesWhoseContentChangedAndFollowsTheRecordOfItsOwnSaves)
{
    TestFolder folder;
    auto load = LoadSequence(folder.path()); // creates the four files empty
    KnownFiles known = KnownFiles::fromLoad(*load);
    GetParam().act(folder);
    QStringList changed;
    for (const QString& path : known.changedOnDisk())
        changed.append(QFileInfo(path).fileName());
    EXPECT_EQ(changed, GetParam().changed);

    // After its own save the editor knows what it wrote; a record of the unsaved edits keeps
    // that knowledge across a crash.
    load->model.setMeter(1, 7);
    known.noteSaved(SaveAll(load->model, folder.path()));
    EXPECT_TRUE(known.changedOnDisk().empty());
    const RecoveryRecord record{folder.path(), QDateTime::currentDateTimeUtc(), load->model, known};
    ASSERT_FALSE(writeRecoveryRecord(record));
    std::optional<FileProblem> problem;
    const auto read = readRecoveryRecord(folder.path(), &problem);
    ASSERT_TRUE(read && !problem);
    EXPECT_TRUE(read->model == load->model);
    EXPECT_FALSE(read->diskChangedSince());
    GetParam().act(folder);
    EXPECT_EQ(read->diskChangedSince(), !GetParam().changed.isEmpty());
    EXPECT_FALSE(recoveryRecordPath(folder.path()).startsWith(folder.path()));
    EXPECT_FALSE(removeRecoveryRecord(folder.path()));
    EXPECT_FALSE(readRecoveryRecord(folder.path(), &problem) || problem);
}

const DiskChangeRow kDiskChanges[] = {
    {"OtherBytes",
     [](const TestFolder& f) { f.write("compressor.trn", f.read("compressor.trn") + "!"); },
     {"compressor.trn"}},
    {"Removed",
     [](const TestFolder& f) { QFile::remove(f.filePath("aes3mix.trn")); },
     {"aes3mix.trn"}},
};

INSTANTIATE_TEST_SUITE_P(Acts, KnownContent, ::testing::ValuesIn(kDiskChanges),
                         [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn

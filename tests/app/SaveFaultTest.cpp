#include "Faults.h"
#include "TestFolder.h"
#include "app/LoadSequence.h"

#include <functional>
#include <memory>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::TestFolder;

// The folder as the editor leaves it after a save of its defaults, then one edit per file.
std::unique_ptr<FolderLoad> loadSavedAndEdited(const TestFolder& folder)
{
    auto load = LoadSequence(folder.path());
    EXPECT_TRUE(SaveAll(load->model, folder.path()).complete());
    load->model.setSlot(0, 0, 0, 0, 17);
    load->model.setSlot(1, 0, 0, 0, 17);
    load->model.setMeter(0, 40);
    load->model.setCompressor(CompressorWord::Gain, 20);
    return load;
}

struct FaultRow
{
    const char* id;
    // Makes the save fail; what it returns is held until the fault is cleared.
    std::function<std::shared_ptr<void>(const TestFolder&)> inject;
    std::function<void(const TestFolder&)> clear;
    QStringList notWritten;
    const char* reason;
};

using SaveFault = ::testing::TestWithParam<FaultRow>;

// Every file is wholly old or wholly new after the fault, each file not written is named with
// the system's reason, and a save once the fault is cleared writes everything.
TEST_P(SaveFault, LeavesEachFileOldOrNewAndARetryWritesEverything)
{
    const FaultRow& row = GetParam();
    TestFolder folder;
    const auto load = loadSavedAndEdited(folder);
    test::BinaryFiles before = test::readBinaryFiles(folder.path());

    std::shared_ptr<void> fault = row.inject(folder);
    const SaveReport failed = SaveAll(load->model, folder.path());
    fault.reset();
    QStringList notWritten;
    for (const FileProblem& problem : failed.notWritten) {
        notWritten.append(QFileInfo(problem.path).fileName());
        EXPECT_EQ(problem.reason, QLatin1String(row.reason));
    }
    EXPECT_EQ(notWritten, row.notWritten);
    EXPECT_EQ(failed.written.size() + failed.notWritten.size(), 4u);
    const test::BinaryFiles during = test::readBinaryFiles(folder.path());

    row.clear(folder);
    const SaveReport retried = SaveAll(load->model, folder.path());
    EXPECT_TRUE(retried.complete());
    const test::BinaryFiles after = test::readBinaryFiles(folder.path());
    for (const QString& name : test::kBinaryFileNames) {
        EXPECT_NE(after.at(name), before[name]) << name.toStdString();
        if (during.at(name) != "(unreadable)") {
            const bool written = !row.notWritten.contains(name);
            EXPECT_EQ(during.at(name), written ? after.at(name) : before[name])
                << name.toStdString();
        }
    }
    EXPECT_EQ(QDir(folder.path()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFault,
    ::testing::Values(FaultRow{"FolderRemovedAfterTheLoad",
                               [](const TestFolder& f) {
                                   QDir(f.path()).removeRecursively();
                                   return std::shared_ptr<void>();
                               },
                               [](const TestFolder& f) { QDir().mkpath(f.path()); },
                               test::kBinaryFileNames, "No such file or directory"},
                      FaultRow{"FileReplacedByAFolder",
                               [](const TestFolder& f) {
                                   QFile::remove(f.filePath("ipmix.trn"));
                                   QDir(f.path()).mkdir("ipmix.trn");
                                   return std::shared_ptr<void>();
                               },
                               [](const TestFolder& f) {
                                   QDir(f.filePath("ipmix.trn")).removeRecursively();
                               },
                               {"ipmix.trn"},
                               "is a folder, not a file"}),
    [](const auto& info) { return std::string(info.param.id); });

constexpr qint64 kOverReadLimit = 64 * 1024 * 1024 + 1;

void makeOverLimit(const TestFolder& folder, const char* name)
{
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(kOverReadLimit));
}

struct UnreadRow
{
    const char* id;
    const char* name;
    std::function<void(const TestFolder&)> beforeLoad, beforeSave;
    const char* reason;
};

using UnreadFile = ::testing::TestWithParam<UnreadRow>;

// A file that could not be read is never replaced: what it held was never seen (not even the
// first 64 MiB of a larger one). The save names it and writes the others.
TEST_P(UnreadFile, IsReportedAndLeftAsItIs)
{
    const UnreadRow& row = GetParam();
    TestFolder folder;
    row.beforeLoad(folder);
    const auto load = LoadSequence(folder.path());
    row.beforeSave(folder);
    const QByteArray before = folder.size(row.name) > 1000 ? QByteArray() : folder.read(row.name);
    const qint64 size = folder.size(row.name);

    const SaveReport report = SaveAll(load->model, folder.path(), load->unreadFiles);
    ASSERT_EQ(report.notWritten.size(), 1u);
    EXPECT_EQ(report.notWritten[0].path, folder.filePath(row.name));
    EXPECT_EQ(report.notWritten[0].reason, QLatin1String(row.reason));
    EXPECT_EQ(report.written.size(), 3u);
    EXPECT_EQ(folder.size(row.name), size);
    if (!before.isEmpty()) {
        EXPECT_EQ(folder.read(row.name), before);
    }
}

const char kUnreadAtLoad[] =
    "could not be read when the folder was loaded, so it is never replaced in this session";

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadFile,
    ::testing::Values(UnreadRow{"LinkLoopAtLoad", "aes3meters.trn",
                                [](const TestFolder& f) {
                                    ASSERT_TRUE(test::makeLinkLoop(f.filePath("aes3meters.trn")));
                                },
                                [](const TestFolder& f) {
                                    ASSERT_TRUE(QFile::remove(f.filePath("aes3meters.trn")));
                                    f.write("aes3meters.trn", "never seen");
                                },
                                kUnreadAtLoad},
                      UnreadRow{"OverTheReadLimitAtLoad", "ipmix.trn",
                                [](const TestFolder& f) { makeOverLimit(f, "ipmix.trn"); },
                                [](const TestFolder&) {}, kUnreadAtLoad},
                      UnreadRow{"OverTheReadLimitAtSave", "aes3mix.trn", [](const TestFolder&) {},
                                [](const TestFolder& f) { makeOverLimit(f, "aes3mix.trn"); },
                                "is too large to be a configuration file"}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn

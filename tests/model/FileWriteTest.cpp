#include "model/FileWrite.h"

#include "Faults.h"
#include "TestFolder.h"
#include "model/FileRead.h"

#include <functional>
#include <string>
#include <sys/stat.h>
#include <thread>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::TestFolder;

// Every name in the folder, hidden ones included, so that a stray temporary file shows.
QStringList listing(const TestFolder& folder)
{
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

TEST(ReplaceFile, KeepsPermissionsWritesThroughLinksAndLeavesNoTemporaryFile)
{
    TestFolder folder;
    folder.write("plain", "old");
    ASSERT_TRUE(test::setPermissions(folder.filePath("plain"), 0640));
    folder.write("target", "old");
    ASSERT_TRUE(test::setPermissions(folder.filePath("target"), 0604));
    ASSERT_TRUE(QFile::link(folder.filePath("target"), folder.filePath("link")));
    const quint64 plainInode = test::inode(folder.filePath("plain"));

    for (const char* name : {"plain", "link", "new"})
        EXPECT_FALSE(replaceFile(folder.filePath(name), "new bytes")) << name;

    EXPECT_EQ(folder.read("plain"), "new bytes");
    EXPECT_NE(test::inode(folder.filePath("plain")), plainInode); // replaced, not written into
    EXPECT_EQ(test::permissions(folder.filePath("plain")), 0640);
    EXPECT_TRUE(QFileInfo(folder.filePath("link")).isSymLink());
    EXPECT_EQ(folder.read("target"), "new bytes");
    EXPECT_EQ(test::permissions(folder.filePath("target")), 0604);
    EXPECT_EQ(folder.read("new"), "new bytes");
    EXPECT_EQ(listing(folder), (QStringList{"link", "new", "plain", "target"}));
}

struct RefusalRow
{
    const char* id;
    std::function<void(const TestFolder&)> prepare; // puts something in the place of "file"
    const char* reason;
};

using ReplaceFileRefusal = ::testing::TestWithParam<RefusalRow>;

TEST_P(ReplaceFileRefusal, NamesThePathAndTheReasonAndChangesNothing)
{
    TestFolder folder;
    GetParam().prepare(folder);
    const QStringList before = listing(folder);
    const QString path = folder.filePath("file");
    const auto problem = replaceFile(path, "new");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->path, path);
    EXPECT_EQ(problem->reason, QLatin1String(GetParam().reason));
    EXPECT_EQ(listing(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ReplaceFileRefusal,
    ::testing::Values(
        RefusalRow{"LinkLoop", [](const TestFolder& f) { test::makeLinkLoop(f.filePath("file")); },
                   "Too many levels of symbolic links"},
        RefusalRow{"Fifo", [](const TestFolder& f) { test::makeFifo(f.filePath("file")); },
                   "is not a regular file"}),
    [](const auto& info) { return std::string(info.param.id); });

// A killed save leaves its temporary file behind; the next save removes it, but neither a
// temporary file that a running save still holds nor any file of the user's.
TEST(ReplaceFile, RemovesOnlyTheTemporaryFilesOfKilledSaves)
{
    TestFolder folder;
    folder.write(".mix.trn.tarnsave-killed01", "stale");
    folder.write(".mix.trn.tarnsave-running", "in use");
    folder.write("mix.trn.backup", "user's");
    folder.write(".mix.trn.tarnsave-x", "user's");
    folder.write(".other.trn.tarnsave-killed02", "another file's");
    const test::FileLock running(folder.filePath(".mix.trn.tarnsave-running"));
    ASSERT_TRUE(running.locked());

    EXPECT_FALSE(replaceFile(folder.filePath("mix.trn"), "new"));
    EXPECT_EQ(listing(folder),
              (QStringList{".mix.trn.tarnsave-running", ".mix.trn.tarnsave-x",
                           ".other.trn.tarnsave-killed02", "mix.trn", "mix.trn.backup"}));
}

TEST(WriteOutputFile, WritesIntoDevicesAndPipesAndReplacesOnlyRegularFiles)
{
    TestFolder folder;
    const QString fifo = folder.filePath("pipe");
    ASSERT_TRUE(test::makeFifo(fifo));
    QByteArray received;
    std::thread reader([&] {
        QFile file(fifo);
        if (file.open(QIODevice::ReadOnly))
            received = file.readAll();
    });
    EXPECT_FALSE(writeOutputFile(fifo, "through the pipe"));
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

    const QString device = folder.filePath("null");
    if (test::makeNullDevice(device)) {
        EXPECT_FALSE(writeOutputFile(device, "discarded"));
        EXPECT_TRUE(test::isCharacterDevice(device));
    }

    QDir(folder.path()).mkdir("folder");
    const auto refused = writeOutputFile(folder.filePath("folder"), "x");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->reason, "is a folder, not a file");

    folder.write("out.json", "old");
    EXPECT_FALSE(writeOutputFile(folder.filePath("out.json"), "new"));
    EXPECT_EQ(folder.read("out.json"), "new");
}

// The read buffer follows the file's size; a file around the limit, or far larger than a
// first read, still reads whole or cut exactly at the limit.
struct SizeRow
{
    const char* name;
    qint64 fileSize;
    qint64 limit;
    bool truncated;
};

using ReadWholeFileSizeTest = ::testing::TestWithParam<SizeRow>;

TEST_P(ReadWholeFileSizeTest, ReadsWholeOrCutAtTheLimit)
{
    const SizeRow& row = GetParam();
    test::TestFolder folder;
    QByteArray bytes(row.fileSize, '\0');
    for (qsizetype k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<char>(k * 7 + k / 251);
    folder.write("file", bytes);
    const WholeFile whole = readWholeFile(folder.filePath("file"), row.limit);
    EXPECT_TRUE(whole.existed);
    EXPECT_FALSE(whole.problem);
    EXPECT_EQ(whole.truncated, row.truncated);
    EXPECT_EQ(whole.bytes, bytes.left(row.limit));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReadWholeFileSizeTest,
    ::testing::Values(SizeRow{"Empty", 0, 64, false}, SizeRow{"AtTheLimit", 4096, 4096, false},
                      SizeRow{"OneOver", 4097, 4096, true},
                      SizeRow{"LargeUnderAHugeLimit", 300000, 64 * 1024 * 1024, false},
                      SizeRow{"LargeOverTheLimit", 300000, 100000, true}),
    [](const ::testing::TestParamInfo<SizeRow>& info) { return std::string(info.param.name); });

// A link to nothing is a missing file too. A pipe, a device or a loop of links is refused: it
// never yields a read that blocks or never ends.
TEST(ReadWholeFile, MissingFilesDoNotExistAndPipesDevicesAndFoldersAreRefused)
{
    test::TestFolder folder;
    ASSERT_TRUE(QFile::link(folder.filePath("none"), folder.filePath("dangling")));
    ASSERT_EQ(::mkfifo(folder.filePath("pipe").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder.filePath("zeros")));
    ASSERT_TRUE(test::makeLinkLoop(folder.filePath("loop")));
    for (const char* name : {"none", "dangling", "pipe", "zeros", ".", "loop"}) {
        const bool missing = name == std::string("none") || name == std::string("dangling");
        const WholeFile whole = readWholeFile(folder.filePath(name), 1 << 20);
        EXPECT_EQ(whole.existed, !missing) << name;
        EXPECT_EQ(whole.problem.has_value(), !missing) << name;
        EXPECT_TRUE(whole.bytes.isEmpty()) << name;
    }
}

} // namespace
} // namespace tarn

#include "model/FileRead.h"

#include "Faults.h"
#include "TestFolder.h"

#include <string>
#include <sys/stat.h>

#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ReadWholeFile, ReadsRegularFilesUpToTheLimit)
{
    test::TestFolder folder;
    folder.write("small", "12345");
    const WholeFile whole = readWholeFile(folder.filePath("small"), 5);
    EXPECT_TRUE(whole.existed);
    EXPECT_FALSE(whole.truncated);
    EXPECT_EQ(whole.bytes, "12345");
    const WholeFile cut = readWholeFile(folder.filePath("small"), 3);
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.bytes, "123");
    // A link to nothing is a missing file too.
    ASSERT_TRUE(QFile::link(folder.filePath("none"), folder.filePath("dangling")));
    for (const char* name : {"none", "dangling"}) {
        const WholeFile missing = readWholeFile(folder.filePath(name), 3);
        EXPECT_FALSE(missing.existed) << name;
        EXPECT_FALSE(missing.problem) << name;
    }
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

// A pipe, a device or a loop of links never yields a read that blocks or never ends.
TEST(ReadWholeFile, RefusesPipesDevicesAndFolders)
{
    test::TestFolder folder;
    ASSERT_EQ(::mkfifo(folder.filePath("pipe").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder.filePath("zeros")));
    ASSERT_TRUE(test::makeLinkLoop(folder.filePath("loop")));
    for (const char* name : {"pipe", "zeros", ".", "loop"}) {
        const WholeFile whole = readWholeFile(folder.filePath(name), 1 << 20);
        EXPECT_TRUE(whole.existed) << name;
        ASSERT_TRUE(whole.problem) << name;
        EXPECT_TRUE(whole.bytes.isEmpty()) << name;
    }
}

} // namespace
} // namespace tarn

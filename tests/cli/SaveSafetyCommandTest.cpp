#include "Faults.h"
#include "StudioFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

QString writeDocument(const TestFolder& folder, const char* json)
{
    folder.write("document.json", json);
    return folder.filePath("document.json");
}

constexpr char kGain20[] =
    R"({"format": "tarnconfig-folder", "version": 1, "compressor": {"gain": 20}})";

// Folders that once made saves fail, or print what a terminal would act on.
struct FolderShapeRow
{
    const char* id;
    std::function<QString(const TestFolder&)> makeFolder; // inside the test folder
    int checkExit;
    int importExit;
    const char* importOutput; // a part of it, the folder's path written as "<F>"
};

using FolderShape = ::testing::TestWithParam<FolderShapeRow>;

TEST_P(FolderShape, ChecksAndImportsWholeOrNotAtAll)
{
    const FolderShapeRow& row = GetParam();
    const TestFolder root;
    const QString folder = row.makeFolder(root);
    const auto before = readBinaryFiles(folder);
    const QString document = writeDocument(root, kGain20);

    EXPECT_EQ(runTarnctl({"check", folder}).exitCode, row.checkExit);
    const RunResult imported = runTarnctl({"import", folder, document});
    EXPECT_EQ(imported.exitCode, row.importExit) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.contains(
        QString(row.importOutput).replace("<F>", QString(folder).replace('\x1b', "\\x1b"))))
        << imported.out.toStdString();
    if (row.importExit != 0) {
        EXPECT_EQ(readBinaryFiles(folder), before);
    } else {
        const auto after = readBinaryFiles(folder);
        EXPECT_EQ(after.at("compressor.trn").size(), 1280);
        EXPECT_EQ(after.at("compressor.trn").mid(259 * 4, 4), QByteArray("\x14\0\0\0", 4));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FolderShape,
    ::testing::Values(
        // Control descriptions and name lists are past the path limit there; binary files not.
        FolderShapeRow{"PathOf4080Bytes",
                       [](const TestFolder& root) {
                           QString folder = root.path();
                           while (folder.size() < 4080)
                               folder +=
                                   '/' +
                                   QString(std::min<qsizetype>(200, 4079 - folder.size()), 'd');
                           EXPECT_EQ(folder.size(), 4080);
                           EXPECT_TRUE(QDir().mkpath(folder));
                           return folder;
                       },
                       1, 0, "wrote <F>/compressor.trn\n"},
        FolderShapeRow{"LinkThroughALoopingFolderLink",
                       [](const TestFolder& root) {
                           saveStudio(root);
                           QFile::remove(root.filePath("ipmix.trn"));
                           QFile::link("ld/x", root.filePath("ipmix.trn"));
                           QFile::link("ld", root.filePath("ld"));
                           return root.path();
                       },
                       2, 2, ""},
        FolderShapeRow{"ControlCharactersInItsName",
                       [](const TestFolder& root) {
                           const QString folder = root.filePath("red\x1b[31m");
                           QDir().mkdir(folder);
                           return folder;
                       },
                       1, 0, "wrote <F>/aes3mix.trn\n"}),
    [](const auto& info) { return std::string(info.param.id); });

// Every step of a user's way back from a save they regret, with the real tarnctl.
TEST(History, ListsComparesAndRestoresKeptVersionsAndKeepsTheRestore)
{
    const TestFolder folder;
    saveStudio(folder);
    const auto saved = readBinaryFiles(folder.path());
    const QString document = writeDocument(folder, kGain20);
    ASSERT_EQ(runTarnctl({"import", folder.path(), document}).exitCode, 0);
    const auto imported = readBinaryFiles(folder.path());

    const RunResult history = runTarnctl({"history", folder.path()});
    EXPECT_EQ(history.exitCode, 0);
    const QStringList lines = history.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << history.out.toStdString(); // the place, the editor's save, import
    EXPECT_TRUE(lines[0].startsWith("# 2 versions kept in /")) << lines[0].toStdString();
    EXPECT_TRUE(lines[2].startsWith("   2  ")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith("  tarnctl  compressor.trn  0 slots, 0 loops, 0 meters, "
                                  "1 compressor value"))
        << lines[2].toStdString();

    const RunResult diff = runTarnctl({"diff", folder.path() + "@2", folder.path()});
    EXPECT_EQ(diff.exitCode, 1);
    EXPECT_EQ(diff.out, "compressor gain: 18 -> 20\n");
    const RunResult dryRun = runTarnctl({"restore", folder.path(), "2", "--dry-run"});
    EXPECT_EQ(dryRun.out, "compressor gain: 20 -> 18\nnothing written\n");
    EXPECT_EQ(readBinaryFiles(folder.path()), imported);

    const RunResult restored = runTarnctl({"restore", folder.path(), "2"});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.endsWith("the replaced files are kept as version 3\n"));
    EXPECT_EQ(readBinaryFiles(folder.path()), saved);
    EXPECT_EQ(runTarnctl({"restore", folder.path(), "3"}).exitCode, 0);
    EXPECT_EQ(readBinaryFiles(folder.path()), imported);
    EXPECT_TRUE(runTarnctl({"history", folder.path()}).out.contains("tarnctl (restore of 3)"));

    const RunResult missing = runTarnctl({"restore", folder.path(), "99"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.endsWith(": no whole version 99 is kept\n"));
    EXPECT_EQ(runTarnctl({"diff", folder.path() + "@99", folder.path()}).exitCode, 2);
}

} // namespace
} // namespace tarn::test

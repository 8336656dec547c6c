#include "Faults.h"
#include "StudioFolder.h"

#include <thread>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

// -o /dev/stdout (or /dev/stderr) writes into the stream, into a pipe or at the place of a file
// opened for appending, and never replaces what it leads to; a new file is whole or absent.
// (Other places: the file layer's tests.)
TEST(ExportOutput, StreamsAreWrittenIntoAndFilesAppearWhole)
{
    TestFolder folder;
    saveStudio(folder);
    const RunResult plain = runTarnctl({"export", folder.path()});
    ASSERT_EQ(plain.exitCode, 0);
    const RunResult piped = runTarnctl({"export", folder.path(), "-o", "/dev/stdout"});
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.out, plain.out);
    const RunResult toErr = runTarnctl({"export", folder.path(), "-o", "/dev/stderr"});
    EXPECT_EQ(toErr.exitCode, 0);
    EXPECT_EQ(toErr.err, plain.out);
    EXPECT_TRUE(toErr.out.isEmpty());

    TestFolder out;
    out.write("log", "before\n");
    const RunResult appended =
        runTarnctl({"export", folder.path(), "-o", "/dev/stdout"}, [&](QProcess& p) {
            p.setStandardOutputFile(out.filePath("log"), QIODevice::Append);
        });
    EXPECT_EQ(appended.exitCode, 0);
    EXPECT_EQ(out.read("log"), "before\n" + plain.out.toUtf8());

    const RunResult cut = runTarnctl({"export", folder.path(), "-o", out.filePath("new.json")},
                                     [](QProcess& p) { limitFileSize(p, 4096); });
    EXPECT_EQ(cut.exitCode, 2);
    EXPECT_TRUE(cut.err.contains("File too large")) << cut.err.toStdString();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"log"});
}

TEST(ImportFaults, AWriteCutShortNamesTheReasonAndLeavesEachFileOldOrNew)
{
    TestFolder folder;
    saveStudio(folder, [](ConfigModel& model) { model.setSlot(0, 0, 0, 0, 17); });
    const RunResult exported = runTarnctl({"export", folder.path(), "-o", folder.filePath("doc")});
    ASSERT_EQ(exported.exitCode, 0);
    saveStudio(folder, [](ConfigModel& model) {
        model.setSlot(0, 0, 0, 0, 25);
        model.setCompressor(CompressorWord::Gain, 20);
    });
    const QByteArray oldMix = folder.read("aes3mix.trn");
    const QByteArray oldCompressor = folder.read("compressor.trn");

    // The mix files are larger than the limit, the compressor file is not.
    const RunResult result = runTarnctl({"import", folder.path(), folder.filePath("doc")},
                                        [](QProcess& p) { limitFileSize(p, 10000); });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(folder.filePath("aes3mix.trn") + ": File too large"))
        << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("wrote " + folder.filePath("compressor.trn")));
    EXPECT_EQ(folder.read("aes3mix.trn"), oldMix);
    EXPECT_NE(folder.read("compressor.trn"), oldCompressor);
}

// tarnctl import killed at random moments: every file is always wholly old or wholly new (or
// still absent where it did not exist), and what a killed save left behind is gone after the
// next complete one. Labelled slow: the kills are few, but each is a process.
TEST(KilledImport, NeverTearsAFileNorLeavesOneBehind)
{
    TestFolder folder;
    std::map<QString, QSet<QByteArray>> versions;
    QStringList documents;
    for (int k = 0; k < 2; ++k) {
        saveStudio(folder, [k](ConfigModel& model) {
            model.setSlot(0, 0, 0, 0, static_cast<std::int16_t>(17 * k));
            model.setSlot(1, 0, 0, 0, static_cast<std::int16_t>(17 * k));
            model.setMeter(0, static_cast<std::uint8_t>(30 + k));
            model.setCompressor(CompressorWord::Gain, 10 + k);
        });
        const QString document = folder.filePath(QStringLiteral("doc%1").arg(k));
        ASSERT_EQ(runTarnctl({"export", folder.path(), "-o", document}).exitCode, 0);
        documents.append(document);
        for (const QString& name : kBinaryFileNames)
            versions[name].insert(folder.read(name));
    }

    // A whole run's length, so that the kills fall anywhere in it.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(runTarnctl({"import", folder.path(), documents[0]}).exitCode, 0);
    const qint64 runMicroseconds = std::max<qint64>(clock.nsecsElapsed() / 1000, 1000);

    constexpr int kKills = 16;
    int kills = 0;
    for (int run = 0; kills < kKills && run < 10 * kKills; ++run) {
        // Every other run saves a file that does not exist yet.
        if (run % 2 == 1)
            QFile::remove(folder.filePath("compressor.trn"));
        const bool absent = !folder.exists("compressor.trn");
        QProcess process;
        process.start(QStringLiteral(TARNCTL_PATH), {"import", folder.path(), documents[run % 2]});
        ASSERT_TRUE(process.waitForStarted());
        std::this_thread::sleep_for(
            std::chrono::microseconds(QRandomGenerator::global()->bounded(runMicroseconds)));
        if (process.state() == QProcess::Running) {
            killNow(process.processId());
            ++kills;
        }
        process.waitForFinished();
        for (const QString& name : kBinaryFileNames) {
            if (absent && name == "compressor.trn" && !folder.exists(name))
                continue;
            ASSERT_TRUE(versions[name].contains(folder.read(name))) << name.toStdString();
        }
    }
    EXPECT_EQ(kills, kKills);

    ASSERT_EQ(runTarnctl({"import", folder.path(), documents[1]}).exitCode, 0);
    QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeIf([](const QString& name) {
        return name.endsWith(".txt") || kBinaryFileNames.contains(name) || name.startsWith("doc");
    });
    EXPECT_EQ(left, QStringList{});
}

} // namespace
} // namespace tarn::test

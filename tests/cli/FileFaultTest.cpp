#include "CliTestSupport.h"
#include "Faults.h"

#include <thread>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

const QStringList kBinaryFiles = {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"};

struct OutputRow
{
    const char* id;
    // Prepares the place and returns the argument given to -o.
    std::function<QString(const TestFolder&)> place;
    std::function<void(QProcess&, const TestFolder&)> redirect;
    int exitCode;
    // What stands in the place afterwards, and what the output was.
    std::function<void(const TestFolder&, const RunResult&, const QByteArray& json)> check;
};

class ExportOutput : public ::testing::TestWithParam<OutputRow>
{
};

// -o writes into what is not a regular file, never replaces it, and refuses a folder.
TEST_P(ExportOutput, GoesWhereTheUserPointsItWithoutReplacingStreams)
{
    const OutputRow& row = GetParam();
    TestFolder folder;
    saveStudio(folder);
    const RunResult plain = runTarnctl({"export", folder.path()});
    ASSERT_EQ(plain.exitCode, 0);
    TestFolder out;
    const QString target = row.place(out);
    const RunResult result = runTarnctl({"export", folder.path(), "-o", target}, [&](QProcess& p) {
        if (row.redirect)
            row.redirect(p, out);
    });
    EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
    row.check(out, result, plain.out.toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Places, ExportOutput,
    ::testing::Values(
        OutputRow{"StandardOutputPipe",
                  [](const TestFolder&) { return QString("/dev/stdout"); },
                  {},
                  0,
                  [](const TestFolder&, const RunResult& r, const QByteArray& json) {
                      EXPECT_EQ(r.out.toUtf8(), json);
                  }},
        // Written at the stream's place: what the file held before stays.
        OutputRow{"StandardOutputFile", [](const TestFolder&) { return QString("/dev/stdout"); },
                  [](QProcess& p, const TestFolder& out) {
                      out.write("log", "before\n");
                      p.setStandardOutputFile(out.filePath("log"), QIODevice::Append);
                  },
                  0,
                  [](const TestFolder& out, const RunResult&, const QByteArray& json) {
                      EXPECT_EQ(out.read("log"), "before\n" + json);
                  }},
        OutputRow{"NullDevice",
                  [](const TestFolder& out) {
                      if (!makeNullDevice(out.filePath("null")))
                          out.write("null", ""); // not root: a plain file stands in
                      return out.filePath("null");
                  },
                  {},
                  0,
                  [](const TestFolder& out, const RunResult&, const QByteArray&) {
                      if (isCharacterDevice(out.filePath("null")) || out.size("null") > 0)
                          SUCCEED();
                      else
                          ADD_FAILURE() << "the device was replaced by an empty file";
                  }},
        OutputRow{"Folder",
                  [](const TestFolder& out) {
                      QDir(out.path()).mkdir("sub");
                      return out.filePath("sub");
                  },
                  {},
                  2,
                  [](const TestFolder& out, const RunResult& r, const QByteArray&) {
                      EXPECT_TRUE(r.err.contains("is a folder, not a file"));
                      EXPECT_TRUE(QFileInfo(out.filePath("sub")).isDir());
                  }}),
    [](const auto& info) { return std::string(info.param.id); });

TEST(ExportOutput, WritesIntoAPipeThatAnotherProcessReads)
{
    TestFolder folder;
    saveStudio(folder);
    const QString fifo = folder.filePath("pipe");
    ASSERT_TRUE(makeFifo(fifo));
    QByteArray received;
    std::thread reader([&] {
        QFile file(fifo);
        if (file.open(QIODevice::ReadOnly))
            received = file.readAll();
    });
    const RunResult result = runTarnctl({"export", folder.path(), "-o", fifo});
    reader.join();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(received.startsWith("{"));
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

// A folder path with blanks, non-ASCII letters and a trailing separator names the same folder.
TEST(FolderPaths, BlanksNonAsciiAndATrailingSeparatorReachTheFolderItself)
{
    TestFolder outer;
    const QString inner = outer.filePath(QStringLiteral("Régie A – Studio 2"));
    ASSERT_TRUE(QDir().mkpath(inner));
    TestFolder source;
    saveStudio(source, [](ConfigModel& model) { model.setSlot(0, 3, 2, 1, 17); });
    for (const QString& name : QDir(source.path()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), inner + u'/' + name));

    const RunResult exported =
        runTarnctl({"export", inner + u'/', "-o", outer.filePath("doc.json")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const RunResult imported = runTarnctl({"import", inner + u'/', outer.filePath("doc.json")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.startsWith("wrote " + inner + "/aes3mix.trn\n"))
        << imported.out.toStdString();
    QFile mix(inner + QStringLiteral("/aes3mix.trn"));
    ASSERT_TRUE(mix.open(QIODevice::ReadOnly));
    EXPECT_EQ(mix.readAll(), source.read("aes3mix.trn"));
    EXPECT_EQ(runTarnctl({"check", inner + u'/'}).exitCode, 0);
}

class ImportGuard : public ::testing::TestWithParam<const char*>
{
};

// A file the load cannot read is no missing file: check fails and import writes nothing.
TEST_P(ImportGuard, ALinkLoopInAFilesPlaceIsNeverReplaced)
{
    const QString name = QLatin1String(GetParam());
    TestFolder folder;
    saveStudio(folder);
    const RunResult exported = runTarnctl({"export", folder.path(), "-o", folder.filePath("doc")});
    ASSERT_EQ(exported.exitCode, 0);
    const auto before = recordFolder(folder);
    ASSERT_TRUE(QFile::remove(folder.filePath(name)));
    ASSERT_TRUE(makeLinkLoop(folder.filePath(name)));

    EXPECT_EQ(runTarnctl({"check", folder.path()}).exitCode, 2);
    const RunResult imported = runTarnctl({"import", folder.path(), folder.filePath("doc")});
    EXPECT_EQ(imported.exitCode, 2);
    EXPECT_TRUE(imported.err.contains(name + ": Too many levels of symbolic links"))
        << imported.err.toStdString();
    EXPECT_TRUE(imported.err.endsWith("nothing written\n"));
    EXPECT_TRUE(QFileInfo(folder.filePath(name)).isSymLink());
    EXPECT_TRUE(imported.out.isEmpty());
    for (const QString& binary : kBinaryFiles) {
        if (binary != name) {
            EXPECT_EQ(folder.read(binary), before.at(binary).first) << binary.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ImportGuard,
                         ::testing::Values("aes3meters.trn", "ipmix.trn", "aes3controls.txt",
                                           "ipinputs.txt"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).remove(u'.').toStdString();
                         });

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

// tarnctl import killed at random moments: every file is always wholly old or wholly new, and
// what a killed save left behind is gone after the next complete one.
TEST(ImportFaults, KilledAtRandomMomentsNeverTearsAFile)
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
        for (const QString& name : kBinaryFiles)
            versions[name].insert(folder.read(name));
    }

    // A whole run's length, so that the kills fall anywhere in it.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(runTarnctl({"import", folder.path(), documents[0]}).exitCode, 0);
    const qint64 runMicroseconds = std::max<qint64>(clock.nsecsElapsed() / 1000, 1000);

    int kills = 0;
    for (int run = 0; kills < 200 && run < 1000; ++run) {
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
        for (const QString& name : kBinaryFiles)
            ASSERT_TRUE(versions[name].contains(folder.read(name))) << name.toStdString();
    }
    EXPECT_EQ(kills, 200);

    ASSERT_EQ(runTarnctl({"import", folder.path(), documents[1]}).exitCode, 0);
    QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeIf([](const QString& name) {
        return name.endsWith(".txt") || kBinaryFiles.contains(name) || name.startsWith("doc");
    });
    EXPECT_EQ(left, QStringList{});
}

} // namespace
} // namespace tarn::test

#include "StudioFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// Many imports of different documents at once into one folder: each succeeds (waiting for the
// other where it must), every file is always wholly one version, and the four files of one
// import land together.
TEST(ConcurrentImport, EveryImportSucceedsAndTheFourFilesLandTogether)
{
    constexpr int kRounds = 300;
    const TestFolder folder;
    saveStudio(folder);
    // Two documents that differ in every file, and the files each import writes.
    std::array<BinaryFiles, 2> versions;
    QStringList documents;
    for (std::size_t v = 0; v < versions.size(); ++v) {
        const TestFolder source;
        saveStudio(source, [v](ConfigModel& model) {
            model.setSlot(0, 0, 0, 0, v == 0 ? 17 : 25);
            model.setSlot(1, 0, 0, 0, v == 0 ? 80 : 0);
            model.setMeter(0, v == 0 ? 40 : 41);
            model.setCompressor(CompressorWord::Gain, v == 0 ? 20 : 21);
        });
        const RunResult exported = runTarnctl({"export", source.path()});
        ASSERT_EQ(exported.exitCode, 0);
        const QString name = QStringLiteral("v%1.json").arg(v);
        folder.write(name, exported.out.toUtf8());
        documents.append(folder.filePath(name));
        const RunResult alone = runTarnctl({"import", folder.path(), documents.last()});
        ASSERT_EQ(alone.exitCode, 0) << alone.err.toStdString();
        versions[v] = readBinaryFiles(folder.path());
    }
    for (const QString& name : kBinaryFileNames)
        ASSERT_NE(versions[0][name], versions[1][name]) << name.toStdString();

    std::array<int, 2> lastWriter{};
    int failures = 0;
    for (int round = 0; round < kRounds && failures < 5; ++round) {
        std::array<QProcess, 2> imports;
        for (std::size_t v = 0; v < imports.size(); ++v)
            imports[v].start(QStringLiteral(TARNCTL_PATH),
                             {"import", folder.path(), documents[int((v + round) % 2)]});
        for (QProcess& process : imports) {
            ASSERT_TRUE(process.waitForFinished(60000));
            if (process.exitCode() != 0) {
                ++failures;
                ADD_FAILURE() << "round " << round << ": "
                              << process.readAllStandardError().toStdString();
            }
        }
        const BinaryFiles files = readBinaryFiles(folder.path());
        const auto whole = std::find_if(versions.begin(), versions.end(),
                                        [&](const BinaryFiles& v) { return v == files; });
        if (whole == versions.end()) {
            ++failures;
            ADD_FAILURE() << "round " << round << ": the folder holds files of both imports";
        } else {
            ++lastWriter[std::size_t(whole - versions.begin())];
        }
    }
    std::printf("%d rounds of two imports at once: %d failures; the last import was version 0 "
                "%d times, version 1 %d times\n",
                kRounds, failures, lastWriter[0], lastWriter[1]);
}

} // namespace
} // namespace tarn::test

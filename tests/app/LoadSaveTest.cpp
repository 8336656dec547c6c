#include "TestFolder.h"
#include "app/LoadSequence.h"
#include "model/FolderFiles.h"
#include "model/MixFile.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::hexBytes;
using test::TestFolder;

// The start-up creates the files empty and holds the defaults, which a save writes in full.
TEST(SaveAll, FreshFolderIsWrittenInFullAndIdenticallyTwice)
{
    TestFolder folder;
    // Control files giving pointers 0 and 73 to the mix sets and 0 to the loop sets.
    folder.write("aes3controls.txt", "Mute~ACTIVE\r\n0dB~PTR=73~ACTIVE\r\n");
    folder.write("ipcontrols.txt", "Mute~ACTIVE\r\n0dB~PTR=73~ACTIVE\r\n");
    folder.write("aes3loopcontrols.txt", "Off~ACTIVE\r\n");
    folder.write("iploopcontrols.txt", "Off~ACTIVE\r\n");
    const auto load = LoadSequence(folder.path());
    for (const QString& name : test::kBinaryFileNames)
        EXPECT_EQ(folder.size(name), 0) << name.toStdString();
    EXPECT_TRUE(load->problems.empty());
    EXPECT_FALSE(load->mixFiles[0].check.anyInvalid());
    EXPECT_EQ(load->meterPositions[0], 25);
    EXPECT_EQ(load->meterPositions[15], 0);
    EXPECT_EQ(load->compressorPositions.values, (std::array<int, 5>{3, 50, 7, 18, -30}));
    EXPECT_EQ(load->loopCellTexts[1][7], QStringLiteral(" Off"));
    ASSERT_TRUE(SaveAll(load->model, folder.path()).complete());
    // Slot A 0, slots B..D 73 everywhere; the loop words 0.
    QByteArray mix(kMixImageSize, '\0');
    for (int word = 0; word < 8192; ++word)
        mix[2 * word] = word % 4 == 0 ? '\0' : '\x49';
    EXPECT_EQ(folder.read("aes3mix.trn"), mix);
    EXPECT_EQ(folder.read("ipmix.trn"), mix);
    EXPECT_EQ(folder.read("aes3meters.trn"),
              hexBytes("18 19 1A 1B 1C 1D 1E 1F 48 58 FF FF FF FF FF FF"));
    const QByteArray compressor = folder.read("compressor.trn");
    EXPECT_EQ(compressor.size(), 1280);
    EXPECT_EQ(compressor.mid(1024, 20), hexBytes("03000000 C05D0000 07000000 12000000 E2FFFFFF"));
    EXPECT_EQ(compressor.mid(4 * 112, 4), hexBytes("BD F8 03 00"));

    const test::BinaryFiles first = test::readBinaryFiles(folder.path());
    ASSERT_TRUE(SaveAll(load->model, folder.path()).complete());
    EXPECT_EQ(test::readBinaryFiles(folder.path()), first);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 8); // no temporary files left
}

struct PathCase
{
    const char* name;
    const char* input;
    const char* expected;
};

using NormalizeFolderPathTest = ::testing::TestWithParam<PathCase>;

TEST_P(NormalizeFolderPathTest, TrailingSeparatorDroppedExceptAtARoot)
{
    EXPECT_EQ(NormalizeFolderPath(QString::fromLatin1(GetParam().input)),
              QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Paths, NormalizeFolderPathTest,
                         ::testing::Values(PathCase{"BackslashFolder", "D:\\data\\", "D:\\data"},
                                           PathCase{"DriveRootKept", "C:\\", "C:\\"},
                                           PathCase{"BareDrive", "E:", "E:\\"},
                                           PathCase{"PlainFolder", "D:\\cfg", "D:\\cfg"},
                                           PathCase{"SlashFolder", "/srv/cfg/", "/srv/cfg"},
                                           PathCase{"ShortSlashFolder", "/a/", "/a"},
                                           PathCase{"SlashRoot", "/", "/"},
                                           PathCase{"Empty", "", ""},
                                           PathCase{"DefaultZero", "0", "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn

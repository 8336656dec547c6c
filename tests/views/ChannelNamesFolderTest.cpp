#include "TestFolder.h"
#include "views/ChannelNames.h"
#include "views/ViewTexts.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::TestFolder;

// "<prefix> 1" CR LF "<prefix> 2" CR LF ... for `count` lines.
QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray bytes;
    for (int k = 1; k <= count; ++k)
        bytes += QByteArray(prefix) + ' ' + QByteArray::number(k) + "\r\n";
    return bytes;
}

TEST(ChannelNamesFolder, WithoutNameFilesLabelsShowNumbersAndFallbacks)
{
    const TestFolder folder;
    const ChannelNames names = readChannelNames(folder.path());

    for (int m = 0; m < 2; ++m) {
        SCOPED_TRACE(m);
        EXPECT_FALSE(names.inputsFileOpened[m]);
        EXPECT_FALSE(names.outputsFileOpened[m]);
        EXPECT_FALSE(names.loopNames[m].has_value());

        const QStringList rows = crosspointRowLabels(names, m);
        ASSERT_EQ(rows.size(), 64);
        EXPECT_EQ(rows[0], " 01 | ");
        EXPECT_EQ(rows[39], " 40 | ");
        EXPECT_EQ(rows[40], " 41 | MIXER OUTPUT 8");
        EXPECT_EQ(rows[49], " 50 | MIXER OUTPUT 17");
        EXPECT_EQ(rows[63], " 64 | MIXER OUTPUT 31");

        const QStringList outputs = mixOutputEntries(names, m);
        ASSERT_EQ(outputs.size(), 32);
        EXPECT_EQ(outputs[0], " 01 | ");
        EXPECT_EQ(outputs[31], " 32 | ");

        const QStringList loops = loopLabels(names, m);
        ASSERT_EQ(loops.size(), 8);
        EXPECT_EQ(loops[0], " 01 |");
        EXPECT_EQ(loops[7], " 08 |");
    }

    const QStringList meters = meterEntries(names);
    ASSERT_EQ(meters.size(), kMeterEntryCount);
    EXPECT_EQ(meters[1], "MIX INPUT  01 : ");
    EXPECT_EQ(meters[40], "MIX INPUT  40 : ");
    EXPECT_EQ(meters[41], "MIX INPUT  41 : MIXER OUTPUT 8");
    EXPECT_EQ(meters[65], "MIX OUPUT 01 : ");
    EXPECT_EQ(meters[96], "MIX OUPUT 32 : ");
}

TEST(ChannelNamesFolder, MissingFolderReadsAsNoFiles)
{
    const TestFolder folder;
    const ChannelNames names = readChannelNames(folder.filePath("no-such-folder"));
    EXPECT_FALSE(names.inputsFileOpened[0]);
    EXPECT_EQ(names.inputNames[1][63], "MIXER OUTPUT 31");
}

TEST(ChannelNamesFolder, EachFileNamesItsOwnMixer)
{
    const TestFolder folder;
    folder.write("aes3inputs.txt", "AES in\r\n");
    folder.write("ipinputs.txt", "IP in\r\n");
    folder.write("aes3outputs.txt", "AES out\r\n");
    folder.write("ipoutputs.txt", "IP out\r\n");
    folder.write("aes3loops.txt", "AES loop\r\n");
    folder.write("iploops.txt", "IP loop\r\n");

    const ChannelNames names = readChannelNames(folder.path());
    EXPECT_EQ(names.inputNames[0][0], "AES in");
    EXPECT_EQ(names.inputNames[1][0], "IP in");
    EXPECT_EQ(names.outputNames[0][0], "AES out");
    EXPECT_EQ(names.outputNames[1][0], "IP out");
    ASSERT_TRUE(names.loopNames[0] && names.loopNames[1]);
    EXPECT_EQ((*names.loopNames[0])[0], "AES loop");
    EXPECT_EQ((*names.loopNames[1])[0], "IP loop");
    EXPECT_TRUE(names.inputsFileOpened[0] && names.inputsFileOpened[1]);
    EXPECT_TRUE(names.outputsFileOpened[0] && names.outputsFileOpened[1]);
}

TEST(ChannelNamesFolder, InputsAfterFortyAreNamedAfterOutputsWhateverTheInputFileHolds)
{
    const TestFolder folder;
    folder.write("aes3inputs.txt", numberedLines("In", 64));
    folder.write("aes3outputs.txt", numberedLines("Out", 32));

    const ChannelNames names = readChannelNames(folder.path());
    EXPECT_EQ(names.inputNames[0][0], "In 1");
    EXPECT_EQ(names.inputNames[0][39], "In 40");
    EXPECT_EQ(names.inputNames[0][40], "Out 9");
    EXPECT_EQ(names.inputNames[0][63], "Out 32");
    EXPECT_EQ(crosspointRowLabel(41, names.inputNames[0][40]), " 41 | Out 9");
    // The IP mixer had no files of its own.
    EXPECT_EQ(names.inputNames[1][0], "");
    EXPECT_EQ(names.inputNames[1][40], "MIXER OUTPUT 8");
}

TEST(ChannelNamesFolder, EmptyOutputNameGivesTheFallbackWithTheZeroBasedIndex)
{
    const TestFolder folder;
    QByteArray outputs;
    for (int k = 1; k <= 32; ++k)
        outputs += (k == 12 ? QByteArray() : "Out " + QByteArray::number(k)) + "\r\n";
    folder.write("ipoutputs.txt", outputs);

    const ChannelNames names = readChannelNames(folder.path());
    EXPECT_EQ(names.outputNames[1][11], "");
    EXPECT_EQ(names.outputNames[1][12], "Out 13");
    EXPECT_EQ(names.inputNames[1][42], "Out 11");
    EXPECT_EQ(names.inputNames[1][43], "MIXER OUTPUT 11");
    EXPECT_EQ(names.inputNames[1][44], "Out 13");
    EXPECT_EQ(mixOutputEntries(names, 1)[11], " 12 | ");
}

TEST(ChannelNamesFolder, LoopsFileOfThreeLinesNamesThreeLoopsAndPadsTheRest)
{
    const TestFolder folder;
    folder.write("aes3loops.txt", "Cue\r\nTalkback\r\nPhone\r\n");

    const ChannelNames names = readChannelNames(folder.path());
    const QStringList aes3 = loopLabels(names, 0);
    EXPECT_EQ(aes3, QStringList({" 01 | Cue", " 02 | Talkback", " 03 | Phone", " 04 | ", " 05 | ",
                                 " 06 | ", " 07 | ", " 08 | "}));
    // The IP loops file is missing: its labels carry no trailing blank.
    EXPECT_EQ(loopLabels(names, 1)[0], " 01 |");
}

TEST(ChannelNamesFolder, EmptyLoopsFileStillExtendsEveryLabel)
{
    const TestFolder folder;
    folder.write("iploops.txt", "");

    const ChannelNames names = readChannelNames(folder.path());
    ASSERT_TRUE(names.loopNames[1].has_value());
    EXPECT_EQ(loopLabels(names, 1)[7], " 08 | ");
}

TEST(ChannelNamesFolder, FolderInPlaceOfANameFileCountsAsNotOpened)
{
    const TestFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("aes3inputs.txt"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("aes3loops.txt"));
    folder.write("ipinputs.txt", "IP in\r\n");

    const ChannelNames names = readChannelNames(folder.path());
    EXPECT_FALSE(names.inputsFileOpened[0]);
    EXPECT_FALSE(names.loopNames[0].has_value());
    EXPECT_EQ(names.inputNames[0][0], "");
    EXPECT_EQ(names.inputNames[1][0], "IP in");
}

TEST(ChannelNamesFolder, NameBytesAreDecodedAsWindows1252)
{
    const TestFolder folder;
    QByteArray outputs = numberedLines("Out", 8);
    outputs += "PGM \x80\r\nR\xE9gie\r\n";
    folder.write("aes3outputs.txt", outputs);
    folder.write("aes3loops.txt", "\"Schaltpult S\xFC"
                                  "d, links\"\r\n");

    const ChannelNames names = readChannelNames(folder.path());
    EXPECT_EQ(names.outputNames[0][8], QString::fromUtf16(u"PGM \u20ac"));
    EXPECT_EQ(names.outputNames[0][9], QString::fromUtf16(u"R\u00e9gie"));
    EXPECT_EQ(names.inputNames[0][40], QString::fromUtf16(u"PGM \u20ac"));
    EXPECT_EQ(meterEntries(names)[73], QString::fromUtf16(u"MIX OUPUT 09 : PGM \u20ac"));
    EXPECT_EQ(loopLabels(names, 0)[0], QString::fromUtf16(u" 01 | Schaltpult S\u00fcd, links"));
}

TEST(ChannelNamesFolder, LineEndsOfEveryKindInTheFiles)
{
    const TestFolder folder;
    folder.write("aes3inputs.txt", "Mic 1\rMic 2\r");
    folder.write("ipinputs.txt", "Mic 1\nMic 2\n");
    folder.write("aes3outputs.txt", "PGM L\r\nPGM R\r\n");

    const ChannelNames names = readChannelNames(folder.path());
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(names.inputNames[m][0], "Mic 1");
        EXPECT_EQ(names.inputNames[m][1], "Mic 2");
        EXPECT_EQ(names.inputNames[m][2], "");
    }
    EXPECT_EQ(names.outputNames[0][1], "PGM R");
    EXPECT_EQ(names.outputNames[0][2], "");
}

} // namespace
} // namespace tarn

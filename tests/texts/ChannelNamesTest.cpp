#include "texts/ChannelNames.h"

#include "TestFolder.h"
#include "controls/ControlSet.h"
#include "texts/DisplayTexts.h"

#include <limits>
#include <ostream>

#include <QDir>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using test::numberedLines;
using test::TestFolder;

struct ReadRow
{
    const char* name;
    bool fields; // a loops list read as fields, else a name list read as lines
    QByteArray bytes;
    int count;
    QStringList expected;
};

using NameFileRows = ::testing::TestWithParam<ReadRow>;

TEST_P(NameFileRows, ReadsTheFirstNames)
{
    const ReadRow& row = GetParam();
    EXPECT_EQ(row.fields ? readLoopFields(row.bytes, row.count)
                         : readNameLines(row.bytes, row.count),
              row.expected);
}

using namespace Qt::Literals::StringLiterals;

const ReadRow kReadRows[] = {
    // Decided: a lone LF ends a name line too; CR LF is one end, LF CR two.
    {"EveryLineEndKind", false, "A\r\nB\rC\nD", 4, {"A", "B", "C", "D"}},
    {"LfCrIsTwoEnds", false, "A\n\rB", 3, {"A", "", "B"}},
    {"EmptyLineKeepsItsPlace", false, "A\r\n\r\nC\r\n", 3, {"A", "", "C"}},
    {"BlanksKept", false, " Mic 1 \t\r\n  \r\n", 2, {" Mic 1 \t", "  "}},
    {"CommasAndQuotesKept", false, "\"Mic, 1\"\r\n", 1, {"\"Mic, 1\""}},
    {"ShortFileGivesEmptyNames", false, "A\r\n", 3, {"A", "", ""}},
    {"LongerFileReadOnlyAsFarAsNeeded", false, "A\rB\rC\rD", 2, {"A", "B"}},
    // Decided: the code page is Windows-1252.
    {"Windows1252Lines", false, "Caf\xE9\r\nPGM \x80", 2, {u"Caf\u00e9"_s, u"PGM \u20ac"_s}},
    {"FieldsOnLinesOfEveryEnd", true, "A\r\nB\rC\nD", 5, {"A", "B", "C", "D", ""}},
    {"CommaSeparatesQuotesEnclose", true, "A,B\r\n\"C, D\",E", 4, {"A", "B", "C, D", "E"}},
    {"EmptyFieldsAtCommas", true, "Cue,,Phone,\r\nMic", 5, {"Cue", "", "Phone", "", "Mic"}},
    {"QuoteInsideUnquotedKept", true, "Mic \"A\",Phone", 2, {"Mic \"A\"", "Phone"}},
    {"LineBreakInsideQuotes", true, "\"Cue\r\nleft\",Phone", 2, {"Cue\r\nleft", "Phone"}},
    {"MoreFieldsThanCount", true, "A,B,C,D", 2, {"A", "B"}},
    {"Windows1252Fields", true, "A\x80,\"\xE9, \x80\"", 2, {u"A\u20ac"_s, u"\u00e9, \u20ac"_s}},
    // Decided: the finer points of loops fields.
    {"BlanksAroundUnquotedTrimmed", true, "  Cue L \t,\t Cue R  \r\n", 2, {"Cue L", "Cue R"}},
    {"BlanksInsideQuotesKept", true, " \" Cue \" , Phone", 2, {" Cue ", "Phone"}},
    {"BlankLinesGiveNoField", true, "Cue\r\n\r\n \t \r\n\nPhone", 2, {"Cue", "Phone"}},
    {"TextAfterClosingQuoteIgnored", true, "\"A\" B,\"C\"\r\nD", 3, {"A", "C", "D"}},
    {"OpenQuoteRunsToEndOfFile", true, "Cue,\"Talk\r\nPhone", 3, {"Cue", "Talk\r\nPhone", ""}},
};

INSTANTIATE_TEST_SUITE_P(Rows, NameFileRows, testing::ValuesIn(kReadRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A missing folder, an empty one, and one with folders in place of the six lists read the same.
TEST(ChannelNamesFolder, WithoutReadableNameFilesLabelsShowNumbersAndFallbacks)
{
    const TestFolder empty;
    const TestFolder folders;
    for (const char* name : {"aes3inputs.txt", "ipinputs.txt", "aes3outputs.txt", "ipoutputs.txt",
                             "aes3loops.txt", "iploops.txt"})
        ASSERT_TRUE(QDir(folders.path()).mkdir(name));

    for (const QString& path : {empty.filePath("nowhere"), empty.path(), folders.path()}) {
        SCOPED_TRACE(path.toStdString());
        const ChannelNames names = channelNamesFromLists(readNameListFiles(path));
        for (int m = 0; m < 2; ++m) {
            EXPECT_FALSE(names.inputsFileOpened[m] || names.outputsFileOpened[m]);
            const QStringList rows = crosspointRowLabels(names, m);
            EXPECT_EQ(rows.mid(38, 4), QStringList({" 39 | ", " 40 | ", " 41 | MIXER OUTPUT 8",
                                                    " 42 | MIXER OUTPUT 9"}));
            EXPECT_EQ(rows[63], " 64 | MIXER OUTPUT 31");
            EXPECT_EQ(mixOutputEntries(names, m)[31], " 32 | ");
            EXPECT_EQ(loopLabels(names, m), QStringList({" 01 |", " 02 |", " 03 |", " 04 |",
                                                         " 05 |", " 06 |", " 07 |", " 08 |"}));
        }
        EXPECT_EQ(meterEntries(names)[40], "MIX INPUT  40 : ");
        EXPECT_EQ(meterEntries(names)[96], "MIX OUPUT 32 : ");
    }
}

// The AES3 outputs list is unreadable; the lists after it are read all the same. A name is free
// text: separators inside it stay as they are.
TEST(ChannelNamesFolder, EachFileNamesItsOwnMixer)
{
    const TestFolder folder;
    folder.write("aes3inputs.txt", " a | b : c \r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("aes3outputs.txt"));
    folder.write("ipinputs.txt", numberedLines("In", 64));
    folder.write("ipoutputs.txt", numberedLines("Out", 32).replace("Out 12\r\n", "\r\n"));
    folder.write("aes3loops.txt", "");
    folder.write("iploops.txt", "Cue\r\nTalkback\r\nPhone\r\n");

    const ChannelNames names = channelNamesFromLists(readNameListFiles(folder.path()));
    EXPECT_TRUE(names.inputsFileOpened[0] && names.inputsFileOpened[1]);
    EXPECT_TRUE(!names.outputsFileOpened[0] && names.outputsFileOpened[1]);
    EXPECT_EQ(crosspointRowLabels(names, 0).mid(0, 2),
              QStringList({" 01 |  a | b : c ", " 02 | "}));
    EXPECT_EQ(mixOutputEntries(names, 0)[0], " 01 | ");
    // Lines 41 to 64 of an input file are never read: those inputs carry outputs' names, and
    // the unnamed output 12 gives input 44 the fallback with its zero-based index.
    const QStringList ip = crosspointRowLabels(names, 1);
    EXPECT_EQ(ip.mid(39, 2), QStringList({" 40 | In 40", " 41 | Out 9"}));
    EXPECT_EQ(ip.mid(42, 3),
              QStringList({" 43 | Out 11", " 44 | MIXER OUTPUT 11", " 45 | Out 13"}));
    EXPECT_EQ(ip[63], " 64 | Out 32");
    EXPECT_EQ(mixOutputEntries(names, 1).mid(10, 2), QStringList({" 11 | Out 11", " 12 | "}));
    // An opened loops file extends every label, even with an empty name.
    EXPECT_EQ(loopLabels(names, 1).mid(2, 2), QStringList({" 03 | Phone", " 04 | "}));
    EXPECT_EQ(loopLabels(names, 0)[7], " 08 | ");
    // The meters list only the AES3 mixer's names.
    const QStringList meters = meterEntries(names);
    ASSERT_EQ(meters.size(), 97);
    EXPECT_EQ(meters[0], "DISABLED");
    EXPECT_EQ(meters[1], "MIX INPUT  01 :  a | b : c ");
    EXPECT_EQ(meters[64], "MIX INPUT  64 : MIXER OUTPUT 31");
    EXPECT_EQ(meters[65], "MIX OUPUT 01 : ");
}

struct WidthRow
{
    const char* name;
    int chars;
    double twipsPerPixel;
    int twips;
};

using ColumnWidthRows = ::testing::TestWithParam<WidthRow>;

TEST_P(ColumnWidthRows, TwoCharactersMoreAtSixPixelsEach)
{
    EXPECT_EQ(columnWidthTwips(GetParam().chars, GetParam().twipsPerPixel), GetParam().twips);
}

const WidthRow kWidthRows[] = {
    // (n + 2) x 6 x 0.125 lands on halves: 1.5 -> 2, 4.5 -> 4.
    {"HalfRoundsUpToEven", 0, 0.125, 2},
    {"HalfRoundsDownToEven", 4, 0.125, 4},
    {"FractionRoundsToNearest", 1, 15.0 / 14.0, 19},
    {"HugeCountDoesNotOverflow", std::numeric_limits<int>::max(), 15.0,
     std::numeric_limits<int>::max()},
};

INSTANTIATE_TEST_SUITE_P(Rows, ColumnWidthRows, testing::ValuesIn(kWidthRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewTexts, ColumnWidthOfTextsUsesTheLongestInCharacters)
{
    // The loops grid's first column: a longest label of 20 characters.
    EXPECT_EQ(columnWidthTwips(QStringList({"LOOP", " 01 | Talkback studi", " 02 | Cue"}), 15.0),
              1980);
    EXPECT_EQ(columnWidthTwips(QStringList({"", ""}), 15.0), 180);
    // Characters, not encoded bytes.
    EXPECT_EQ(columnWidthTwips(QStringList({QString::fromUtf16(u"R\u00e9gie \u20ac")}), 15.0), 810);
}

// A pointer without an entry, or outside 0..32767, shows the invalid marker.
TEST(CellTexts, PointersWithoutAnEntryShowTheInvalidMarker)
{
    ControlSet set;
    set.setPointerToNode(17, set.appendRoot("Fader 2"));
    set.rebuildNodeToPointer();
    for (const int pointer : {1, -1, 32767, 32768})
        EXPECT_EQ(controlCellText(set, pointer), " ----INVALID----") << pointer;
}

} // namespace
} // namespace tarn

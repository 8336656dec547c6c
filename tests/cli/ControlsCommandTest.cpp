#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// The worked example of the description format: two headings, nested entries, an entry two
// pointers name, a line that only moves the pointer, and a depth jump on line 6.
const QByteArray kWorkedExample = "Faders~OFFSET=16\r\n"
                                  "\tFader 1~PTR=OFFSET~ACTIVE\r\n"
                                  "\tFader 2~PTR++~ACTIVE\r\n"
                                  "\t\tFader 2 fine~PTR+=8~ACTIVE\r\n"
                                  "Switches~PTR=40\r\n"
                                  "\t\t\tStray\r\n"
                                  "\tSwitch A~ACTIVE~PTR++~ACTIVE\r\n"
                                  "~PTR-=2\r\n"
                                  "\tSwitch B~ACTIVE\r\n"
                                  "\tSwitch C~PTR--~ACTIVE\r\n";

TEST(ControlsCommand, PrintsTheTreeWithPointersAndDiagnostics)
{
    const TestFolder folder;
    folder.write("loops.txt", kWorkedExample);
    const RunResult result = runTarnctl({"controls", folder.filePath("loops.txt")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "1 \"Faders\" pointer -1\n"
                          "  2 \"Fader 1\" pointer 16, named by 16\n"
                          "  3 \"Fader 2\" pointer 17, named by 17\n"
                          "    4 \"Fader 2 fine\" pointer 25, named by 25\n"
                          "5 \"Switches\" pointer -1\n"
                          "  6 \"Switch A\" pointer 41, named by 40 41\n"
                          "  7 \"Switch B\" pointer 39, named by 39\n"
                          "  8 \"Switch C\" pointer 38, named by 38\n" +
                              folder.filePath("loops.txt") +
                              ":6: no entry: depth 3 after depth 0\n");
}

struct ExpectedEntry
{
    int index;
    int parent;
    int depth;
    const char* text;
    int pointer;
    std::vector<int> pointers;
};

TEST(ControlsCommand, JsonListsEntriesAndDiagnostics)
{
    const TestFolder folder;
    folder.write("loops.txt", kWorkedExample);
    const RunResult result = runTarnctl({"controls", folder.filePath("loops.txt"), "--json"});
    ASSERT_EQ(result.exitCode, 0);
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    const std::vector<ExpectedEntry> expected = {
        {1, 0, 0, "Faders", -1, {}},     {2, 1, 1, "Fader 1", 16, {16}},
        {3, 1, 1, "Fader 2", 17, {17}},  {4, 3, 2, "Fader 2 fine", 25, {25}},
        {5, 0, 0, "Switches", -1, {}},   {6, 5, 1, "Switch A", 41, {40, 41}},
        {7, 5, 1, "Switch B", 39, {39}}, {8, 5, 1, "Switch C", 38, {38}},
    };
    const QJsonArray entries = document["entries"].toArray();
    ASSERT_EQ(entries.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(expected[k].text);
        const QJsonObject entry = entries[static_cast<qsizetype>(k)].toObject();
        EXPECT_EQ(entry["index"].toInt(), expected[k].index);
        EXPECT_EQ(entry["parent"].toInt(), expected[k].parent);
        EXPECT_EQ(entry["depth"].toInt(), expected[k].depth);
        EXPECT_EQ(entry["text"].toString(), expected[k].text);
        EXPECT_EQ(entry["pointer"].toInt(), expected[k].pointer);
        std::vector<int> pointers;
        for (const QJsonValue& p : entry["pointers"].toArray())
            pointers.push_back(p.toInt());
        EXPECT_EQ(pointers, expected[k].pointers);
    }

    const QJsonArray diagnostics = document["diagnostics"].toArray();
    ASSERT_EQ(diagnostics.size(), 1);
    EXPECT_EQ(diagnostics[0]["line"].toInt(), 6);
    EXPECT_EQ(diagnostics[0]["message"].toString(), "no entry: depth 3 after depth 0");
}

TEST(ControlsCommand, TextsAreDecodedFromWindows1252)
{
    const TestFolder folder;
    folder.write("set.txt", "R\xe9gie\r\n\tS\xfc"
                            "d~PTR=5~ACTIVE\r\n");
    const RunResult result = runTarnctl({"controls", folder.filePath("set.txt")});
    EXPECT_EQ(result.out, QString::fromUtf16(u"1 \"R\u00e9gie\" pointer -1\n"
                                             u"  2 \"S\u00fcd\" pointer 5, named by 5\n"));
}

// Lone line feeds do not end lines: the whole file is one line, whose entry text and last
// directive keep them. Each still prints on one line, with the line feeds visible.
TEST(ControlsCommand, LineFeedsInsideALineStayVisibleOnOneLine)
{
    const TestFolder folder;
    folder.write("set.txt", "Faders\n\tFader 1~PTR=3~ACTIVE\n");
    const RunResult result = runTarnctl({"controls", folder.filePath("set.txt")});
    EXPECT_EQ(result.out, "1 \"Faders\\n\" pointer -1\n" + folder.filePath("set.txt") +
                              ":1: unrecognised directive \"ACTIVE\\n\"\n");
}

} // namespace
} // namespace tarn::test

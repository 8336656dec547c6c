#include "report/HtmlReport.h"

#include "TestFolder.h"
#include "app/LoadSequence.h"
#include "controls/ControlSet.h"
#include "report/ControlPaths.h"
#include "report/CrosspointOverview.h"
#include "report/GainTablePlot.h"
#include "report/HtmlText.h"

#include <cmath>
#include <functional>
#include <set>

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

struct EscapeCase
{
    const char* name;
    QString text;
    std::string shown;
};

using HtmlTextEscape = ::testing::TestWithParam<EscapeCase>;

TEST_P(HtmlTextEscape, ShowsTextNeverMarkup)
{
    std::string out;
    appendHtmlText(out, GetParam().text);
    EXPECT_EQ(out, GetParam().shown);
}

const EscapeCase kEscapes[] = {
    {"Markup", R"(<a href="x">&'</a>)", "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;"},
    {"LineEndsAndTab", "a\nb\r\tc", "a\\nb\\r\\tc"},
    {"ControlsAndDelete", QString::fromLatin1("\x01\x1f\x7f", 3), "\\x01\\x1F\\x7F"},
    {"Nul", QString(QChar(0)), "\\x00"},
    {"C1Control", QString(QChar(0x85)), "\\x85"},
    {"Latin1AndEuro", QString::fromUtf8("R\u00e9gie \u20ac"), "R\u00e9gie \u20ac"},
    {"NonCharacter", QString(QChar(0xFFFE)), "\uFFFD"},
    {"LoneSurrogate", QString(QChar(0xD800)) + u'x', "\uFFFDx"},
    {"SurrogatePair", QString::fromUtf8("\U0001F3B5"), "\U0001F3B5"},
};

INSTANTIATE_TEST_SUITE_P(Texts, HtmlTextEscape, ::testing::ValuesIn(kEscapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlText, EveryByteOfAnEightBitTextShowsAsTheDecodedTextDoes)
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    std::string fromBytes;
    std::string fromText;
    appendHtmlText(fromBytes, QByteArrayView(bytes));
    appendHtmlText(fromText, decodeWindows1252(bytes));
    EXPECT_EQ(fromBytes, fromText);
    // Nothing a parser would take for markup or refuse: no raw controls, every & a reference.
    const QString shown = QString::fromStdString(fromBytes);
    EXPECT_FALSE(shown.contains(QRegularExpression(R"([\x00-\x1f\x7f-\x9f<>"'])")));
    EXPECT_FALSE(shown.contains(QRegularExpression(R"(&(?!amp;|lt;|gt;|quot;|#39;))")));
}

// A set of one chain `depth` entries deep, each entry named "Level n" padded to `width`
// characters, the deepest carrying pointer 5.
struct PathCase
{
    const char* name;
    int depth;
    int width;
    std::string path;
};

using ControlPathElision = ::testing::TestWithParam<PathCase>;

TEST_P(ControlPathElision, KeepsRootAndLastEntriesWithinTheBudget)
{
    const PathCase& c = GetParam();
    ControlSet set;
    int index = 0;
    for (int level = 1; level <= c.depth; ++level) {
        const QString text = QStringLiteral("L%1").arg(level).leftJustified(c.width, u'.');
        index = index == 0 ? set.appendRoot(text) : set.appendChild(index, text);
    }
    set.setPointerToNode(5, index);
    ControlPaths paths(set);
    EXPECT_EQ(paths.path(5), c.path);
    EXPECT_EQ(paths.path(6), "");
}

const PathCase kPaths[] = {
    {"One", 1, 2, "L1"},
    {"FitsTheBudget", 3, 10, "L1........ > L2........ > L3........"},
    {"RootAndTail", 6, 10, "L1........ > \u2026 > L4........ > L5........ > L6........"},
    {"NothingLeftOutBetween", 3, 18,
     "L1................ > L2................ > L3................"},
    {"LongEntryShownWhole", 2, 60, "L1" + std::string(58, '.') + " > L2" + std::string(58, '.')},
    {"ThousandsOfLevels", 5000, 3, "L1. > \u2026 > L4996 > L4997 > L4998 > L4999 > L5000"},
};

INSTANTIATE_TEST_SUITE_P(Paths, ControlPathElision, ::testing::ValuesIn(kPaths),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GainTablePlot, DecibelsOfGainTableWords)
{
    EXPECT_EQ(gainTableDecibels(32768), 0.0);
    EXPECT_NEAR(gainTableDecibels(65536), 6.0206, 1e-4);
    EXPECT_NEAR(gainTableDecibels(260285), 18.0, 1e-4);
    EXPECT_NEAR(gainTableDecibels(1), -90.309, 1e-3);
    EXPECT_TRUE(std::isinf(gainTableDecibels(0)) && gainTableDecibels(0) < 0);
    EXPECT_TRUE(std::isinf(gainTableDecibels(-7)));
}

// The example folder as loaded, with `edit` applied to its model afterwards; the report of it.
struct ReportCase
{
    const char* name;
    std::function<void(FolderLoad&)> edit;
    QStringList present;
    QStringList absent;
};

using HtmlReportContent = ::testing::TestWithParam<ReportCase>;

TEST_P(HtmlReportContent, ListsWhatDiffersAndLinksEveryFinding)
{
    const TestFolder folder;
    folder.copyExample();
    const auto load = LoadSequence(folder.path(), MissingFiles::Leave);
    GetParam().edit(*load);
    const QString page = QString::fromStdString(htmlReport(*load, {QStringLiteral("9.9"), false}));
    for (const QString& text : GetParam().present)
        EXPECT_TRUE(page.contains(text)) << text.toStdString();
    for (const QString& text : GetParam().absent)
        EXPECT_FALSE(page.contains(text)) << text.toStdString();
    std::set<QString> ids;
    for (const auto& match : QRegularExpression(R"re( id="([^"]+)")re").globalMatch(page))
        EXPECT_TRUE(ids.insert(match.captured(1)).second)
            << "twice: " << match.captured(1).toStdString();
    for (const auto& match : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(page))
        EXPECT_TRUE(ids.count(match.captured(1))) << "nowhere: " << match.captured(1).toStdString();
}

const ReportCase kReports[] = {
    {"FreshFolder",
     [](FolderLoad&) {},
     // The example's control sets carry every pointer a fresh folder holds.
     {"0 files could not be read, 0 invalid assignments, ", "MUTE (pointer 0): 2048 slots",
      "0dB (pointer 73): 6144 slots", "other control: 0 slots",
      "<a href=\"#m1\">ipmix.trn: missing", "<a href=\"#compressor\">compressor.trn: missing",
      "Equals the default gain table.", "tarnctl 9.9"},
     {"<tr id=\"m0-o", "<tr id=\"m1-o"}},
    {"ChangedSlotsListedWithTheirPaths",
     [](FolderLoad& load) {
         load.model.setSlot(0, 8, 0, 0, 73);
         load.model.setSlot(1, 31, 63, 3, 9999);
     },
     {"<tr id=\"m0-o9-i1\"><td> 01 | Mic 1 Presenter</td><td>Switching > Fixed gain > Unity 0dB "
      "[73]</td><td class=\"f\">",
      "<tr id=\"m1-o32-i64\">", "----INVALID---- [9999]</td></tr>",
      "invalid (no entry in the "
      "tree): 1 slots",
      "out 32, in 64, D: ----INVALID---- [9999]</title>"},
     {"<tr id=\"m0-o9-i2\""}},
    {"GainTableDiffers",
     [](FolderLoad& load) {
         load.model.setCompressorWord(3, 0);
         load.model.setCompressorWord(4, 70000);
     },
     {"Differs from the default gain table (dashed) in 2 entries.", "entry 3: 0, no dB value",
      "class=\"default\""},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Folders, HtmlReportContent, ::testing::ValuesIn(kReports),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

#include "controls/ControlParser.h"

#include "TestFolder.h"
#include "controls/NumberConversion.h"
#include "model/Windows1252.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using namespace Qt::Literals::StringLiterals;
using namespace std::string_view_literals;

// "<A>(<B>,<C>),<D>": entry texts in file order, children in parentheses.
std::string treeText(const ControlSet& set, std::span<const int> entries)
{
    std::string text;
    for (const int index : entries) {
        const ControlNode& node = set.entry(index);
        text += (text.empty() ? "<" : ",<") + node.text().toStdString() + '>';
        if (!node.children.empty())
            text += '(' + treeText(set, node.children) + ')';
    }
    return text;
}

// "16>2 17>3": every filled PointerToNode slot.
std::string pointerText(const ControlSet& set)
{
    QStringList pairs;
    for (int p = 0; p < kPointerSlots; ++p) {
        if (set.hasEntryFor(p))
            pairs << QStringLiteral("%1>%2").arg(p).arg(set.PointerToNode(p));
    }
    return pairs.join(u' ').toStdString();
}

// "1: message", one line per diagnostic.
std::string diagnosticText(const ControlFileResult& result)
{
    QStringList lines;
    for (const ParseDiagnostic& d : result.diagnostics)
        lines << QStringLiteral("%1: %2").arg(d.line).arg(d.message);
    return lines.join(u'\n').toStdString();
}

// The invariants of the two maps and of the tree after a load, checked over every slot. With
// PointerToNode they fix NodeToPointer: the highest pointer naming an entry, else -1.
void expectConsistentMaps(const ControlSet& set)
{
    for (int index = set.entryCount() + 1; index < kPointerSlots; ++index)
        ASSERT_EQ(set.NodeToPointer(index), -1) << "entry slot " << index;
    EXPECT_EQ(set.NodeToPointer(0), -1);
    for (int p = 0; p < kPointerSlots; ++p) {
        if (const int index = set.PointerToNode(p)) {
            ASSERT_GE(set.NodeToPointer(index), p) << "pointer " << p;
        }
    }
    for (int index = 1; index <= set.entryCount(); ++index) {
        const int p = set.NodeToPointer(index);
        ASSERT_EQ(p < 0 ? index : set.PointerToNode(p), index) << "entry " << index;
        ASSERT_GE(p, -1);
        const ControlNode& node = set.entry(index);
        ASSERT_LT(node.parent, index);
        ASSERT_EQ(node.depth, node.parent == 0 ? 0 : set.entry(node.parent).depth + 1);
    }
}

struct Parsed
{
    std::unique_ptr<ControlSet> set = std::make_unique<ControlSet>();
    ControlFileResult result;
};

Parsed parse(const QByteArray& bytes)
{
    Parsed parsed;
    parsed.result = parseControlDescription(bytes, *parsed.set);
    return parsed;
}

struct ParseRow
{
    const char* name;
    QByteArray input;
    std::string_view tree;
    const char* pointers;
    std::string_view diagnostics = "";
};

using ControlParseRows = ::testing::TestWithParam<ParseRow>;

TEST_P(ControlParseRows, BuildsTreeAndPointersAndNamesWhatItPassedOver)
{
    const Parsed p = parse(GetParam().input);
    EXPECT_EQ(treeText(*p.set, p.set->roots()), GetParam().tree);
    EXPECT_EQ(pointerText(*p.set), GetParam().pointers);
    EXPECT_EQ(diagnosticText(p.result), GetParam().diagnostics);
    expectConsistentMaps(*p.set);
}

const ParseRow kParseRows[] = {
    // Entries.
    {"DepthOneBeforeAnyEntryIsIgnored", "\tA\r\nB\r\n\tC", "<B>(<C>)", "",
     "1: no entry: depth 1 with no entry to attach to"},
    {"ClimbsToTheRightParent", "A\r\n\tB\r\n\t\tC\r\n\t\t\tD\r\n\tE\r\nF",
     "<A>(<B>(<C>(<D>)),<E>),<F>", ""},
    {"LeadingBlanksAndEqualsKept", "  Gain = 1  ~ACTIVE", "<  Gain = 1>", "0>1"},
    {"BlanksOnlyIsEmptyRoot", "   ", "<>", ""},
    {"TabsOnlyIsNothing", "\t\t\r\n\t", "", ""},
    {"BlanksTabNameIsEmptyRoot", "  \tName", "<>", ""},
    {"LoneLineFeedsMakeOneLine", "A\nB\n\tC\n", "<A\nB\n>", ""},
    {"CarriageReturnsEndLinesEmptyOnesSkipped", "A\r\r\tB\rC\n\r~X", "<A>(<B>),<C\n>", "",
     "5: unrecognised directive \"X\""},
    {"Windows1252Text", "Caf\xE9 \x80", "<Caf\xC3\xA9 \xE2\x82\xAC>", ""},
    {"NulIsAnOrdinaryCharacter",
     "A\0B~PTR=7~PTR=\0"
     "5~PTR++\0~ACTIVE"_ba,
     "<A\0B>"sv, "0>1", "1: unrecognised directive \"PTR++\0\""sv},
    {"HugeRunOfTabs", QByteArray(2'000'000, '\t') + "X", "", "",
     "1: no entry: depth 2000000 with no entry to attach to"},
    {"HugeRunOfTildes", "A" + QByteArray(2'000'000, '~') + "ACTIVE", "<A>", "0>1"},
    // Directives.
    {"ActiveOnLineWithoutEntry", "A\r\n~PTR=5~ACTIVE", "<A>", "5>1"},
    {"ActiveAfterDepthJump", "A~PTR=3\r\n\t\tB~ACTIVE", "<A>", "3>1",
     "2: no entry: depth 2 after depth 0"},
    {"ActiveBeforeFirstEntry", "~PTR=4~ACTIVE\r\nA", "<A>", "", "1: ACTIVE before any entry"},
    {"LaterActiveWins", "A~PTR=2~ACTIVE\r\nB~ACTIVE", "<A>,<B>", "2>2"},
    {"ActiveIgnoresItsValue", "A~PTR=4~ACTIVE=9~PTR++=7~ACTIVE=1=2", "<A>", "4>1 5>1"},
    {"OffsetInLowerCaseIsZero", "A~OFFSET=9~PTR=3~PTR=offset~ACTIVE", "<A>", "0>1"},
    {"BlanksAroundOffset", "A~OFFSET=9~PTR = OFFSET ~ACTIVE", "<A>", "9>1"},
    {"TabSpoilsOffset", "A~OFFSET=9~PTR=\tOFFSET~ACTIVE", "<A>", "0>1"},
    {"OffsetCanBeUsedAgain", "A~OFFSET=3~PTR=OFFSET~PTR++~PTR=OFFSET~ACTIVE", "<A>", "3>1"},
    {"LeadingBlankMakesKeywordUnknown", "A~ ACTIVE", "<A>", "",
     "1: unrecognised directive \" ACTIVE\""},
    {"TrailingBlankAfterKeyword", "A~ACTIVE ~ ", "<A>", "0>1", "1: unrecognised directive \"\""},
    {"TabInKeywordMakesItUnknown", "A~PTR\t=5~ACTIVE", "<A>", "0>1",
     "1: unrecognised directive \"PTR\t\""},
    {"KeywordIsCaseSensitive", "A~ptr=5~ACTIVE", "<A>", "0>1", "1: unrecognised directive \"ptr\""},
    {"LongKeywordCut", "A~" + QByteArray(100, 'K'), "<A>", "",
     "1: unrecognised directive \"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK...\""},
    {"PtrWithoutEquals", "A~PTR=3~PTR~ACTIVE", "<A>", "3>1", "1: directive \"PTR\" needs a value"},
    {"PtrWithTwoEquals", "A~PTR=3~PTR=5=6~ACTIVE", "<A>", "3>1",
     "1: directive \"PTR\" has more than one \"=\""},
    {"PtrEmptyValueIsZero", "A~PTR=3~PTR=~ACTIVE", "<A>", "0>1"},
    {"PtrPlusEmptyValueKeeps", "A~PTR=3~PTR+=~ACTIVE", "<A>", "3>1"},
    {"EmptyDirectivesDoNothing", "A~~PTR=6~~ACTIVE~", "<A>", "6>1"},
    {"HalvesRoundToEven", "A~PTR=2.5~ACTIVE~PTR=3.5~ACTIVE~OFFSET=7.5~PTR=OFFSET~ACTIVE", "<A>",
     "2>1 4>1 8>1"},
    {"SumRoundedAfterAdding", "A~PTR=1~PTR+=1.5~ACTIVE~PTR=2~PTR-=0.5~ACTIVE", "<A>", "2>1"},
    // The usual shapes of directives, and near misses that must take the same way as any other.
    {"WholeNumbersUpToNineDigitsAndBeyond",
     "A~PTR=123456789~PTR-=123456780~ACTIVE~PTR=0000000007~ACTIVE~PTR=9999999999~ACTIVE", "<A>",
     "7>1 9>1", "1: \"PTR\" ignored: pointer would leave the 32-bit range"},
    {"ShapesEndOnlyAtTildeOrLineEnd",
     "A~PTR=5\n~ACTIVE\r\nB~PTR+=2 ~ACTIVE\r\nC~PTR--x~ACTIVEx\rD~OFFSET=4\t~PTR=OFFSET~ACTIVE",
     "<A>,<B>,<C>,<D>", "4>4 5>1 7>2",
     "3: unrecognised directive \"PTR--x\"\n3: unrecognised directive \"ACTIVEx\""},
    {"ShapesAtLineAndTextEnds",
     "A~PTR=3~ACTIVE\rB~PTR++\r\n~ACTIVE\r\n~PTR+=4\r~ACTIVE\r\n~PTR-=1\r~ACTIVE", "<A>,<B>",
     "3>1 4>2 7>2 8>2"},
    {"LongFieldsReadWhole",
     "An entry text past sixteen bytes\tan ignored field past sixteen bytes~PTR=2~ACTIVE\r\n"
     "\tA child with a \0 in it, also long~PTR++~ACTIVE"_ba,
     "<An entry text past sixteen bytes>(<A child with a \0 in it, also long>)"sv, "2>1 3>2"},
    // Decided: cases the format leaves open are ignored, leaving the state as it was.
    {"ActiveOutsideMapIgnored", "A~PTR=32768~ACTIVE~PTR=-1~ACTIVE~PTR=32767~ACTIVE", "<A>",
     "32767>1",
     "1: ACTIVE with pointer 32768 outside 0..32767\n1: ACTIVE with pointer -1 outside 0..32767"},
    {"OffsetOutsideInt16Ignored",
     "A~OFFSET=5~OFFSET=32768~OFFSET=-32769~PTR=OFFSET~ACTIVE~OFFSET=-32768~PTR=OFFSET~PTR+=32768~"
     "ACTIVE~OFFSET=32767~PTR=OFFSET~ACTIVE",
     "<A>", "0>1 5>1 32767>1",
     "1: OFFSET 32768 outside -32768..32767 ignored\n"
     "1: OFFSET -32769 outside -32768..32767 ignored"},
    {"PointerLeavingInt32Ignored",
     "A~PTR=2147483647~PTR++~PTR-=2147483647~PTR+=-2147483648~PTR--~PTR+=2147483648~ACTIVE", "<A>",
     "0>1",
     "1: \"PTR++\" ignored: pointer would leave the 32-bit range\n"
     "1: \"PTR--\" ignored: pointer would leave the 32-bit range"},
    {"HugeNumberIgnored", "A~PTR=3~PTR+=" + QByteArray(2'000'000, '7') + "~ACTIVE", "<A>", "3>1",
     "1: \"PTR+\" ignored: pointer would leave the 32-bit range"},
};

INSTANTIATE_TEST_SUITE_P(Rows, ControlParseRows, testing::ValuesIn(kParseRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlParser, DiagnosticsAreCapped)
{
    const Parsed p = parse(QByteArray(5000, '~').replace("~", "~X"));
    ASSERT_EQ(p.result.diagnostics.size(), 1001u);
    EXPECT_EQ(p.result.diagnostics.back().message, "further diagnostics not listed");
}

// Decided: entries past the 32767th are not created; directives still apply to the last one.
TEST(ControlParser, EntriesBeyondTheLimitAreNotCreated)
{
    QByteArray file;
    for (int k = 1; k <= kMaxEntries; ++k)
        file += "E~PTR++~ACTIVE\r\n";
    const Parsed over = parse(file + "Over\r\n~PTR=5~ACTIVE\r\n\tChild");
    EXPECT_TRUE(over.result.truncated);
    ASSERT_EQ(over.set->entryCount(), kMaxEntries);
    EXPECT_EQ(over.set->PointerToNode(5), kMaxEntries);
    EXPECT_EQ(diagnosticText(over.result), "32768: no entry: the set already holds 32767 entries\n"
                                           "32770: no entry: the set already holds 32767 entries");
    expectConsistentMaps(*over.set);
}

// Far beyond what a description file holds: parsed whole, without a crash or a hang.
TEST(ControlParser, TenThousandLevelsNest)
{
    QByteArray file;
    for (int k = 0; k < 10000; ++k)
        file += QByteArray(k, '\t') + "Level\r\n";
    const Parsed p = parse(file);
    ASSERT_EQ(p.set->entryCount(), 10000);
    EXPECT_EQ(p.set->entry(10000).depth, 9999);
    EXPECT_EQ(p.set->entry(10000).parent, 9999);
}

// Every byte but the separators is text, one character each, in Windows-1252.
TEST(ControlParser, EveryByteValueIsText)
{
    QByteArray line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\t' && b != '~')
            line += char(b);
    const Parsed p = parse(line + "~PTR=9~ACTIVE\r\n");
    ASSERT_EQ(p.set->entryCount(), 1);
    const QString text = p.set->entry(1).text();
    EXPECT_EQ(text.size(), 253);
    EXPECT_EQ(text.at(0), QChar(0));
    EXPECT_EQ(text.at(0x80 - 3), QChar(0x20AC)); // three separators stand before 0x80
    EXPECT_EQ(p.set->PointerToNode(9), 1);
}

struct FileRow
{
    const char* name;
    const char* content; // nullptr: no file
    const char* error;   // after the path
    const char* tree;
    const char* pointers;
};

using LoadControlSetRows = ::testing::TestWithParam<FileRow>;

// A file that cannot be read leaves the set empty and unloaded, with the path and the reason.
TEST_P(LoadControlSetRows, ReadsTheFileOrSaysWhyNot)
{
    const FileRow& row = GetParam();
    const test::TestFolder folder;
    const QString path = folder.filePath("aes3loopcontrols.txt");
    if (row.content)
        folder.write("aes3loopcontrols.txt", row.content);
    ControlSet set;
    const ControlFileResult result = LoadControlSet(set, path);
    const bool opened = *row.error == '\0';
    EXPECT_EQ(result.opened, opened);
    EXPECT_EQ(set.loaded, opened);
    EXPECT_EQ(result.error, opened ? QString() : path + row.error);
    EXPECT_EQ(treeText(set, set.roots()), row.tree);
    EXPECT_EQ(pointerText(set), row.pointers);
    expectConsistentMaps(set);
}

const FileRow kFileRows[] = {
    {"ReadsTheFile", "Faders\r\n\tFader 1~PTR=16~ACTIVE", "", "<Faders>(<Fader 1>)", "16>2"},
    {"EmptyFile", "", "", "", ""},
    {"MissingFile", nullptr, ": No such file or directory", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Files, LoadControlSetRows, testing::ValuesIn(kFileRows),
                         [](const auto& info) { return std::string(info.param.name); });

const char kFile[] = "Faders\r\n\tFader \x80 1  \r\n\tFader 2\r\n";

// Texts stay the file's bytes until a view asks; what the caller does with its buffer
// afterwards must not reach them.
TEST(EntryTexts, OutliveChangesToTheCallersBytes)
{
    QByteArray shared(kFile);
    QByteArray foreign(kFile);
    const QByteArray wrapped = QByteArray::fromRawData(foreign.constData(), foreign.size());
    ControlSet fromShared;
    ControlSet fromWrapped;
    parseControlDescription(shared, fromShared);
    parseControlDescription(wrapped, fromWrapped);
    shared.fill('x');
    std::memset(foreign.data(), 'x', std::size_t(foreign.size()));

    for (const ControlSet* set : {&fromShared, &fromWrapped}) {
        ASSERT_EQ(set->entryCount(), 3);
        EXPECT_EQ(set->textBytes(2).toByteArray(), QByteArray("Fader \x80 1"));
        EXPECT_EQ(set->text(2), QString::fromUtf8("Fader \xE2\x82\xAC 1"));
        EXPECT_EQ(set->entry(3).text(), QStringLiteral("Fader 2"));
    }
}

TEST(EntryTexts, MovingASetKeepsTextsAndChildren)
{
    auto set = std::make_unique<ControlSet>();
    parseControlDescription(QByteArray(kFile), *set);
    set->appendChild(1, QStringLiteral("Fader 3"));
    const ControlSet moved = std::move(*set);
    set.reset();

    ASSERT_EQ(moved.entry(1).children.size(), 3u);
    EXPECT_EQ(moved.text(moved.entry(1).children[0]), QString::fromUtf8("Fader \xE2\x82\xAC 1"));
    EXPECT_EQ(moved.text(moved.entry(1).children[2]), QStringLiteral("Fader 3"));
}

// Texts built by hand are kept as the file would hold them.
TEST(EntryTexts, HandBuiltTextsAreWindows1252)
{
    ControlSet set;
    const int root = set.appendRoot(QString::fromUtf8("Fader \xE2\x82\xAC \xC3\xA9"));
    set.appendChild(root, QString::fromUtf8("Check \xE2\x9C\x93 \xF0\x9F\x8E\x9A"));
    EXPECT_EQ(set.textBytes(1).toByteArray(), QByteArray("Fader \x80 \xE9"));
    EXPECT_EQ(set.text(1), QString::fromUtf8("Fader \xE2\x82\xAC \xC3\xA9"));
    EXPECT_EQ(set.text(2), QStringLiteral("Check ? ??"));
    // Every byte comes back as itself, so a text the program writes keeps the file's bytes.
    QByteArray bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(bytes)), bytes);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberRow
{
    const char* name;
    QByteArray value;
    double expected;
};

using LeadingNumber = ::testing::TestWithParam<NumberRow>;

TEST_P(LeadingNumber, ReadsTheLeadingNumber)
{
    EXPECT_EQ(leadingNumber(GetParam().value), GetParam().expected);
}

const NumberRow kNumberRows[] = {
    {"Empty", "", 0},
    {"NoDigit", "abc", 0},
    {"BlanksBetweenDigits", " 1 2", 12},
    {"TabsAndLineFeedsSkipped", "\t-\n3 ", -3},
    {"DoubleSign", "--1", 0},
    {"Fraction", "+2.5", 2.5},
    {"FractionWithoutIntegerPart", ".5", 0.5},
    {"PointOnly", ".", 0},
    {"SecondPointEnds", "1.2.3", 1.2},
    {"ExponentWithSign", "1E+2", 100},
    {"NegativeExponent", "25e-1", 2.5},
    {"ExponentWithoutDigitsEndsBeforeE", "7e-x", 7},
    {"DIsNoExponent", "1D2", 1},
    // Decided: the "&H" and "&O" forms are not numbers.
    {"HexFormNotAccepted", "&H10", 0},
    {"HighBytesAreNotDigits", "\xFF\x35", 0}, // 0xFF, '5'
    {"Overflow", "-1e400", -kInf},
    {"Underflow", "1e-999", 0},
    {"HugeExponentDigits", "1e99999999999999999999999", kInf},
    {"ManyLeadingFractionZeros", "0." + QByteArray(400, '0') + "1e401", 1},
    // 2^53 + 1 lies halfway between two doubles: only the far non-zero digit decides.
    {"HalfwayRoundsToEven", "9007199254740993", 9007199254740992.0},
    {"DigitsFarBeyondStillRound", "9007199254740993." + QByteArray(900, '0') + "1",
     9007199254740994.0},
    // Digits beyond what a double needs are not kept, so these convert quickly.
    {"AMillionDigits", QByteArray(1'000'000, '9'), kInf},
    {"AMillionLeadingZeros", "0." + QByteArray(1'000'000, '0') + "5e1000001", 5},
    // The usual short forms take a quicker way that must round the same.
    {"FractionAmongBlanks", " 12345.4 ", 12345.4},
    {"FifteenDigits", "-12345678.9012345", -12345678.9012345},
    {"SixteenDigits", "1234567890.123456", 1234567890.123456},
    {"BlankAfterThePoint", "1. 5", 1.5},
    {"NegativeZeroFraction", "-0.000", 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, LeadingNumber, testing::ValuesIn(kNumberRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct WholeRow
{
    const char* name;
    QByteArray value;
    std::optional<std::int32_t> expected;
};

using LeadingWholeNumber = ::testing::TestWithParam<WholeRow>;

// Where it answers, it answers as leadingNumber does.
TEST_P(LeadingWholeNumber, AnswersOnlyForPlainWholeNumbers)
{
    const auto whole = leadingWholeNumber(GetParam().value);
    EXPECT_EQ(whole, GetParam().expected);
    if (whole) {
        EXPECT_EQ(double(*whole), leadingNumber(GetParam().value));
    }
}

const WholeRow kWholeRows[] = {
    {"Digits", "16", 16},
    {"SignAndBlanks", " \t-3 \n", -3},
    {"PlusSign", "+7", 7},
    {"NineDigits", "-999999999", -999999999},
    {"TrailingLetters", "12abc", 12},
    {"TenDigits", "1234567890", std::nullopt},
    {"Fraction", "2.5", std::nullopt},
    {"BlankBetweenDigits", "1 2", std::nullopt},
    {"Exponent", "5 e2", std::nullopt},
    {"NoDigit", "OFFSET", std::nullopt},
    {"SignOnly", "-", std::nullopt},
    {"Empty", "", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, LeadingWholeNumber, testing::ValuesIn(kWholeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    const double cases[][2] = {
        {2.5, 2},       {3.5, 4},   {-2.5, -2},   {-3.5, -4},
        {2.4999999, 2}, {-1.2, -1}, {kInf, kInf}, {4503599627370497.0, 4503599627370497.0},
        {-7, -7},       {0.5, 0},   {1.5, 2},     {4503599627370495.5, 4503599627370496.0}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

} // namespace
} // namespace tarn

#include "CliTestSupport.h"
#include "model/CompressorFile.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// The studio with a few assignments that each show differently.
void saveShowcase(const TestFolder& folder)
{
    saveStudio(folder, [](ConfigModel& model) {
        model.setSlot(0, 4, 11, 0, 17);  // Fader 2
        model.setSlot(0, 4, 11, 2, 400); // names no control
        model.setLoopPointer(0, 2, 300);
        model.setMeter(2, 100);
        model.setMeter(3, 95);
        model.setCompressor(CompressorWord::Hold, 500);
    });
}

// The line of `text` that starts with `start`; empty when none does.
QString lineStartingWith(const QString& text, const QString& start)
{
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(start))
            return line;
    }
    return {};
}

// Cells of a shown table row: texts separated by two or more blanks.
QStringList cells(const QString& line)
{
    return line.split(QRegularExpression(QStringLiteral("\\s{2,}")));
}

TEST(ShowCommand, ShowsWhatTheEditorShowsAfterStartUp)
{
    const TestFolder folder;
    saveShowcase(folder);
    const RunResult result = runTarnctl({"show", folder.path()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString& out = result.out;

    EXPECT_TRUE(out.contains(QString::fromUtf16(u"AES3 MIX output 05 | R\u00e9gie\n")));
    EXPECT_EQ(cells(lineStartingWith(out, "MIX INPUTS")),
              (QStringList{"MIX INPUTS", "CONTROL A", "CONTROL B", "CONTROL C", "CONTROL D"}));
    // IP inputs have other names, so these are the 32 AES3 tables; output 5 is the fifth.
    const QStringList inputLines = out.split(u'\n').filter(QRegularExpression("^ 12 \\| Mic 12 "));
    ASSERT_EQ(inputLines.size(), 32);
    EXPECT_EQ(cells(inputLines[4]), (QStringList{" 12 | Mic 12", "Fader 2 [17]", "0dB [73]",
                                                 "----INVALID---- [400]", "0dB [73]"}));
    EXPECT_EQ(cells(inputLines[0]),
              (QStringList{" 12 | Mic 12", "MUTE [0]", "0dB [73]", "0dB [73]", "0dB [73]"}));
    // Inputs 41..64 carry the names of outputs 9..32.
    EXPECT_FALSE(lineStartingWith(out, " 41 | PGM 9 ").isEmpty());

    EXPECT_EQ(cells(lineStartingWith(out, " 03 | Studio, left")),
              (QStringList{" 03 | Studio, left", "Loop gain [300]"}));
    EXPECT_EQ(cells(lineStartingWith(out, " 03 | IFB 3")), (QStringList{" 03 | IFB 3", "Off [0]"}));
    EXPECT_EQ(cells(lineStartingWith(out, "Meter 03")),
              (QStringList{"Meter 03", "DISABLED [100]"}));
    EXPECT_EQ(lineStartingWith(out, "Meter 04"), "Meter 04  MIX OUPUT 32 : PGM 32 [95]");
    EXPECT_EQ(lineStartingWith(out, "Meter 01"), "Meter 01  MIX INPUT  25 : Mic 25 [24]");
    // Hold 500 shows position 1, and the spinner's change stores 480.
    EXPECT_EQ(cells(lineStartingWith(out, "Hold (ms)")), (QStringList{"Hold (ms)", "1 [480]"}));
    EXPECT_EQ(cells(lineStartingWith(out, "Threshold (dBFS)")),
              (QStringList{"Threshold (dBFS)", "-30 [-30]"}));
    EXPECT_EQ(lineStartingWith(out, " 104:"),
              " 104:  227566  231975  236469  241050  245720  250480  255333  260279");
}

struct SelectionCase
{
    const char* name;
    QStringList options;
    int outputTables;
    QStringList present;
    QStringList absent;
};

void PrintTo(const SelectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class ShowSelection : public ::testing::TestWithParam<SelectionCase>
{
};

TEST_P(ShowSelection, ShowsOnlyTheChosenPart)
{
    const SelectionCase& c = GetParam();
    const TestFolder folder;
    saveShowcase(folder);
    const RunResult result = runTarnctl(QStringList{"show", folder.path()} + c.options);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.count(QRegularExpression("^(AES3|IP) MIX output ",
                                                  QRegularExpression::MultilineOption)),
              c.outputTables);
    for (const QString& text : c.present)
        EXPECT_TRUE(result.out.contains(text)) << text.toStdString();
    for (const QString& text : c.absent)
        EXPECT_FALSE(result.out.contains(text)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, ShowSelection,
    ::testing::Values(
        SelectionCase{"Everything",
                      {},
                      64,
                      {"IP MIX output 32 | IP out 32\n", "DC LOOPS: AES3 LOOPS\n",
                       "DC LOOPS: IP LOOPS\n", "METERS\n", "COMPRESSOR\n", "Reserved words\n"},
                      {}},
        SelectionCase{"OneMixer",
                      {"--mixer", "ip"},
                      32,
                      {"IP MIX output 01 | IP out 1\n", "DC LOOPS: IP LOOPS\n"},
                      {"AES3", "METERS", "COMPRESSOR"}},
        SelectionCase{
            "MixerNameInCapitals", {"--mixer", "AES3"}, 32, {"DC LOOPS: AES3 LOOPS"}, {"IP"}},
        SelectionCase{"OneOutputOfBothMixers",
                      {"--output", "32"},
                      2,
                      {"AES3 MIX output 32 | PGM 32\n", "IP MIX output 32 | IP out 32\n"},
                      {"LOOPS", "METERS", "COMPRESSOR"}},
        SelectionCase{"OneOutputOfOneMixer",
                      {"--mixer", "aes3", "--output", "5"},
                      1,
                      {QString::fromUtf16(u"AES3 MIX output 05 | R\u00e9gie\n")},
                      {"IP MIX", "LOOPS"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

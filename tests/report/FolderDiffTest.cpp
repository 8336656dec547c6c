#include "report/FolderDiff.h"

#include "StudioFolder.h"
#include "app/LoadSequence.h"

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

struct DiffCase
{
    const char* name;
    std::function<void(ConfigModel&)> editA, editB;
    std::function<void(const TestFolder& a, const TestFolder& b)> spoil;
    QString differences; // one line each, in the order diff lists them
};

using FolderDiffTest = ::testing::TestWithParam<DiffCase>;

TEST_P(FolderDiffTest, ListsWhatTheEditorHoldsDifferently)
{
    const DiffCase& c = GetParam();
    const TestFolder a, b;
    saveStudio(a, c.editA);
    saveStudio(b, c.editB);
    if (c.spoil)
        c.spoil(a, b);
    QString lines;
    for (const Difference& difference : diffFolders(*loadAsTarnctl(a), *loadAsTarnctl(b)))
        lines += difference.text + u'\n';
    EXPECT_EQ(lines, c.differences);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderDiffTest,
    ::testing::Values(
        DiffCase{"Equal", {}, {}, {}, {}},
        DiffCase{"NamesAndEachSidesTexts", [](ConfigModel& m) { m.setSlot(1, 2, 3, 0, 80); },
                 [](ConfigModel& m) {
                     m.setSlot(0, 4, 11, 1, 17);
                     m.setSlot(0, 0, 0, 3, 400);
                     m.setLoopPointer(1, 2, 300);
                     m.setMeter(3, 70);
                     m.setCompressorWord(17, 42000);
                 },
                 // B calls input 12 otherwise, and its IP set calls pointer 0 otherwise and
                 // lacks 80. Bytes a start-up settles to what the other side holds are equal.
                 [](const TestFolder& a, const TestFolder& b) {
                     b.write("aes3inputs.txt",
                             b.read("aes3inputs.txt").replace("Mic 12\r\n", "Guest 12\r\n"));
                     b.write("ipcontrols.txt", "Muted~ACTIVE\r\n0 dB~PTR=73~ACTIVE\r\n");
                     patch(a, "compressor.trn", 1028, "F4 01 00 00"); // hold 500, held as 480
                     patch(a, "ipmix.trn", 16384 + 4, "FF FF FF FF"); // loop 2 -1, held as 0
                     patch(b, "compressor.trn", 1028, "E0 01 00 00"); // hold 480
                 },
                 QString::fromUtf16(
                     u"AES3 output 1 \"PGM 1\", input 1 \"Mic 1\", CONTROL D: 73 \"0dB\" -> 400 "
                     u"----INVALID----\n"
                     u"AES3 output 5 \"R\u00e9gie\", input 12 \"Mic 12\" / \"Guest 12\", CONTROL "
                     u"B: 73 \"0dB\" -> 17 \"Fader 2\"\n"
                     u"IP output 3 \"IP out 3\", input 4 \"IP in 4\", CONTROL A: 80 \"Gain +6\" "
                     u"-> 0 \"Muted\"\n"
                     u"IP loop 3 \"IFB 3\": 0 \"Off\" -> 300 \"IFB on\"\n"
                     u"Meter 04: 27 \"MIX INPUT  28 : Mic 28\" -> 70 \"MIX OUPUT 07 : PGM 7\"\n"
                     u"compressor gainTable[17]: 42866 -> 42000\n")},
        DiffCase{"CompressorParametersAndTheLastReservedWord",
                 [](ConfigModel& m) { m.setCompressorWord(kCompressorWordCount - 1, 5); },
                 [](ConfigModel& m) {
                     m.setCompressorWord(kCompressorWordCount - 1, -5);
                     m.setCompressorWord(kReservedFirstWord, 1);
                     m.setCompressor(CompressorWord::Threshold, -20);
                 },
                 {},
                 "compressor threshold: -30 -> -20\n"
                 "compressor reserved[0]: 0 -> 1\n"
                 "compressor reserved[58]: 5 -> -5\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

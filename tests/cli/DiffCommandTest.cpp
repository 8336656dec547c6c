#include "CliTestSupport.h"
#include "model/CompressorFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

TEST(DiffCommand, ListsEachDifferenceWithNamesAndBothControlTexts)
{
    const TestFolder a;
    saveStudio(a);
    const TestFolder b;
    saveStudio(b, [](ConfigModel& model) {
        model.setSlot(0, 4, 11, 1, 17);
        model.setSlot(0, 0, 0, 3, 400);
        model.setLoopPointer(1, 2, 300);
        model.setMeter(3, 70);
        model.setCompressorWord(17, 42000);
    });
    // B calls input 12 by another name.
    b.write("aes3inputs.txt", b.read("aes3inputs.txt").replace("Mic 12\r\n", "Guest 12\r\n"));

    const RunResult result = runTarnctl({"diff", a.path(), b.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              QString::fromUtf16(
                  u"AES3 output 1 \"PGM 1\", input 1 \"Mic 1\", CONTROL D: 73 \"0dB\" -> 400 "
                  u"----INVALID----\n"
                  u"AES3 output 5 \"R\u00e9gie\", input 12 \"Mic 12\" / \"Guest 12\", CONTROL B: "
                  u"73 \"0dB\" -> 17 \"Fader 2\"\n"
                  u"IP loop 3 \"IFB 3\": 0 \"Off\" -> 300 \"IFB on\"\n"
                  u"Meter 04: 27 \"MIX INPUT  28 : Mic 28\" -> 70 \"MIX OUPUT 07 : PGM 7\"\n"
                  u"compressor gainTable[17]: 42866 -> 42000\n"));
}

TEST(DiffCommand, EachSideShowsItsOwnControlTexts)
{
    const TestFolder a;
    saveStudio(a, [](ConfigModel& model) { model.setSlot(1, 2, 3, 0, 80); });
    const TestFolder b;
    saveStudio(b);
    // In B the IP set calls pointer 0 otherwise and lacks pointer 80 altogether.
    b.write("ipcontrols.txt", "Muted~ACTIVE\r\n0 dB~PTR=73~ACTIVE\r\n");

    const RunResult result = runTarnctl({"diff", a.path(), b.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "IP output 3 \"IP out 3\", input 4 \"IP in 4\", CONTROL A: 80 \"Gain "
                          "+6\" -> 0 \"Muted\"\n");
}

TEST(DiffCommand, EqualFoldersGiveNoOutput)
{
    const TestFolder a;
    saveStudio(a);
    const TestFolder b;
    saveStudio(b);
    const RunResult result = runTarnctl({"diff", a.path(), b.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

// Bytes that a start-up settles to the same configuration are not differences.
TEST(DiffCommand, ComparesWhatTheEditorHoldsNotTheBytes)
{
    const TestFolder a;
    saveStudio(a);
    patch(a, "compressor.trn", 1028, "F4 01 00 00"); // hold 500, held as 480
    patch(a, "ipmix.trn", 16384 + 4, "FF FF FF FF"); // loop 2 pointer -1, held as 0
    const TestFolder b;
    saveStudio(b);
    patch(b, "compressor.trn", 1028, "E0 01 00 00"); // hold 480
    const RunResult result = runTarnctl({"diff", a.path(), b.path()});
    EXPECT_EQ(result.exitCode, 0) << result.out.toStdString();
    EXPECT_EQ(result.out, "");
}

} // namespace
} // namespace tarn::test

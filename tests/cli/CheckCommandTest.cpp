#include "CliTestSupport.h"

#include <functional>

#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// Each case starts from a clean saved studio and spoils it in one way.
struct CheckCase
{
    const char* name;
    std::function<void(const TestFolder&)> spoil;
    QStringList expectedLines;
    const char* summary;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class CheckCommand : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(CheckCommand, ListsFindingsAndCountsThem)
{
    const CheckCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder);
    if (c.spoil)
        c.spoil(folder);

    const RunResult result = runTarnctl({"check", folder.path()});
    EXPECT_EQ(result.err, "");
    QStringList lines = result.out.split(u'\n');
    ASSERT_EQ(lines.takeLast(), "") << "output ends with a line break";
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.takeLast(), c.summary);
    for (const QString& expected : c.expectedLines)
        EXPECT_TRUE(lines.contains(expected))
            << "missing line: " << expected.toStdString() << "\nin:\n"
            << result.out.toStdString();
    const bool clean = QString(c.summary) == "0 invalid assignments, 0 anomalies";
    EXPECT_EQ(result.exitCode, clean ? 0 : 1);
    EXPECT_EQ(lines.isEmpty(), clean);
}

void remove(const TestFolder& folder, const QStringList& names)
{
    for (const QString& name : names)
        ASSERT_TRUE(QFile::remove(folder.filePath(name))) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tarnctl, CheckCommand,
    ::testing::Values(
        CheckCase{"CleanSavedFolder", {}, {}, "0 invalid assignments, 0 anomalies"},
        CheckCase{"FreshFolder",
                  [](const TestFolder& f) {
                      remove(f, {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"});
                  },
                  {"aes3mix.trn: missing: a start-up creates it empty and uses the defaults",
                   "ipmix.trn: missing: a start-up creates it empty and uses the defaults",
                   "aes3meters.trn: missing: a start-up creates it empty and uses the defaults",
                   "compressor.trn: missing: a start-up creates it empty and uses the defaults"},
                  "0 invalid assignments, 4 anomalies"},
        CheckCase{"EmptyMixFile",
                  [](const TestFolder& f) { f.write("ipmix.trn", {}); },
                  {"ipmix.trn: 0 bytes instead of 16416: a start-up uses the defaults"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"OlderMixLayout",
                  [](const TestFolder& f) { f.write("aes3mix.trn", QByteArray(8192, '\0')); },
                  {"aes3mix.trn: older 8192-byte layout: slots C and D read as 73, no loops; a "
                   "save writes the 16416-byte layout"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"ShortMixFile",
                  [](const TestFolder& f) { f.write("ipmix.trn", QByteArray(100, '\0')); },
                  {"ipmix.trn: 100 bytes instead of 16416: the rest of the image reads as 0"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"LongMixFile",
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", f.read("aes3mix.trn") + QByteArray(3584, 'x'));
                  },
                  {"aes3mix.trn: 20000 bytes instead of 16416: the last 3584 are not read, and "
                   "every save keeps them"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"MeterFileOfOtherLength",
                  [](const TestFolder& f) { f.write("aes3meters.trn", QByteArray(17, '\0')); },
                  {"aes3meters.trn: 17 bytes instead of 16: a start-up uses the defaults"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"CompressorFileOfOtherLength",
                  [](const TestFolder& f) { f.write("compressor.trn", QByteArray(1279, '\0')); },
                  {"compressor.trn: 1279 bytes instead of 1280: a start-up uses the defaults"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"MeterByteNamingNoSource",
                  [](const TestFolder& f) { patch(f, "aes3meters.trn", 2, "64"); },
                  {"aes3meters.trn: Meter 03: byte 100 names no source: shown as DISABLED and "
                   "kept"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"CompressorValuesClamped",
                  [](const TestFolder& f) {
                      patch(f, "compressor.trn", 1024, "09 00 00 00 70 11 01 00");
                      patch(f, "compressor.trn", 1040, "05 00 00 00");
                  },
                  {"compressor.trn: attack 9 is held as 7",
                   "compressor.trn: hold 70000 is held as 48000",
                   "compressor.trn: threshold 5 is held as 0"},
                  "0 invalid assignments, 3 anomalies"},
        CheckCase{"HoldRoundedToASpinnerStep",
                  [](const TestFolder& f) { patch(f, "compressor.trn", 1028, "F4 01 00 00"); },
                  {"compressor.trn: hold 500 is held as 480"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"HoldBelowOneStepIsKept",
                  [](const TestFolder& f) { patch(f, "compressor.trn", 1028, "2C 01 00 00"); },
                  {},
                  "0 invalid assignments, 0 anomalies"},
        CheckCase{"NegativeSlot",
                  [](const TestFolder& f) { patch(f, "ipmix.trn", 12, "FF FF"); },
                  {"ipmix.trn: IP output 1 \"IP out 1\", input 2 \"IP in 2\", CONTROL C: pointer "
                   "-1 is read as 0"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"NegativeLoopWord",
                  [](const TestFolder& f) { patch(f, "ipmix.trn", 16384, "FF FF FF FF"); },
                  {"ipmix.trn: IP loop 1 \"IFB 1\": pointer -1 is outside 0..32767 and read as 0"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"InvalidSlot",
                  [](const TestFolder& f) { patch(f, "aes3mix.trn", 2140, "90 01"); },
                  {QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL C: pointer 400 is invalid")},
                  "1 invalid assignment, 0 anomalies"},
        CheckCase{"LoopBeyondPointerRange",
                  [](const TestFolder& f) { patch(f, "aes3mix.trn", 16392, "00 00 9C 40"); },
                  {"aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is outside 0..32767 "
                   "and read as 0",
                   "aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is invalid"},
                  "1 invalid assignment, 1 anomaly"},
        CheckCase{"ParserDiagnostic",
                  [](const TestFolder& f) {
                      f.write("aes3controls.txt", f.read("aes3controls.txt") + "\t\t\tStray\r\n");
                  },
                  {"aes3controls.txt:6: no entry: depth 3 after depth 0"},
                  "0 invalid assignments, 1 anomaly"},
        CheckCase{"NameListsMissing",
                  [](const TestFolder& f) {
                      remove(f, {"aes3inputs.txt", "iploops.txt"});
                  },
                  {"aes3inputs.txt: missing: inputs 1 to 40 have empty names",
                   "iploops.txt: missing: loop labels show numbers only"},
                  "0 invalid assignments, 2 anomalies"},
        CheckCase{"ControlFileMissing",
                  [](const TestFolder& f) { remove(f, {"iploopcontrols.txt"}); },
                  {"iploopcontrols.txt: missing: every pointer of this set shows as invalid",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 8 \"\": pointer 0 is invalid"},
                  "8 invalid assignments, 1 anomaly"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

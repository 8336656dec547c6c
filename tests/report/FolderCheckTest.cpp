#include "report/FolderCheck.h"

#include "StudioFolder.h"
#include "app/LoadSequence.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// Each case starts from a clean saved studio and spoils it.
struct CheckCase
{
    const char* name;
    std::function<void(ConfigModel&)> edit;
    std::function<void(const TestFolder&)> spoil;
    QStringList findings; // every line, in the order check lists them
};

using FolderCheckTest = ::testing::TestWithParam<CheckCase>;

TEST_P(FolderCheckTest, ListsEveryFindingInLoadOrder)
{
    const CheckCase& c = GetParam();
    const TestFolder folder;
    saveStudio(folder, c.edit);
    if (c.spoil)
        c.spoil(folder);
    QStringList lines;
    for (const Finding& finding : checkFolder(*loadAsTarnctl(folder)))
        lines << finding.lineText();
    EXPECT_EQ(lines, c.findings);
}

void remove(const TestFolder& folder, const QStringList& names)
{
    for (const QString& name : names)
        ASSERT_TRUE(QFile::remove(folder.filePath(name))) << name.toStdString();
}

QString created(const char* name)
{
    return QString(name) + ": missing: a start-up creates it empty and uses the defaults";
}

INSTANTIATE_TEST_SUITE_P(
    Spoiled, FolderCheckTest,
    ::testing::Values(
        CheckCase{"CleanSavedFolder", {}, {}, {}},
        CheckCase{"MissingFiles",
                  {},
                  [](const TestFolder& f) {
                      remove(f, {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn",
                                 "aes3inputs.txt", "ipoutputs.txt", "iploops.txt"});
                  },
                  {"aes3inputs.txt: missing: inputs 1 to 40 have empty names",
                   "ipoutputs.txt: missing: outputs have empty names and inputs 41 to 64 fall "
                   "back to MIXER OUTPUT n",
                   "iploops.txt: missing: loop labels show numbers only", created("aes3mix.trn"),
                   created("ipmix.trn"), created("aes3meters.trn"), created("compressor.trn")}},
        CheckCase{"LengthsThatGiveDefaultsOrATail",
                  {},
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", f.read("aes3mix.trn") + QByteArray(3584, 'x'));
                      f.write("ipmix.trn", {});
                      f.write("aes3meters.trn", QByteArray(17, '\0'));
                      f.write("compressor.trn", QByteArray(1279, '\0'));
                  },
                  {"aes3mix.trn: 20000 bytes instead of 16416: the last 3584 are not read, and "
                   "every save keeps them",
                   "ipmix.trn: 0 bytes instead of 16416: a start-up uses the defaults",
                   "aes3meters.trn: 17 bytes instead of 16: a start-up uses the defaults",
                   "compressor.trn: 1279 bytes instead of 1280: a start-up uses the defaults"}},
        CheckCase{"OlderAndShorterMixLayouts",
                  {},
                  [](const TestFolder& f) {
                      f.write("aes3mix.trn", QByteArray(8192, '\0'));
                      f.write("ipmix.trn", QByteArray(100, '\0'));
                  },
                  {"aes3mix.trn: older 8192-byte layout: slots C and D read as 73, no loops; a "
                   "save writes the 16416-byte layout",
                   "ipmix.trn: 100 bytes instead of 16416: the rest of the image reads as 0"}},
        CheckCase{"ValuesTheStartUpRepairs",
                  {},
                  [](const TestFolder& f) {
                      patch(f, "ipmix.trn", 12, "FF FF");
                      patch(f, "ipmix.trn", 16384, "FF FF FF FF");
                      patch(f, "aes3mix.trn", 16392, "00 00 9C 40");
                      patch(f, "aes3meters.trn", 2, "64");
                      patch(f, "compressor.trn", 1028, "70 11 01 00");
                  },
                  {"aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is outside "
                   "0..32767 and read as 0",
                   "aes3mix.trn: AES3 loop 3 \"Studio, left\": pointer 40000 is invalid",
                   "ipmix.trn: IP output 1 \"IP out 1\", input 2 \"IP in 2\", CONTROL C: "
                   "pointer -1 is read as 0",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer -1 is outside 0..32767 and read as 0",
                   "aes3meters.trn: Meter 03: byte 100 names no source: shown as DISABLED and "
                   "kept",
                   "compressor.trn: hold 70000 is held as 48000"}},
        // Invalid slots by output, input and slot, whatever order the file holds them in.
        CheckCase{"InvalidSlotsInPlaceOrderAndParserDiagnostic",
                  [](ConfigModel& m) {
                      m.setSlot(0, 4, 11, 2, 400);
                      m.setSlot(0, 4, 11, 0, 401);
                      m.setSlot(0, 4, 12, 0, 402);
                      m.setSlot(0, 3, 63, 3, 403);
                      m.setSlot(1, 0, 0, 0, 17);
                  },
                  [](const TestFolder& f) {
                      f.write("aes3controls.txt", f.read("aes3controls.txt") + "\t\t\tStray\r\n");
                  },
                  {"aes3controls.txt:6: no entry: depth 3 after depth 0",
                   "aes3mix.trn: AES3 output 4 \"PGM 4\", input 64 \"PGM 32\", CONTROL D: "
                   "pointer 403 is invalid",
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL A: pointer 401 is invalid"),
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 12 "
                                      u"\"Mic 12\", CONTROL C: pointer 400 is invalid"),
                   QString::fromUtf16(u"aes3mix.trn: AES3 output 5 \"R\u00e9gie\", input 13 "
                                      u"\"Mic 13\", CONTROL A: pointer 402 is invalid"),
                   "ipmix.trn: IP output 1 \"IP out 1\", input 1 \"IP in 1\", CONTROL A: "
                   "pointer 17 is invalid"}},
        CheckCase{"ControlFileMissing",
                  {},
                  [](const TestFolder& f) { remove(f, {"iploopcontrols.txt"}); },
                  {"iploopcontrols.txt: missing: every pointer of this set shows as invalid",
                   "ipmix.trn: IP loop 1 \"IFB 1\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 2 \"IFB 2\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 3 \"IFB 3\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 4 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 5 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 6 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 7 \"\": pointer 0 is invalid",
                   "ipmix.trn: IP loop 8 \"\": pointer 0 is invalid"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test

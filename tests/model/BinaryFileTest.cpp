#include "editors/CompressorEditor.h"
#include "model/CompressorFile.h"
#include "model/MeterFile.h"
#include "model/MixFile.h"

#include <cmath>
#include <set>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// A control set that has entries for exactly these pointers.
PointerHasEntry setWithPointers(std::initializer_list<int> pointers)
{
    return [known = std::set<int>(pointers)](int pointer) {
        return known.count(pointer) > 0;
    };
}

QByteArray le16(int value)
{
    const auto u = static_cast<quint16>(value);
    QByteArray bytes(2, '\0');
    bytes[0] = static_cast<char>(u & 0xFF);
    bytes[1] = static_cast<char>(u >> 8);
    return bytes;
}

TEST(MixFile, LegacyLayoutCopiesSlotsAAndBAndSetsCAndDToUnity)
{
    QByteArray legacy(kLegacyMixFileSize, '\0');
    legacy.replace(0, 4, QByteArray::fromHex("05000700"));
    // Output 1, input 2 sits at 256 + 8 in the older layout.
    legacy.replace(256 + 8, 4, le16(-3) + le16(1000));
    ASSERT_EQ(legacy.size(), kLegacyMixFileSize);
    ConfigModel model;
    applyMixFileBytes(model, 0, legacy);
    EXPECT_EQ(model.slot(0, 0, 0, 0), 5);
    EXPECT_EQ(model.slot(0, 0, 0, 1), 7);
    EXPECT_EQ(model.slot(0, 0, 0, 2), 73);
    EXPECT_EQ(model.slot(0, 0, 0, 3), 73);
    EXPECT_EQ(model.slot(0, 1, 2, 0), -3);
    EXPECT_EQ(model.slot(0, 1, 2, 1), 1000);
    EXPECT_EQ(model.mixImage(0).mid(kLoopWordsOffset), QByteArray(32, '\0'));
}

TEST(MixFile, ShorterFileFillsWhatItHasAndLongerFileOnlyTheImage)
{
    ConfigModel model;
    applyMixFileBytes(model, 0, QByteArray(3, '\x11'));
    EXPECT_EQ(model.mixImage(0).left(4), QByteArray::fromHex("11111100"));

    QByteArray longer(kMixImageSize + 10, '\x22');
    applyMixFileBytes(model, 1, longer);
    EXPECT_EQ(model.mixImage(1), QByteArray(kMixImageSize, '\x22'));
}

struct LoopCase
{
    const char* name;
    const char* storedWord; // bytes as in the file
    int pointer;            // held afterwards
    const char* savedWord;
    bool invalid;
};

using LoopCheckTest = ::testing::TestWithParam<LoopCase>;

TEST_P(LoopCheckTest, LoopWordIsReadBigEndianRepairedAndWrittenBack)
{
    const LoopCase& c = GetParam();
    QByteArray file(kMixImageSize, '\0');
    file.replace(kLoopWordsOffset + 4 * 5, 4, QByteArray::fromHex(c.storedWord));
    ConfigModel model;
    applyMixFileBytes(model, 0, file);
    const MixCheck check =
        checkMixSettings(model, 0, setWithPointers({0}), setWithPointers({0, 300}));
    EXPECT_EQ(model.loopAssignment(0, 5), c.pointer);
    EXPECT_EQ(model.mixImage(0).mid(kLoopWordsOffset + 20, 4), QByteArray::fromHex(c.savedWord));
    EXPECT_EQ(check.loopInvalid[5], c.invalid);
    EXPECT_EQ(check.invalidLoops.size(), c.invalid ? 1u : 0u);
}

const LoopCase kLoopCases[] = {
    {"LargestPointerNoEntry", "00007FFF", 32767, "00007FFF", true},
    {"Lowest16BitIsRepairedLikeMinusOne", "FFFF8000", 0, "00000000", false},
    {"Below16BitIsHeldAsZeroAndInvalid", "80000000", 0, "00000000", true},
};

INSTANTIATE_TEST_SUITE_P(Words, LoopCheckTest, ::testing::ValuesIn(kLoopCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeterFile, SixteenBytesAreTakenAndAnyOtherLengthGivesDefaults)
{
    const QByteArray defaults = QByteArray::fromHex("18191A1B1C1D1E1F4858FFFFFFFFFFFF");
    for (const int length : {0, 1, 15, 17, 1024}) {
        ConfigModel model;
        applyMeterFileBytes(model, QByteArray(length, '\x05'));
        EXPECT_EQ(model.meterImage(), defaults) << "length " << length;
    }
    ConfigModel model;
    const QByteArray file = QByteArray::fromHex("000140405F6064FE") + QByteArray(8, '\xFF');
    applyMeterFileBytes(model, file);
    EXPECT_EQ(model.meterImage(), file);
}

// The sixth-decibel scale to within 0.1 %, rising, then the top value to the end.
TEST(CompressorFile, DefaultGainTableFollowsTheSixthDecibelScale)
{
    EXPECT_EQ(kDefaultGainTable[3], 32767);
    for (std::size_t k = 0; k < kDefaultGainTable.size(); ++k) {
        if (k >= 112) {
            EXPECT_EQ(kDefaultGainTable[k], 260285) << k;
            continue;
        }
        const double ideal = 32768.0 * std::pow(10.0, (int(k) - 3) / 120.0);
        EXPECT_NEAR(kDefaultGainTable[k], ideal, ideal * 0.001) << k;
        if (k > 0) {
            EXPECT_GT(kDefaultGainTable[k], kDefaultGainTable[k - 1]) << k;
        }
    }
}

// The defaults are those of an empty file (whose bytes the fresh-folder save checks).
TEST(CompressorFile, WrongLengthGivesDefaultsAndKeepsReservedWords)
{
    ConfigModel fresh;
    applyCompressorFileBytes(fresh, QByteArray());
    for (const int length : {1279, 1281}) {
        ConfigModel model;
        model.setCompressorWord(300, 42);
        applyCompressorFileBytes(model, QByteArray(length, '\x01'));
        EXPECT_EQ(model.compressorImage().left(1200), fresh.compressorImage().left(1200));
        EXPECT_EQ(model.compressorWord(300), 42);
    }
}

struct SettleCase
{
    const char* name;
    CompressorWord word;
    std::int32_t stored;
    int position;
    std::int32_t held;
    int shownBefore = 0; // the Hold spinner's position before the load
};

using CompressorSettleTest = ::testing::TestWithParam<SettleCase>;

TEST_P(CompressorSettleTest, StartupClampsShowsAndRoundsHoldOnlyWhenItsPositionMoves)
{
    const SettleCase& c = GetParam();
    ConfigModel model;
    applyCompressorFileBytes(model, QByteArray()); // defaults
    model.setCompressor(c.word, c.stored);
    CompressorPositions before;
    before[CompressorParam::Hold] = c.shownBefore;
    const CompressorPositions shown = settleCompressor(model, before);
    const auto param = static_cast<CompressorParam>(static_cast<int>(c.word) - 256);
    EXPECT_EQ(shown[param], c.position);
    EXPECT_EQ(model.compressor(c.word), c.held);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CompressorSettleTest,
    ::testing::Values(SettleCase{"AttackAboveRange", CompressorWord::Attack, 9, 7, 7},
                      SettleCase{"AttackBelowRange", CompressorWord::Attack, -4, 0, 0},
                      SettleCase{"HoldRoundedDown", CompressorWord::Hold, 500, 1, 480},
                      SettleCase{"HoldBelowOneStepKept", CompressorWord::Hold, 300, 0, 300},
                      SettleCase{"HoldNegative", CompressorWord::Hold, -20, 0, 0},
                      SettleCase{"HoldFromFullSpinner", CompressorWord::Hold, 480000, 100, 48000},
                      SettleCase{"ThresholdAboveZero", CompressorWord::Threshold, 5, 0, 0},
                      SettleCase{"GainBelowRange", CompressorWord::Gain, -40, -36, -36},
                      SettleCase{"HoldKeptWhileItsPositionStays", CompressorWord::Hold, 24100, 50,
                                 24100, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigModel, ImageSettersCopyOnlyWhatFitsAndKeepTheRest)
{
    ConfigModel model;
    model.setMeterImage(QByteArray(kMeterImageSize, '\x07'));
    model.setMeterImage(QByteArray::fromHex("0102"));
    EXPECT_EQ(model.meterImage(), QByteArray::fromHex("0102") + QByteArray(14, '\x07'));
    model.setCompressorImage(QByteArray(5000, '\x01'));
    EXPECT_EQ(model.compressorImage(), QByteArray(kCompressorImageSize, '\x01'));
}

} // namespace
} // namespace tarn

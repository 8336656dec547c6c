#include "model/ConfigModel.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ConfigModel, StartsZeroFilled)
{
    const ConfigModel model;
    EXPECT_EQ(model.mixImage(0), QByteArray(kMixImageSize, '\0'));
    EXPECT_EQ(model.mixImage(1), QByteArray(kMixImageSize, '\0'));
    EXPECT_EQ(model.meterImage(), QByteArray(kMeterImageSize, '\0'));
    EXPECT_EQ(model.compressorImage(), QByteArray(kCompressorImageSize, '\0'));
    for (int l = 0; l < kLoopCount; ++l)
        EXPECT_EQ(model.loopAssignment(1, l), 0);
}

struct SlotCase
{
    const char* name;
    int output;
    int input;
    int slot;
    int byteOffset;
};

class SlotImageTest : public ::testing::TestWithParam<SlotCase>
{
};

TEST_P(SlotImageTest, SlotIsLittleEndianAtItsOffsetInItsMixerOnly)
{
    const SlotCase& c = GetParam();
    ConfigModel model;
    model.setSlot(1, c.output, c.input, c.slot, 0x1234);
    const QByteArray image = model.mixImage(1);
    EXPECT_EQ(static_cast<unsigned char>(image[c.byteOffset]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(image[c.byteOffset + 1]), 0x12);
    EXPECT_EQ(image.count('\0'), kMixImageSize - 2);
    EXPECT_EQ(model.mixImage(0), QByteArray(kMixImageSize, '\0'));
    EXPECT_EQ(model.slot(1, c.output, c.input, c.slot), 0x1234);
}

INSTANTIATE_TEST_SUITE_P(Offsets, SlotImageTest,
                         ::testing::Values(SlotCase{"First", 0, 0, 0, 0},
                                           SlotCase{"Output0Input1Slot2", 0, 1, 2, 12},
                                           SlotCase{"SecondOutput", 1, 0, 0, 512},
                                           SlotCase{"LastBeforeLoops", 31, 63, 3, 16382}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigModel, LoopPointerKeepsBothFormsAndIsBigEndianInTheImage)
{
    ConfigModel model;
    model.setLoopPointer(1, 2, 300);
    EXPECT_EQ(model.loopAssignment(1, 2), 300);
    EXPECT_EQ(model.mixImage(1).mid(kLoopWordsOffset + 8, 4), QByteArray::fromHex("0000012C"));
}

TEST(ConfigModel, CompressorWordsAreLittleEndian)
{
    ConfigModel model;
    model.setCompressor(CompressorWord::Threshold, -30);
    EXPECT_EQ(model.compressorImage().mid(1040, 4), QByteArray::fromHex("E2FFFFFF"));
}

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

#include "ui/Twips.h"

#include "ui/WindowLayout.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(Twips, TwipsPerPixelFollowsTheScreenResolution)
{
    EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15);
    EXPECT_DOUBLE_EQ(twipsPerPixel(120), 12);
    EXPECT_DOUBLE_EQ(twipsPerPixel(144), 10);
    // A screen without a resolution counts as 96 dpi instead of dividing by zero.
    EXPECT_DOUBLE_EQ(twipsPerPixel(0), 15);
}

TEST(Twips, LengthsRoundToTheNearestPixel)
{
    EXPECT_EQ(twipsToPixels(990, 15), 66);
    EXPECT_EQ(twipsToPixels(1000, 15), 67); // 66.67
    EXPECT_EQ(twipsToPixels(997, 15), 66);  // 66.47
    EXPECT_EQ(twipsToPixels(180, 12), 15);
    EXPECT_DOUBLE_EQ(pixelsToTwips(66, 15), 990);
}

TEST(Twips, RectanglesRoundTheirEdgesSoNeighboursNeitherOverlapNorPart)
{
    // At 12 twips per pixel a widget at 126 (10.5 px) that is 126 wide ends where its
    // neighbour at 252 (21 px) begins.
    const QRect first = toPixels({126, 0, 126, 12}, 12);
    const QRect second = toPixels({252, 0, 126, 12}, 12);
    EXPECT_EQ(first, QRect(11, 0, 10, 1));
    EXPECT_EQ(second.left(), first.right() + 1);
    EXPECT_EQ(toPixels({120, 120, 18735, 11655}, 15), QRect(8, 8, 1249, 777));
}

struct WholeCase
{
    const char* name;
    double value;
    double whole;
};

class WholeTwips : public ::testing::TestWithParam<WholeCase>
{
};

TEST_P(WholeTwips, RoundsHalvesToEven)
{
    EXPECT_EQ(wholeTwips(GetParam().value), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WholeTwips,
    ::testing::Values(WholeCase{"Whole", 9128, 9128}, WholeCase{"HalfToEvenUp", 9127.5, 9128},
                      WholeCase{"HalfToEvenDown", 9128.5, 9128},
                      WholeCase{"HalfOfOddPlusGap", 9487.5, 9488}, WholeCase{"BelowHalf", 10.4, 10},
                      WholeCase{"AboveHalf", 10.6, 11}, WholeCase{"ZeroPointFive", 0.5, 0},
                      WholeCase{"NegativeHalf", -2.5, -2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn

#include "layout/Twips.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(Twips, TwipsPerPixelFollowsTheScreenResolution)
{
    EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15);
    EXPECT_DOUBLE_EQ(twipsPerPixel(120), 12);
    // A screen without a resolution counts as 96 dpi instead of dividing by zero.
    EXPECT_DOUBLE_EQ(twipsPerPixel(0), 15);
}

TEST(Twips, LengthsRoundToTheNearestPixelAndRectanglesByTheirEdges)
{
    EXPECT_EQ(twipsToPixels(1000, 15), 67); // 66.67
    EXPECT_EQ(twipsToPixels(997, 15), 66);  // 66.47
    // At 12 twips per pixel a widget at 126 (10.5 px) that is 126 wide ends where its
    // neighbour at 252 (21 px) begins.
    const QRect first = toPixels({126, 0, 126, 12}, 12);
    EXPECT_EQ(first, QRect(11, 0, 10, 1));
    EXPECT_EQ(toPixels({252, 0, 126, 12}, 12).left(), first.right() + 1);
}

} // namespace
} // namespace tarn

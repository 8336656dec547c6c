#include "ui/Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(Fonts, FixedFontAdvancesSixPixelsPerCharacter)
{
    const QFontMetrics metrics(sixPixelFixedFont());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral(" 01 | ----INVALID--")), 19 * 6);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiiiiiiiiWWWWWWWWWW")), 20 * 6);
}

TEST(Fonts, LabelFontsHaveTheirSizesAndWeights)
{
    EXPECT_DOUBLE_EQ(tabStripFont().pointSizeF(), 8.25);
    EXPECT_FALSE(tabStripFont().bold());
    EXPECT_DOUBLE_EQ(spinnerLabelFont().pointSizeF(), 12);
    EXPECT_TRUE(spinnerLabelFont().bold());
    // Without the named family a sans-serif stand-in is used, never a fixed-pitch one.
    EXPECT_FALSE(QFontInfo(tabStripFont()).fixedPitch());
}

} // namespace
} // namespace tarn

#include "ui/Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(Fonts, FixedFontAdvancesSixPixelsPerCharacter)
{
    const QFontMetrics metrics(sixPixelFixedFont());
    const QString text = QStringLiteral(" 01 | ----INVALID---- ");
    ASSERT_EQ(text.size(), 22);
    EXPECT_EQ(metrics.horizontalAdvance(text.left(20)), 120);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiiiiiiiiWWWWWWWWWW")), 120);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('M')), 6);
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

#include "ui/Fonts.h"

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

} // namespace
} // namespace tarn

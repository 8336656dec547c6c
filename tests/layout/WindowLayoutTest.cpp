#include "layout/WindowLayout.h"

#include "layout/DesignGeometry.h"
#include "layout/Twips.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

WindowGeometry arranged(double clientWidth, double clientHeight, int activeTab)
{
    WindowGeometry geometry = designGeometry();
    ArrangeWindow(geometry, clientWidth, clientHeight, activeTab, 18735, 11655);
    return geometry;
}

// At the design size W = 18735, H = 11655; W / 2 - 240 = 9127.5 and W / 2 + 120 = 9487.5 are
// rounded to the even neighbour.
TEST(ArrangeWindow, WorkedExampleAtTheDesignSize)
{
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const MixTabGeometry mix = arranged(18975, 11895, k).mixTabs[static_cast<std::size_t>(k)];
        EXPECT_EQ(mix.mixOutputFrame, (TwipsRect{13560, 360, 5055, 975}));
        EXPECT_EQ(mix.mixControlsFrame, (TwipsRect{13560, 1440, 5055, 10095}));
        EXPECT_EQ(mix.controlsTree, (TwipsRect{120, 240, 4815, 9735}));
        EXPECT_EQ(mix.mixInputFrame, (TwipsRect{120, 360, 13320, 11175}));
        EXPECT_EQ(mix.crossPointGrid, (TwipsRect{120, 240, 13080, 10830}));
    }
    const WindowGeometry geometry = arranged(18975, 11895, 2);
    const LoopsTabGeometry& loops = geometry.loopsTab;
    EXPECT_EQ(geometry.tabStrip, (TwipsRect{120, 120, 18735, 11655}));
    EXPECT_EQ(loops.dcLoopsFrame[0], (TwipsRect{120, 360, 9128, 11175}));
    EXPECT_EQ(loops.dcLoopsFrame[1], (TwipsRect{9488, 360, 9128, 11175}));
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loops.loopsGridFrame[i], (TwipsRect{120, 240, 8888, 2055}));
        EXPECT_EQ(loops.loopsGrid[i], (TwipsRect{120, 240, 8648, 1695}));
        EXPECT_EQ(loops.loopControlsFrame[i], (TwipsRect{120, 2280, 8888, 8775}));
        EXPECT_EQ(loops.controlsTree[i], (TwipsRect{120, 240, 8648, 8415}));
    }
    // W = 14761: 7140.5 and 7500.5 are rounded down to even.
    const LoopsTabGeometry odd = arranged(15001, 11895, 2).loopsTab;
    EXPECT_EQ(odd.dcLoopsFrame[0].width, 7140);
    EXPECT_EQ(odd.dcLoopsFrame[1].left, 7500);
}

struct StripCase
{
    const char* name;
    double clientWidth;
    double clientHeight;
    double width;
    double height;
};

using TabStripSize = ::testing::TestWithParam<StripCase>;

// Between the minimum and the start-up size the strip follows the client less 240, each
// dimension on its own.
TEST_P(TabStripSize, FollowsTheClientBetweenMinimumAndStartUpSize)
{
    const StripCase& c = GetParam();
    EXPECT_EQ(arranged(c.clientWidth, c.clientHeight, 0).tabStrip,
              (TwipsRect{120, 120, c.width, c.height}));
}

INSTANTIATE_TEST_SUITE_P(
    Clients, TabStripSize,
    ::testing::Values(StripCase{"Larger", 30000, 20000, 18735, 11655},
                      StripCase{"Between", 15000, 9000, 14760, 8760},
                      StripCase{"ExactlyMinimumRoom", 11415, 7575, 11175, 7335},
                      StripCase{"JustBelowMinimumRoom", 11414, 7574, 11175, 7335},
                      StripCase{"NarrowOnly", 9000, 11895, 11175, 11655},
                      StripCase{"LowOnly", 25000, 5000, 18735, 7335}),
    [](const auto& info) { return std::string(info.param.name); });

// The window on a 1366 x 768 screen with a 30-pixel panel, the frame a 25-pixel title bar and
// 4-pixel borders once the window manager has added it.
struct FitRow
{
    const char* id;
    QMargins frame;
    QRect client;
    QRect fitted;
};

using FitFrameInto = ::testing::TestWithParam<FitRow>;

TEST_P(FitFrameInto, TheWholeFrameFitsTheAvailableArea)
{
    const QRect available(0, 0, 1366, 738);
    const FitRow& row = GetParam();
    const QRect fitted = fitFrameInto(available, row.frame, row.client);
    EXPECT_EQ(fitted, row.fitted);
    EXPECT_TRUE(available.contains(fitted.marginsAdded(row.frame)));
}

const QMargins kFrame(4, 25, 4, 4);

INSTANTIATE_TEST_SUITE_P(
    Windows, FitFrameInto,
    ::testing::Values(
        FitRow{"FrameNotKnownYet", {}, {0, 0, 1265, 793}, {0, 0, 1265, 738}},
        // The same window once its frame is known: shorter by the frame, moved inside.
        FitRow{"FrameKnownLater", kFrame, {0, 0, 1265, 738}, {4, 25, 1265, 709}},
        FitRow{"FrameKnownFirst", kFrame, {4, 25, 1265, 793}, {4, 25, 1265, 709}},
        FitRow{"FitsWhereItStands", kFrame, {100, 80, 800, 600}, {100, 80, 800, 600}},
        FitRow{"StandsOutButFits", kFrame, {900, 300, 800, 600}, {4, 25, 800, 600}},
        FitRow{"TooWide", kFrame, {4, 25, 1400, 600}, {4, 25, 1358, 600}}),
    [](const auto& info) { return std::string(info.param.id); });

// Twips per pixel follow the screen's resolution; lengths round to the nearest pixel, and
// rectangles by their edges.
TEST(Twips, PixelsFollowTheResolutionAndRectanglesRoundByTheirEdges)
{
    EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15);
    EXPECT_DOUBLE_EQ(twipsPerPixel(120), 12);
    // A screen without a resolution counts as 96 dpi instead of dividing by zero.
    EXPECT_DOUBLE_EQ(twipsPerPixel(0), 15);
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

#include "ui/WindowLayout.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr int kInitialWidth = 18735;
constexpr int kInitialHeight = 11655;

WindowGeometry arranged(double clientWidth, double clientHeight, int activeTab)
{
    WindowGeometry geometry = designGeometry();
    ArrangeWindow(geometry, clientWidth, clientHeight, activeTab, kInitialWidth, kInitialHeight);
    return geometry;
}

TEST(DesignGeometry, OpeningClientAreaGivesTheTabStripItsDesignSize)
{
    const WindowGeometry design = designGeometry();
    EXPECT_EQ(design.tabStrip, (TwipsRect{120, 120, 18735, 11655}));
    EXPECT_EQ(design.mixTabs[0].crossPointGrid.height, 10830);
    EXPECT_EQ(design.mixTabs[1].crossPointGrid.height, 10815);
    EXPECT_EQ(design.loopsTab.dcLoopsFrame[1].left, 9375);
    EXPECT_EQ(arranged(18975, 11895, 0).tabStrip, design.tabStrip);
}

struct StripCase
{
    const char* name;
    double clientWidth;
    double clientHeight;
    double width;
    double height;
};

class TabStripSize : public ::testing::TestWithParam<StripCase>
{
};

TEST_P(TabStripSize, FollowsTheClientBetweenMinimumAndStartUpSizeOnEveryTab)
{
    const StripCase& c = GetParam();
    for (int tab = 0; tab < 5; ++tab) {
        SCOPED_TRACE(tab);
        const TwipsRect strip = arranged(c.clientWidth, c.clientHeight, tab).tabStrip;
        EXPECT_EQ(strip, (TwipsRect{120, 120, c.width, c.height}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, TabStripSize,
    ::testing::Values(StripCase{"Opening", 18975, 11895, 18735, 11655},
                      StripCase{"Larger", 30000, 20000, 18735, 11655},
                      StripCase{"Between", 15000, 9000, 14760, 8760},
                      StripCase{"ExactlyMinimumRoom", 11415, 7575, 11175, 7335},
                      StripCase{"JustBelowMinimumRoom", 11414, 7574, 11175, 7335},
                      StripCase{"NarrowOnly", 9000, 11895, 11175, 11655},
                      StripCase{"LowOnly", 18975, 5000, 18735, 7335},
                      StripCase{"NarrowAndBetweenHeights", 100, 9000, 11175, 8760},
                      StripCase{"BetweenWidthsAndLow", 15000, 100, 14760, 7335},
                      StripCase{"WiderOnly", 25000, 9000, 18735, 8760}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArrangeWindow, MixTabAtTheDesignSize)
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
}

TEST(ArrangeWindow, MixTabBetweenMinimumAndDesignSize)
{
    const MixTabGeometry mix = arranged(15000, 9000, 1).mixTabs[1];
    EXPECT_EQ(mix.mixOutputFrame, (TwipsRect{9585, 360, 5055, 975}));
    EXPECT_EQ(mix.mixControlsFrame, (TwipsRect{9585, 1440, 5055, 7200}));
    EXPECT_EQ(mix.controlsTree, (TwipsRect{120, 240, 4815, 6840}));
    EXPECT_EQ(mix.mixInputFrame, (TwipsRect{120, 360, 9345, 8280}));
    EXPECT_EQ(mix.crossPointGrid, (TwipsRect{120, 240, 9105, 7935}));
}

struct LoopsCase
{
    const char* name;
    double clientWidth;
    double clientHeight;
    double frameWidth;  // of both loops frames
    double secondLeft;  // of the right-hand loops frame
    double frameHeight; // of both loops frames
};

class LoopsTab : public ::testing::TestWithParam<LoopsCase>
{
};

TEST_P(LoopsTab, SharesTheWidthAndRoundsHalvesToEven)
{
    const LoopsCase& c = GetParam();
    const LoopsTabGeometry loops = arranged(c.clientWidth, c.clientHeight, 2).loopsTab;
    EXPECT_EQ(loops.dcLoopsFrame[0], (TwipsRect{120, 360, c.frameWidth, c.frameHeight}));
    EXPECT_EQ(loops.dcLoopsFrame[1], (TwipsRect{c.secondLeft, 360, c.frameWidth, c.frameHeight}));
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loops.loopsGridFrame[i], (TwipsRect{120, 240, c.frameWidth - 240, 2055}));
        EXPECT_EQ(loops.loopsGrid[i], (TwipsRect{120, 240, c.frameWidth - 480, 1695}));
        const double controlsHeight = c.frameHeight - 2280 - 120;
        EXPECT_EQ(loops.loopControlsFrame[i],
                  (TwipsRect{120, 2280, c.frameWidth - 240, controlsHeight}));
        EXPECT_EQ(loops.controlsTree[i],
                  (TwipsRect{120, 240, c.frameWidth - 480, controlsHeight - 360}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, LoopsTab,
    ::testing::Values(
        // W = 18735: W / 2 - 240 = 9127.5 and W / 2 + 120 = 9487.5, both rounded up to even.
        LoopsCase{"DesignSize", 18975, 11895, 9128, 9488, 11175},
        // W = 14761: 7140.5 and 7500.5 are rounded down to even.
        LoopsCase{"OddWidthRoundedDown", 15001, 11895, 7140, 7500, 11175},
        LoopsCase{"EvenWidth", 15000, 9000, 7140, 7500, 8280},
        LoopsCase{"Minimum", 1000, 1000, 5348, 5708, 6855}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArrangeWindow, EverySizeStaysPositiveAtTheMinimum)
{
    const WindowGeometry mix = arranged(0, 0, 0);
    for (const TwipsRect& r : {mix.mixTabs[0].mixControlsFrame, mix.mixTabs[0].controlsTree,
                               mix.mixTabs[0].mixInputFrame, mix.mixTabs[0].crossPointGrid}) {
        EXPECT_GT(r.width, 0);
        EXPECT_GT(r.height, 0);
    }
    const LoopsTabGeometry loops = arranged(0, 0, 2).loopsTab;
    EXPECT_GT(loops.controlsTree[0].height, 4000);
    EXPECT_GT(loops.controlsTree[1].width, 0);
}

TEST(ArrangeWindow, MetersAndCompressorTabsChangeOnlyTheTabStrip)
{
    for (int tab : {3, 4}) {
        SCOPED_TRACE(tab);
        WindowGeometry expected = designGeometry();
        expected.tabStrip = {120, 120, 11760, 7760};
        EXPECT_EQ(arranged(12000, 8000, tab), expected);
    }
}

TEST(ArrangeWindow, InactiveTabsKeepTheirLastFit)
{
    const WindowGeometry design = designGeometry();
    WindowGeometry geometry = design;
    ArrangeWindow(geometry, 15000, 9000, 0, kInitialWidth, kInitialHeight);
    const MixTabGeometry aes3AtSmall = geometry.mixTabs[0];
    EXPECT_EQ(geometry.mixTabs[1], design.mixTabs[1]);
    EXPECT_EQ(geometry.loopsTab, design.loopsTab);

    // Enlarged while the loops tab is active: the loops fit the new size, "AES3 MIX" does not.
    ArrangeWindow(geometry, 18975, 11895, 2, kInitialWidth, kInitialHeight);
    EXPECT_EQ(geometry.loopsTab.dcLoopsFrame[1].left, 9488);
    EXPECT_EQ(geometry.mixTabs[0], aes3AtSmall);
    EXPECT_EQ(geometry.mixTabs[1], design.mixTabs[1]);

    // Choosing "IP MIX" fits the IP mixer's widgets at that moment.
    ArrangeWindow(geometry, 18975, 11895, 1, kInitialWidth, kInitialHeight);
    EXPECT_EQ(geometry.mixTabs[1].crossPointGrid, (TwipsRect{120, 240, 13080, 10830}));
}

TEST(ArrangeWindow, RunningTwiceGivesTheSameResult)
{
    for (int tab = 0; tab < 5; ++tab) {
        for (const auto& [w, h] :
             {std::pair{18975.0, 11895.0}, std::pair{15001.0, 9000.0}, std::pair{500.0, 500.0}}) {
            SCOPED_TRACE(testing::Message() << tab << " " << w << "x" << h);
            WindowGeometry geometry = arranged(w, h, tab);
            const WindowGeometry once = geometry;
            ArrangeWindow(geometry, w, h, tab, kInitialWidth, kInitialHeight);
            EXPECT_EQ(geometry, once);
        }
    }
}

} // namespace
} // namespace tarn

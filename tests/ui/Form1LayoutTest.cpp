#include "FormFixture.h"
#include "ui/Twips.h"

#include <QGroupBox>

namespace tarn::test {
namespace {

class LayoutTest : public FormTest
{
protected:
    void SetUp() override
    {
        openSmallFolder();
        // The expected twips below are whole pixels at 96 dpi.
        if (form->twipsPerPixel() != 15)
            GTEST_SKIP() << "screen is not 96 dpi";
    }

    void resizeClient(int widthTwips, int heightTwips) const
    {
        form->resize(widthTwips / 15, heightTwips / 15);
    }

    // The widget's geometry, relative to the tab strip for widgets on a tab.
    QRect placeOf(const char* name) const
    {
        const QWidget* widget = child<QWidget>(QLatin1String(name));
        const QWidget* container = widget->parentWidget();
        if (tabs()->indexOf(const_cast<QWidget*>(container)) >= 0)
            container = tabs();
        return {widget->mapTo(container, QPoint(0, 0)), widget->size()};
    }
};

void expectRect(const QRect& actual, const TwipsRect& expected, const char* name)
{
    EXPECT_EQ(actual, toPixels(expected, 15)) << name;
}

struct MixLayoutRow
{
    const char* id;
    int clientWidth;
    int clientHeight;
    TwipsRect tabStrip;
    TwipsRect mixOutputFrame;
    TwipsRect mixControlsFrame;
    TwipsRect controlsTree;
    TwipsRect mixInputFrame;
    TwipsRect crossPointGrid;
};

class Form1MixLayoutTest : public LayoutTest, public ::testing::WithParamInterface<MixLayoutRow>
{
};

TEST_P(Form1MixLayoutTest, FitsTheMixTabToTheClientArea)
{
    const MixLayoutRow& row = GetParam();
    for (int tab : {0, 1}) {
        showTab(tab);
        resizeClient(row.clientWidth, row.clientHeight);
        const auto name = [tab](const char* family) {
            static std::string text;
            text = std::string(family) + "_" + std::to_string(tab);
            return text.c_str();
        };
        expectRect(placeOf("SSTab1"), row.tabStrip, "SSTab1");
        expectRect(placeOf(name("MixOutputFrame")), row.mixOutputFrame, "MixOutputFrame");
        expectRect(placeOf(name("MixControlsFrame")), row.mixControlsFrame, "MixControlsFrame");
        expectRect(placeOf(name("ControlsTree")), row.controlsTree, "ControlsTree");
        expectRect(placeOf(name("MixInputFrame")), row.mixInputFrame, "MixInputFrame");
        expectRect(placeOf(name("CrossPointGrid")), row.crossPointGrid, "CrossPointGrid");
        expectRect(placeOf("SaveCommand"), {18000, 120, 855, 255}, "SaveCommand");
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizes, Form1MixLayoutTest, ::testing::Values(
    MixLayoutRow{"Design", 18975, 11895, {120, 120, 18735, 11655},
                 {13560, 360, 5055, 975}, {13560, 1440, 5055, 10095}, {120, 240, 4815, 9735},
                 {120, 360, 13320, 11175}, {120, 240, 13080, 10830}},
    MixLayoutRow{"Larger", 24000, 15000, {120, 120, 18735, 11655},
                 {13560, 360, 5055, 975}, {13560, 1440, 5055, 10095}, {120, 240, 4815, 9735},
                 {120, 360, 13320, 11175}, {120, 240, 13080, 10830}},
    MixLayoutRow{"Between", 15240, 9240, {120, 120, 15000, 9000},
                 {9825, 360, 5055, 975}, {9825, 1440, 5055, 7440}, {120, 240, 4815, 7080},
                 {120, 360, 9585, 8520}, {120, 240, 9345, 8175}},
    MixLayoutRow{"BelowMinimum", 9000, 6000, {120, 120, 11175, 7335},
                 {6000, 360, 5055, 975}, {6000, 1440, 5055, 5775}, {120, 240, 4815, 5415},
                 {120, 360, 5760, 6855}, {120, 240, 5520, 6510}},
    MixLayoutRow{"NarrowButTall", 9000, 20010, {120, 120, 11175, 11655},
                 {6000, 360, 5055, 975}, {6000, 1440, 5055, 10095}, {120, 240, 4815, 9735},
                 {120, 360, 5760, 11175}, {120, 240, 5520, 10830}}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

struct LoopsLayoutRow
{
    const char* id;
    int clientWidth;
    int clientHeight;
    TwipsRect dcLoopsFrame[2];
    TwipsRect loopsGridFrame;
    TwipsRect loopsGrid;
    TwipsRect loopControlsFrame;
    TwipsRect controlsTree;
};

class Form1LoopsLayoutTest : public LayoutTest, public ::testing::WithParamInterface<LoopsLayoutRow>
{
};

TEST_P(Form1LoopsLayoutTest, SharesTheWidthBetweenTheLoopFrames)
{
    const LoopsLayoutRow& row = GetParam();
    // Resized on another tab; the loops tab is fitted when it is chosen.
    resizeClient(row.clientWidth, row.clientHeight);
    showTab(2);
    expectRect(placeOf("DcLoopsFrame_0"), row.dcLoopsFrame[0], "DcLoopsFrame_0");
    expectRect(placeOf("DcLoopsFrame_1"), row.dcLoopsFrame[1], "DcLoopsFrame_1");
    for (const char* suffix : {"_0", "_1"}) {
        const std::string frame = std::string("LoopsGridFrame") + suffix;
        expectRect(placeOf(frame.c_str()), row.loopsGridFrame, frame.c_str());
        const std::string grid = std::string("LoopsGrid") + suffix;
        expectRect(placeOf(grid.c_str()), row.loopsGrid, grid.c_str());
        const std::string controls = std::string("LoopControlsFrame") + suffix;
        expectRect(placeOf(controls.c_str()), row.loopControlsFrame, controls.c_str());
    }
    expectRect(placeOf("ControlsTree_2"), row.controlsTree, "ControlsTree_2");
    expectRect(placeOf("ControlsTree_3"), row.controlsTree, "ControlsTree_3");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizes, Form1LoopsLayoutTest, ::testing::Values(
    LoopsLayoutRow{"Design", 18975, 11895, {{120, 360, 9128, 11175}, {9488, 360, 9128, 11175}},
                   {120, 240, 8888, 2055}, {120, 240, 8648, 1695},
                   {120, 2280, 8888, 8775}, {120, 240, 8648, 8415}},
    LoopsLayoutRow{"Between", 15240, 9240, {{120, 360, 7260, 8520}, {7620, 360, 7260, 8520}},
                   {120, 240, 7020, 2055}, {120, 240, 6780, 1695},
                   {120, 2280, 7020, 6120}, {120, 240, 6780, 5760}}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(LayoutTest, MetersAndCompressorKeepTheirPlacesAndOtherTabsTheirLastFit)
{
    showTab(3);
    resizeClient(15240, 9240);
    expectRect(placeOf("SSTab1"), {120, 120, 15000, 9000}, "SSTab1");
    expectRect(placeOf("meterContainer"), {120, 360, 10935, 5895}, "meterContainer");
    // The mix tab was last fitted at the design size.
    expectRect(placeOf("MixInputFrame_0"), {120, 360, 13320, 11175}, "MixInputFrame_0");
    showTab(4);
    resizeClient(12000, 8000);
    expectRect(placeOf("Frame1"), {120, 360, 6735, 975}, "Frame1");
    showTab(0);
    expectRect(placeOf("MixInputFrame_0"), {120, 360, 6345, 7280}, "MixInputFrame_0");
}

} // namespace
} // namespace tarn::test

#include "FormFixture.h"
#include "ui/Twips.h"

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

    // Checks the widget's place in twips, relative to the tab strip for widgets on a tab.
    void expectPlace(const QString& name, const TwipsRect& expected) const
    {
        const QWidget* widget = child<QWidget>(name);
        const QWidget* container = widget->parentWidget();
        if (tabs()->indexOf(const_cast<QWidget*>(container)) >= 0)
            container = tabs();
        EXPECT_EQ(QRect(widget->mapTo(container, QPoint(0, 0)), widget->size()),
                  toPixels(expected, 15))
            << name.toStdString();
    }
};

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
    for (const QString& tab : {QStringLiteral("_0"), QStringLiteral("_1")}) {
        showTab(tab.back().digitValue());
        resizeClient(row.clientWidth, row.clientHeight);
        expectPlace(QStringLiteral("SSTab1"), row.tabStrip);
        expectPlace(QStringLiteral("MixOutputFrame") + tab, row.mixOutputFrame);
        expectPlace(QStringLiteral("MixControlsFrame") + tab, row.mixControlsFrame);
        expectPlace(QStringLiteral("ControlsTree") + tab, row.controlsTree);
        expectPlace(QStringLiteral("MixInputFrame") + tab, row.mixInputFrame);
        expectPlace(QStringLiteral("CrossPointGrid") + tab, row.crossPointGrid);
        expectPlace(QStringLiteral("SaveCommand"), {18000, 120, 855, 255});
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizes, Form1MixLayoutTest, ::testing::Values(
    // The strip never grows beyond its start-up size.
    MixLayoutRow{"Larger", 24000, 15000, {120, 120, 18735, 11655},
                 {13560, 360, 5055, 975}, {13560, 1440, 5055, 10095}, {120, 240, 4815, 9735},
                 {120, 360, 13320, 11175}, {120, 240, 13080, 10830}},
    MixLayoutRow{"BelowMinimum", 9000, 6000, {120, 120, 11175, 7335},
                 {6000, 360, 5055, 975}, {6000, 1440, 5055, 5775}, {120, 240, 4815, 5415},
                 {120, 360, 5760, 6855}, {120, 240, 5520, 6510}}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

// A tab's widgets are fitted when it is chosen; METERS and COMPRESSOR keep their design places.
TEST_F(LayoutTest, EachTabIsFittedWhenChosenAndKeepsItsLastFit)
{
    showTab(3);
    resizeClient(15240, 9240);
    expectPlace(QStringLiteral("SSTab1"), {120, 120, 15000, 9000});
    expectPlace(QStringLiteral("meterContainer"), {120, 360, 10935, 5895});
    // The mix tab was last fitted at the design size.
    expectPlace(QStringLiteral("MixInputFrame_0"), {120, 360, 13320, 11175});

    showTab(2);
    expectPlace(QStringLiteral("DcLoopsFrame_0"), {120, 360, 7260, 8520});
    expectPlace(QStringLiteral("DcLoopsFrame_1"), {7620, 360, 7260, 8520});
    for (const QString& i : {QStringLiteral("_0"), QStringLiteral("_1")}) {
        expectPlace(QStringLiteral("LoopsGridFrame") + i, {120, 240, 7020, 2055});
        expectPlace(QStringLiteral("LoopsGrid") + i, {120, 240, 6780, 1695});
        expectPlace(QStringLiteral("LoopControlsFrame") + i, {120, 2280, 7020, 6120});
    }
    expectPlace(QStringLiteral("ControlsTree_2"), {120, 240, 6780, 5760});
    expectPlace(QStringLiteral("ControlsTree_3"), {120, 240, 6780, 5760});

    showTab(4);
    resizeClient(12000, 8000);
    expectPlace(QStringLiteral("Frame1"), {120, 360, 6735, 975});
    showTab(0);
    expectPlace(QStringLiteral("MixInputFrame_0"), {120, 360, 6345, 7280});
}

} // namespace
} // namespace tarn::test

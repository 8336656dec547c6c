#include "FormFixture.h"
#include "layout/Twips.h"

namespace tarn::test {
namespace {

// The rules' numbers are the core's (ArrangeWindow); here the window applies them to its
// widgets, when the client area changes and when a tab is chosen.
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

TEST_F(LayoutTest, MixTabsFitTheClientAreaBelowTheMinimum)
{
    for (const QString tab : {"_0", "_1"}) {
        showTab(tab.back().digitValue());
        resizeClient(9000, 6000);
        expectPlace("SSTab1", {120, 120, 11175, 7335});
        expectPlace("MixOutputFrame" + tab, {6000, 360, 5055, 975});
        expectPlace("MixControlsFrame" + tab, {6000, 1440, 5055, 5775});
        expectPlace("ControlsTree" + tab, {120, 240, 4815, 5415});
        expectPlace("MixInputFrame" + tab, {120, 360, 5760, 6855});
        expectPlace("CrossPointGrid" + tab, {120, 240, 5520, 6510});
        expectPlace("SaveCommand", {18000, 120, 855, 255});
    }
}

// A tab's widgets are fitted when it is chosen; METERS and COMPRESSOR keep their design places.
TEST_F(LayoutTest, EachTabIsFittedWhenChosenAndKeepsItsLastFit)
{
    showTab(3);
    resizeClient(15240, 9240);
    expectPlace("SSTab1", {120, 120, 15000, 9000});
    expectPlace("meterContainer", {120, 360, 10935, 5895});
    // The mix tab was last fitted at the design size.
    expectPlace("MixInputFrame_0", {120, 360, 13320, 11175});

    showTab(2);
    expectPlace("DcLoopsFrame_0", {120, 360, 7260, 8520});
    expectPlace("DcLoopsFrame_1", {7620, 360, 7260, 8520});
    for (const QString i : {"_0", "_1"}) {
        expectPlace("LoopsGridFrame" + i, {120, 240, 7020, 2055});
        expectPlace("LoopsGrid" + i, {120, 240, 6780, 1695});
        expectPlace("LoopControlsFrame" + i, {120, 2280, 7020, 6120});
        expectPlace(QStringLiteral("ControlsTree_%1").arg(2 + i.back().digitValue()),
                    {120, 240, 6780, 5760});
    }

    showTab(4);
    resizeClient(12000, 8000);
    expectPlace("Frame1", {120, 360, 6735, 975});
    showTab(0);
    expectPlace("MixInputFrame_0", {120, 360, 6345, 7280});
}

} // namespace
} // namespace tarn::test

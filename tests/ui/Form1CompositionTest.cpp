#include "FormFixture.h"
#include "layout/Twips.h"
#include "ui/Fonts.h"

#include <QImage>
#include <QPixmap>

namespace tarn::test {
namespace {

enum Flags { None = 0, Off = 1, Six = 2, Big = 4 }; // starts disabled; 6-pixel / label font

struct WidgetRow
{
    const char* name;
    const char* className;
    const char* container; // parent's name, or "SSTab1/n" for the page of tab n
    const char* caption;
    int flags;
    TwipsRect rect; // design place in its container (the tab strip for a page); none if empty
};

using Form1WidgetTest = FormRowTest<WidgetRow>;

// The window as created, before any folder is loaded.
TEST_P(Form1WidgetTest, StandsInItsContainerWithItsCaptionStateAndPlace)
{
    const WidgetRow& row = GetParam();
    makeForm().show();
    const QWidget* widget = child<QWidget>(QLatin1String(row.name));
    const QWidget* parent = widget->parentWidget();
    const int tab = tabs()->indexOf(const_cast<QWidget*>(parent));
    EXPECT_STREQ(widget->metaObject()->className(), row.className);
    EXPECT_EQ(tab >= 0 ? "SSTab1/" + QString::number(tab) : parent->objectName(),
              QLatin1String(row.container));

    QString caption;
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        caption = frame->title();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        caption = button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        caption = label->text();
    EXPECT_EQ(caption, QLatin1String(row.caption));
    EXPECT_FALSE(widget->isHidden());
    EXPECT_EQ(widget->isEnabled(), !(row.flags & Off));
    if (row.flags & Six) {
        EXPECT_EQ(QFontMetrics(widget->font()).horizontalAdvance("MIX OUPUT 07"), 12 * 6);
    }
    if (row.flags & Big) {
        EXPECT_EQ(widget->font(), spinnerLabelFont());
    }

    if (row.rect.width > 0) {
        if (tab >= 0)
            showTab(tab);
        EXPECT_EQ(placeOf(QLatin1String(row.name)), toPixels(row.rect, form->twipsPerPixel()));
    }
}

// clang-format off
const WidgetRow kWidgets[] = {
    {"SSTab1", "QTabWidget", "Form1", "", None, {120, 120, 18735, 11655}},
    {"SaveCommand", "QPushButton", "Form1", "Save", None, {18000, 120, 855, 255}},
    {"MixInputFrame_0", "QGroupBox", "SSTab1/0", "Mix Inputs", None, {}},
    {"MixOutputFrame_0", "QGroupBox", "SSTab1/0", "Mixer Output", None, {}},
    {"CopyMixOut_0", "QPushButton", "MixOutputFrame_0", "Copy to buffer", None, {120, 240, 1455, 255}},
    {"SwapMixOut_0", "QPushButton", "MixOutputFrame_0", "Swap with buffer", Off, {1800, 240, 1455, 255}},
    {"PasteMixOut_0", "QPushButton", "MixOutputFrame_0", "Paste from buffer", Off, {3480, 240, 1455, 255}},
    {"MixOutputCombo_0", "QComboBox", "MixOutputFrame_0", "", Six, {120, 600, 4815, 240}},
    {"MixControlsFrame_0", "QGroupBox", "SSTab1/0", "Controls", None, {}},
    {"ControlsTree_0", "QTreeView", "MixControlsFrame_0", "", Six, {}},
    {"DcLoopsFrame_0", "QGroupBox", "SSTab1/2", "AES3 LOOPS", None, {}},
    {"LoopsGridFrame_0", "QGroupBox", "DcLoopsFrame_0", "Output Loops", None, {}},
    {"LoopsGrid_0", "tarn::GridView", "LoopsGridFrame_0", "", Six, {}},
    {"LoopControlsFrame_0", "QGroupBox", "DcLoopsFrame_0", "Controls", None, {}},
    {"ControlsTree_2", "QTreeView", "LoopControlsFrame_0", "", Six, {}},
    {"DcLoopsFrame_1", "QGroupBox", "SSTab1/2", "IP LOOPS", None, {}},
    {"meterContainer", "QGroupBox", "SSTab1/3", "AES3 Meter assignment", None, {120, 360, 10935, 5895}},
    {"meterFrame_0", "QGroupBox", "meterContainer", "Meter 1", None, {120, 240, 5295, 615}},
    {"meterCombo_0", "QComboBox", "meterFrame_0", "", None, {120, 240, 5055, 315}},
    {"meterFrame_9", "QGroupBox", "meterContainer", "Meter 10", None, {5520, 840, 5295, 615}},
    {"meterFrame_15", "QGroupBox", "meterContainer", "Meter 16", None, {5520, 5160, 5295, 615}},
    {"Frame1", "QGroupBox", "SSTab1/4", "", None, {120, 360, 6735, 975}},
    {"Frame2", "QGroupBox", "Frame1", "Attack", None, {120, 120, 1095, 735}},
    {"AttackUpDown", "QSpinBox", "Frame2", "", None, {}},
    {"AttackLabel", "QLabel", "Frame2", "0", Big, {}},
    {"Frame3", "QGroupBox", "Frame1", "Hold (ms)", None, {1320, 120, 1215, 735}},
    {"Frame4", "QGroupBox", "Frame1", "Decay", None, {2640, 120, 1095, 735}},
    {"Frame5", "QGroupBox", "Frame1", "Gain (dB)", None, {3840, 120, 1095, 735}},
    {"Frame6", "QGroupBox", "Frame1", "Threshold (dBFS)", None, {5040, 120, 1575, 735}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Widgets, Form1WidgetTest, ::testing::ValuesIn(kWidgets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, OpensWithTheDesignClientArea)
{
    makeForm();
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->width(), form->twipsPerPixel()), 18975);
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->height(), form->twipsPerPixel()), 11895);
}

// The row of a frame's top border line as drawn, found near its right edge (away from the
// caption): the first row whose colour differs from the background above it. -1: none.
int drawnTopBorder(QGroupBox& box)
{
    const QImage image = box.grab().toImage();
    const int x = image.width() - 2;
    const QRgb background = image.pixel(x, 0);
    for (int y = 1; y < image.height(); ++y) {
        if (image.pixel(x, y) != background)
            return y;
    }
    return -1;
}

// On every tab, each captioned frame's top border runs above everything placed in it, and
// the caption stands on that line; the frames stay where the design puts them.
TEST_F(FormTest, NothingInAFrameCrossesItsBorder)
{
    folder.copyExample();
    open(folder.path());
    ASSERT_TRUE(started);
    int checked = 0;
    for (int tab = 0; tab < 5; ++tab) {
        showTab(tab);
        for (QGroupBox* box : form->findChildren<QGroupBox*>()) {
            if (box->title().isEmpty() || !box->isVisibleTo(form.get()))
                continue;
            const int border = drawnTopBorder(*box);
            const std::string name = box->objectName().toStdString();
            ASSERT_GT(border, 0) << name;
            // The caption's line of text spans the border.
            EXPECT_LT(border, box->fontMetrics().height()) << name;
            for (const QWidget* inside : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (inside->isVisibleTo(box)) {
                    EXPECT_GT(inside->geometry().top(), border)
                        << name << " / " << inside->objectName().toStdString();
                }
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 30);
}

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

    void expectPlace(const QString& name, const TwipsRect& expected) const
    {
        EXPECT_EQ(placeOf(name), toPixels(expected, 15)) << name.toStdString();
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

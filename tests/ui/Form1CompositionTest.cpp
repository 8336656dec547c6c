#include "FormFixture.h"
#include "layout/Twips.h"
#include "ui/Fonts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

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
        if (tab >= 0) {
            showTab(tab);
            parent = tabs();
        }
        EXPECT_EQ(QRect(widget->mapTo(parent, QPoint(0, 0)), widget->size()),
                  toPixels(row.rect, form->twipsPerPixel()));
    }
}

// clang-format off
const WidgetRow kWidgets[] = {
    {"SSTab1", "QTabWidget", "Form1", "", None, {120, 120, 18735, 11655}},
    {"SaveCommand", "QPushButton", "Form1", "Save", None, {18000, 120, 855, 255}},
    {"MixInputFrame_0", "QGroupBox", "SSTab1/0", "Mix Inputs", None, {}},
    {"CrossPointGrid_0", "tarn::GridView", "MixInputFrame_0", "", Six, {}},
    {"MixOutputFrame_0", "QGroupBox", "SSTab1/0", "Mixer Output", None, {}},
    {"CopyMixOut_0", "QPushButton", "MixOutputFrame_0", "Copy to buffer", None, {120, 240, 1455, 255}},
    {"SwapMixOut_0", "QPushButton", "MixOutputFrame_0", "Swap with buffer", Off, {1800, 240, 1455, 255}},
    {"PasteMixOut_0", "QPushButton", "MixOutputFrame_0", "Paste from buffer", Off, {3480, 240, 1455, 255}},
    {"MixOutputCombo_0", "QComboBox", "MixOutputFrame_0", "", Six, {120, 600, 4815, 240}},
    {"MixControlsFrame_0", "QGroupBox", "SSTab1/0", "Controls", None, {}},
    {"ControlsTree_0", "QTreeView", "MixControlsFrame_0", "", Six, {}},
    {"MixInputFrame_1", "QGroupBox", "SSTab1/1", "Mix Inputs", None, {}},
    {"MixOutputFrame_1", "QGroupBox", "SSTab1/1", "Mixer Output", None, {}},
    {"MixControlsFrame_1", "QGroupBox", "SSTab1/1", "Controls", None, {}},
    {"DcLoopsFrame_0", "QGroupBox", "SSTab1/2", "AES3 LOOPS", None, {}},
    {"LoopsGridFrame_0", "QGroupBox", "DcLoopsFrame_0", "Output Loops", None, {}},
    {"LoopsGrid_0", "tarn::GridView", "LoopsGridFrame_0", "", Six, {}},
    {"LoopControlsFrame_0", "QGroupBox", "DcLoopsFrame_0", "Controls", None, {}},
    {"ControlsTree_2", "QTreeView", "LoopControlsFrame_0", "", Six, {}},
    {"DcLoopsFrame_1", "QGroupBox", "SSTab1/2", "IP LOOPS", None, {}},
    {"ControlsTree_3", "QTreeView", "LoopControlsFrame_1", "", Six, {}},
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

TEST_F(FormTest, OpensWithTheFiveTabsAndTheDesignClientArea)
{
    makeForm();
    QStringList captions;
    for (int i = 0; i < tabs()->count(); ++i)
        captions.append(tabs()->tabText(i));
    EXPECT_EQ(captions, (QStringList{"AES3 MIX", "IP MIX", "DC LOOPS", "METERS", "COMPRESSOR"}));
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->width(), form->twipsPerPixel()), 18975);
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->height(), form->twipsPerPixel()), 11895);
}

} // namespace
} // namespace tarn::test

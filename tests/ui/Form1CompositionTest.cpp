#include "FormFixture.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>

namespace tarn::test {
namespace {

// Where a widget stands: its parent's name, or "SSTab1/n" for the page of tab n.
QString containerOf(const QWidget& widget, const QTabWidget& tabs)
{
    const QWidget* parent = widget.parentWidget();
    const int tab = tabs.indexOf(const_cast<QWidget*>(parent));
    if (tab >= 0)
        return QStringLiteral("SSTab1/") + QString::number(tab);
    return parent ? parent->objectName() : QString();
}

QString captionOf(const QWidget& widget)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget))
        return frame->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text();
    return {};
}

struct WidgetRow
{
    const char* name;
    const char* className;
    const char* container;
    const char* caption;
};

class Form1WidgetTest : public FormTest, public ::testing::WithParamInterface<WidgetRow>
{
};

TEST_P(Form1WidgetTest, StandsInItsContainerWithItsCaption)
{
    makeForm();
    const WidgetRow& row = GetParam();
    const QWidget* widget = child<QWidget>(QLatin1String(row.name));
    EXPECT_STREQ(widget->metaObject()->className(), row.className);
    EXPECT_EQ(containerOf(*widget, *tabs()), QLatin1String(row.container));
    EXPECT_EQ(captionOf(*widget), QLatin1String(row.caption));
    EXPECT_FALSE(widget->isHidden());
}

// clang-format off
const WidgetRow kWidgets[] = {
    {"SSTab1", "QTabWidget", "Form1", ""},
    {"SaveCommand", "QPushButton", "Form1", "Save"},
    {"MixInputFrame_0", "QGroupBox", "SSTab1/0", "Mix Inputs"},
    {"CrossPointGrid_0", "QTableWidget", "MixInputFrame_0", ""},
    {"MixOutputFrame_0", "QGroupBox", "SSTab1/0", "Mixer Output"},
    {"CopyMixOut_0", "QPushButton", "MixOutputFrame_0", "Copy to buffer"},
    {"SwapMixOut_0", "QPushButton", "MixOutputFrame_0", "Swap with buffer"},
    {"PasteMixOut_0", "QPushButton", "MixOutputFrame_0", "Paste from buffer"},
    {"MixOutputCombo_0", "QComboBox", "MixOutputFrame_0", ""},
    {"MixControlsFrame_0", "QGroupBox", "SSTab1/0", "Controls"},
    {"ControlsTree_0", "QTreeView", "MixControlsFrame_0", ""},
    {"MixInputFrame_1", "QGroupBox", "SSTab1/1", "Mix Inputs"},
    {"CrossPointGrid_1", "QTableWidget", "MixInputFrame_1", ""},
    {"MixOutputFrame_1", "QGroupBox", "SSTab1/1", "Mixer Output"},
    {"CopyMixOut_1", "QPushButton", "MixOutputFrame_1", "Copy to buffer"},
    {"SwapMixOut_1", "QPushButton", "MixOutputFrame_1", "Swap with buffer"},
    {"PasteMixOut_1", "QPushButton", "MixOutputFrame_1", "Paste from buffer"},
    {"MixOutputCombo_1", "QComboBox", "MixOutputFrame_1", ""},
    {"MixControlsFrame_1", "QGroupBox", "SSTab1/1", "Controls"},
    {"ControlsTree_1", "QTreeView", "MixControlsFrame_1", ""},
    {"DcLoopsFrame_0", "QGroupBox", "SSTab1/2", "AES3 LOOPS"},
    {"LoopsGridFrame_0", "QGroupBox", "DcLoopsFrame_0", "Output Loops"},
    {"LoopsGrid_0", "QTableWidget", "LoopsGridFrame_0", ""},
    {"LoopControlsFrame_0", "QGroupBox", "DcLoopsFrame_0", "Controls"},
    {"ControlsTree_2", "QTreeView", "LoopControlsFrame_0", ""},
    {"DcLoopsFrame_1", "QGroupBox", "SSTab1/2", "IP LOOPS"},
    {"LoopsGridFrame_1", "QGroupBox", "DcLoopsFrame_1", "Output Loops"},
    {"LoopsGrid_1", "QTableWidget", "LoopsGridFrame_1", ""},
    {"LoopControlsFrame_1", "QGroupBox", "DcLoopsFrame_1", "Controls"},
    {"ControlsTree_3", "QTreeView", "LoopControlsFrame_1", ""},
    {"meterContainer", "QGroupBox", "SSTab1/3", "AES3 Meter assignment"},
    {"meterFrame_0", "QGroupBox", "meterContainer", "Meter 1"},
    {"meterCombo_0", "QComboBox", "meterFrame_0", ""},
    {"meterFrame_9", "QGroupBox", "meterContainer", "Meter 10"},
    {"meterCombo_9", "QComboBox", "meterFrame_9", ""},
    {"meterFrame_15", "QGroupBox", "meterContainer", "Meter 16"},
    {"meterCombo_15", "QComboBox", "meterFrame_15", ""},
    {"Frame1", "QGroupBox", "SSTab1/4", ""},
    {"Frame2", "QGroupBox", "Frame1", "Attack"},
    {"AttackUpDown", "QSpinBox", "Frame2", ""},
    {"AttackLabel", "QLabel", "Frame2", "0"},
    {"Frame3", "QGroupBox", "Frame1", "Hold (ms)"},
    {"HoldUpDown", "QSpinBox", "Frame3", ""},
    {"HoldLabel", "QLabel", "Frame3", "0"},
    {"Frame4", "QGroupBox", "Frame1", "Decay"},
    {"DecayUpDown", "QSpinBox", "Frame4", ""},
    {"DecayLabel", "QLabel", "Frame4", "0"},
    {"Frame5", "QGroupBox", "Frame1", "Gain (dB)"},
    {"GainUpDown", "QSpinBox", "Frame5", ""},
    {"GainLabel", "QLabel", "Frame5", "0"},
    {"Frame6", "QGroupBox", "Frame1", "Threshold (dBFS)"},
    {"ThresholdUpDown", "QSpinBox", "Frame6", ""},
    {"ThresholdLabel", "QLabel", "Frame6", "0"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Widgets, Form1WidgetTest, ::testing::ValuesIn(kWidgets),
                         [](const auto& info) { return std::string(info.param.name); });

struct SpinnerRow
{
    const char* name;
    int minimum;
    int maximum;
    int step;
};

class Form1SpinnerTest : public FormTest, public ::testing::WithParamInterface<SpinnerRow>
{
};

TEST_P(Form1SpinnerTest, StartsAtZeroWithinItsRange)
{
    makeForm();
    const SpinnerRow& row = GetParam();
    const auto* spinner = child<QSpinBox>(QLatin1String(row.name));
    EXPECT_EQ(spinner->minimum(), row.minimum);
    EXPECT_EQ(spinner->maximum(), row.maximum);
    EXPECT_EQ(spinner->singleStep(), row.step);
    EXPECT_EQ(spinner->value(), 0);
}

INSTANTIATE_TEST_SUITE_P(Spinners, Form1SpinnerTest,
                         ::testing::Values(SpinnerRow{"AttackUpDown", 0, 7, 1},
                                           SpinnerRow{"HoldUpDown", 0, 1000, 10},
                                           SpinnerRow{"DecayUpDown", 0, 7, 1},
                                           SpinnerRow{"GainUpDown", -36, 36, 1},
                                           SpinnerRow{"ThresholdUpDown", -42, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// Design positions of the widgets the layout never moves, in twips relative to their container
// (the tab strip for the widgets standing on a tab).
struct PlacementRow
{
    const char* name;
    int tab; // -1: not on a tab
    TwipsRect rect;
};

class Form1PlacementTest : public FormTest, public ::testing::WithParamInterface<PlacementRow>
{
};

TEST_P(Form1PlacementTest, StandsAtItsDesignPosition)
{
    openSmallFolder();
    const PlacementRow& row = GetParam();
    if (row.tab >= 0)
        showTab(row.tab);
    const QWidget* widget = child<QWidget>(QLatin1String(row.name));
    const QWidget* container = widget->parentWidget();
    if (tabs()->indexOf(const_cast<QWidget*>(container)) >= 0)
        container = tabs();
    const QRect actual(widget->mapTo(container, QPoint(0, 0)), widget->size());
    EXPECT_EQ(actual, toPixels(row.rect, form->twipsPerPixel()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Design, Form1PlacementTest, ::testing::Values(
    PlacementRow{"SaveCommand", -1, {18000, 120, 855, 255}},
    PlacementRow{"SSTab1", -1, {120, 120, 18735, 11655}},
    PlacementRow{"CopyMixOut_0", 0, {120, 240, 1455, 255}},
    PlacementRow{"SwapMixOut_0", 0, {1800, 240, 1455, 255}},
    PlacementRow{"PasteMixOut_1", 1, {3480, 240, 1455, 255}},
    PlacementRow{"MixOutputCombo_1", 1, {120, 600, 4815, 240}},
    PlacementRow{"meterContainer", 3, {120, 360, 10935, 5895}},
    PlacementRow{"meterFrame_0", 3, {120, 240, 5295, 615}},
    PlacementRow{"meterFrame_1", 3, {120, 840, 5295, 615}},
    PlacementRow{"meterFrame_7", 3, {120, 5160, 5295, 615}},
    PlacementRow{"meterFrame_8", 3, {5520, 240, 5295, 615}},
    PlacementRow{"meterFrame_15", 3, {5520, 5160, 5295, 615}},
    PlacementRow{"meterCombo_4", 3, {120, 240, 5055, 315}},
    PlacementRow{"Frame1", 4, {120, 360, 6735, 975}},
    PlacementRow{"Frame2", 4, {120, 120, 1095, 735}},
    PlacementRow{"Frame3", 4, {1320, 120, 1215, 735}},
    PlacementRow{"Frame4", 4, {2640, 120, 1095, 735}},
    PlacementRow{"Frame5", 4, {3840, 120, 1095, 735}},
    PlacementRow{"Frame6", 4, {5040, 120, 1575, 735}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(FormTest, TabsAreTheFiveInOrder)
{
    makeForm();
    QStringList captions;
    for (int i = 0; i < tabs()->count(); ++i)
        captions.append(tabs()->tabText(i));
    EXPECT_EQ(captions, (QStringList{"AES3 MIX", "IP MIX", "DC LOOPS", "METERS", "COMPRESSOR"}));
}

TEST_F(FormTest, OpensWithTheDesignCaptionAndClientArea)
{
    makeForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quorlan Tarn Config     File path:  "));
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->width(), form->twipsPerPixel()), 18975);
    EXPECT_DOUBLE_EQ(pixelsToTwips(form->height(), form->twipsPerPixel()), 11895);
}

TEST_F(FormTest, SwapAndPasteStartDisabled)
{
    makeForm();
    for (const char* name : {"SwapMixOut_0", "PasteMixOut_0", "SwapMixOut_1", "PasteMixOut_1"})
        EXPECT_FALSE(child<QPushButton>(QLatin1String(name))->isEnabled()) << name;
    for (const char* name : {"CopyMixOut_0", "CopyMixOut_1", "SaveCommand"})
        EXPECT_TRUE(child<QPushButton>(QLatin1String(name))->isEnabled()) << name;
}

TEST_F(FormTest, GridsTreesAndMixOutputListsDrawSixPixelCharacters)
{
    makeForm();
    for (const char* name : {"CrossPointGrid_0", "CrossPointGrid_1", "LoopsGrid_0", "LoopsGrid_1",
                             "ControlsTree_0", "ControlsTree_1", "ControlsTree_2", "ControlsTree_3",
                             "MixOutputCombo_0", "MixOutputCombo_1"}) {
        const QFontMetrics metrics(child<QWidget>(QLatin1String(name))->font());
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("MIX OUPUT 07")), 12 * 6) << name;
    }
}

TEST_F(FormTest, TabStripAndSpinnerLabelsUseTheirFonts)
{
    makeForm();
    EXPECT_EQ(tabs()->font(), tabStripFont());
    for (const char* name :
         {"AttackLabel", "HoldLabel", "DecayLabel", "GainLabel", "ThresholdLabel"})
        EXPECT_EQ(child<QLabel>(QLatin1String(name))->font(), spinnerLabelFont()) << name;
}

TEST_F(FormTest, PopupMenuOffersMuteAndUnity)
{
    makeForm();
    const auto* menu = child<QMenu>(QStringLiteral("mnuCrossPointGrid"));
    EXPECT_EQ(menu->title(), QStringLiteral("CrossPointGrid"));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->objectName(), QStringLiteral("mnuMUTE"));
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("MUTE"));
    EXPECT_EQ(menu->actions()[1]->objectName(), QStringLiteral("mnuLu"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("0dB"));
}

} // namespace
} // namespace tarn::test

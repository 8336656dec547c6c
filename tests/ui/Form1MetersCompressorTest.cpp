#include "FormFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>

namespace tarn::test {
namespace {

struct MeterRow
{
    const char* id;
    int position;
    int byte;
};

class Form1MeterTest : public FormTest, public ::testing::WithParamInterface<MeterRow>
{
};

TEST_P(Form1MeterTest, PickedSourceIsSavedAsItsByte)
{
    openSmallFolder();
    showTab(3);
    // Meter 3 starts at mix input 27 (byte 26); the other meters keep their defaults.
    child<QComboBox>(QStringLiteral("meterCombo_2"))->setCurrentIndex(GetParam().position);
    pressSave();
    QByteArray expected = hexBytes("18 19 1A 1B 1C 1D 1E 1F 48 58 FF FF FF FF FF FF");
    expected[2] = static_cast<char>(GetParam().byte);
    EXPECT_EQ(folder.read(QStringLiteral("aes3meters.trn")), expected);
}

INSTANTIATE_TEST_SUITE_P(Sources, Form1MeterTest,
                         ::testing::Values(MeterRow{"Disabled", 0, 255},
                                           MeterRow{"FirstInput", 1, 0},
                                           MeterRow{"LastInput", 64, 63},
                                           MeterRow{"FirstOutput", 65, 64},
                                           MeterRow{"LastOutput", 96, 95}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(FormTest, KeptMeterByteGivesWayToTheUsersChoice)
{
    QByteArray meters(16, char(0xFF));
    meters[5] = 100;
    folder.write(QStringLiteral("aes3meters.trn"), meters);
    openSmallFolder();
    auto* meter = child<QComboBox>(QStringLiteral("meterCombo_5"));
    meter->setCurrentIndex(3);
    meter->setCurrentIndex(0);
    EXPECT_EQ(form->model().meter(5), 255);
}

QLabel* labelOf(QSpinBox* spinner)
{
    return spinner->parentWidget()->findChild<QLabel*>();
}

// One user action on a spinner.
struct StepRow
{
    const char* id;
    void (*act)(QSpinBox& spinner);
    int expected; // hold position after the action, from 50
};

void wheel(QSpinBox& spinner, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF at = QRectF(spinner.rect()).center();
    QWheelEvent event(at, spinner.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&spinner, &event);
}

// The centre of the up or down arrow, as the style lays the spinner out.
QPoint arrowOf(const QSpinBox& spinner, QStyle::SubControl arrow)
{
    QStyleOptionSpinBox option;
    option.initFrom(&spinner);
    option.rect = spinner.rect();
    option.subControls = QStyle::SC_All;
    option.buttonSymbols = spinner.buttonSymbols();
    option.frame = spinner.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return spinner.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &spinner).center();
}

class Form1SpinnerStepTest : public FormTest, public ::testing::WithParamInterface<StepRow>
{
};

TEST_P(Form1SpinnerStepTest, EveryUserActionIsOneStep)
{
    openSmallFolder();
    showTab(4);
    auto* hold = child<QSpinBox>(QStringLiteral("HoldUpDown"));
    ASSERT_EQ(hold->value(), 50);
    GetParam().act(*hold);
    const int expected = GetParam().expected;
    EXPECT_EQ(hold->value(), expected);
    EXPECT_EQ(labelOf(hold)->text(), QString::number(expected));
    EXPECT_EQ(form->model().compressor(CompressorWord::Hold), expected * 480);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Actions, Form1SpinnerStepTest, ::testing::Values(
    StepRow{"UpKey", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_Up); }, 60},
    StepRow{"DownKey", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_Down); }, 40},
    StepRow{"PageUp", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_PageUp); }, 60},
    StepRow{"PageDown", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_PageDown); }, 40},
    StepRow{"WheelUp", [](QSpinBox& s) { wheel(s, 120, Qt::NoModifier); }, 60},
    StepRow{"ControlWheelDown", [](QSpinBox& s) { wheel(s, -120, Qt::ControlModifier); }, 40},
    StepRow{"UpArrow", [](QSpinBox& s) {
        QTest::mouseClick(&s, Qt::LeftButton, {}, arrowOf(s, QStyle::SC_SpinBoxUp)); }, 60},
    StepRow{"DownArrow", [](QSpinBox& s) {
        QTest::mouseClick(&s, Qt::LeftButton, {}, arrowOf(s, QStyle::SC_SpinBoxDown)); }, 40},
    StepRow{"TypedValue", [](QSpinBox& s) {
        QTest::keyClick(&s, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&s, QStringLiteral("5"));
        QTest::keyClick(&s, Qt::Key_Return); }, 50}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(FormTest, HoldAtItsMaximumIsSavedAsPositionTimes480)
{
    openSmallFolder();
    showTab(4);
    auto* hold = child<QSpinBox>(QStringLiteral("HoldUpDown"));
    hold->setValue(1000);
    QTest::keyClick(hold, Qt::Key_Up);
    EXPECT_EQ(labelOf(hold)->text(), QStringLiteral("1000"));
    pressSave();
    const QByteArray saved = folder.read(QStringLiteral("compressor.trn"));
    EXPECT_EQ(saved.size(), 1280);
    EXPECT_EQ(saved.mid(1028, 4), hexBytes("00 53 07 00")); // 480000
}

struct LimitRow
{
    const char* spinner;
    Qt::Key key;
    int start;
    int limit;
};

class Form1SpinnerLimitTest : public FormTest, public ::testing::WithParamInterface<LimitRow>
{
};

TEST_P(Form1SpinnerLimitTest, KeysStopAtTheLimit)
{
    openSmallFolder();
    showTab(4);
    const LimitRow& row = GetParam();
    auto* spinner = child<QSpinBox>(QLatin1String(row.spinner));
    spinner->setValue(row.start);
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(spinner, row.key);
    EXPECT_EQ(spinner->value(), row.limit);
    EXPECT_EQ(labelOf(spinner)->text(), QString::number(row.limit));
}

INSTANTIATE_TEST_SUITE_P(Limits, Form1SpinnerLimitTest,
                         ::testing::Values(LimitRow{"AttackUpDown", Qt::Key_Up, 6, 7},
                                           LimitRow{"ThresholdUpDown", Qt::Key_Up, -1, 0},
                                           LimitRow{"GainUpDown", Qt::Key_Down, -35, -36},
                                           LimitRow{"DecayUpDown", Qt::Key_Down, 1, 0}),
                         [](const auto& info) { return std::string(info.param.spinner); });

TEST_F(FormTest, EachSpinnerChangesOnlyItsOwnWord)
{
    openSmallFolder();
    showTab(4);
    pressSave();
    QByteArray expected = folder.read(QStringLiteral("compressor.trn"));
    QTest::keyClick(child<QSpinBox>(QStringLiteral("ThresholdUpDown")), Qt::Key_Down);
    QTest::keyClick(child<QSpinBox>(QStringLiteral("AttackUpDown")), Qt::Key_Up);
    QTest::keyClick(child<QSpinBox>(QStringLiteral("GainUpDown")), Qt::Key_Up);
    QTest::keyClick(child<QSpinBox>(QStringLiteral("DecayUpDown")), Qt::Key_Down);
    pressSave();
    putLE32(expected, 1040, static_cast<quint32>(-31));
    putLE32(expected, 1024, 4);
    putLE32(expected, 1036, 19);
    putLE32(expected, 1032, 6);
    EXPECT_EQ(folder.read(QStringLiteral("compressor.trn")), expected);
    EXPECT_EQ(child<QLabel>(QStringLiteral("ThresholdLabel"))->text(), QStringLiteral("-31"));
}

} // namespace
} // namespace tarn::test

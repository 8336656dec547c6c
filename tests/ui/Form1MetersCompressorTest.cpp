#include "FormFixture.h"

#include <QLabel>
#include <QSpinBox>

namespace tarn::test {
namespace {

TEST_F(FormTest, PickedMeterSourcesAreSavedAsTheirMetersBytes)
{
    openSmallFolder();
    showTab(3);
    child<QComboBox>(QStringLiteral("meterCombo_2"))->setCurrentIndex(96); // mix output 32
    child<QComboBox>(QStringLiteral("meterCombo_4"))->setCurrentIndex(0);  // DISABLED
    pressSave();
    EXPECT_EQ(folder.read(QStringLiteral("aes3meters.trn")),
              hexBytes("18 19 5F 1B FF 1D 1E 1F 48 58 FF FF FF FF FF FF"));
}

// One user action on a spinner.
struct StepRow
{
    const char* id;
    void (*act)(QSpinBox& spinner);
    int expected; // hold position after the action, from 50
};

using Form1SpinnerStepTest = FormRowTest<StepRow>;

TEST_P(Form1SpinnerStepTest, EveryUserActionIsOneStep)
{
    openSmallFolder();
    showTab(4);
    auto* hold = child<QSpinBox>(QStringLiteral("HoldUpDown"));
    ASSERT_EQ(hold->value(), 50);
    GetParam().act(*hold);
    const int expected = GetParam().expected;
    EXPECT_EQ(hold->value(), expected);
    EXPECT_EQ(child<QLabel>(QStringLiteral("HoldLabel"))->text(), QString::number(expected));
    EXPECT_EQ(form->model().compressor(CompressorWord::Hold), expected * 480);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Actions, Form1SpinnerStepTest, ::testing::Values(
    StepRow{"UpKey", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_Up); }, 60},
    // Qt asks for ten steps at a time here, and for a Ctrl+wheel turn.
    StepRow{"PageDown", [](QSpinBox& s) { QTest::keyClick(&s, Qt::Key_PageDown); }, 40},
    StepRow{"TypedValue", [](QSpinBox& s) {
        QTest::keyClick(&s, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&s, QStringLiteral("5"));
        QTest::keyClick(&s, Qt::Key_Return); }, 50}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

} // namespace
} // namespace tarn::test

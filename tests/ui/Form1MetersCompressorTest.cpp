#include "FormFixture.h"

namespace tarn::test {
namespace {

TEST_F(FormTest, PickedMeterSourcesAreSavedAsTheirMetersBytes)
{
    openSmallFolder();
    showTab(3);
    meterCombo(2)->setCurrentIndex(96); // mix output 32
    meterCombo(4)->setCurrentIndex(0);  // DISABLED
    pressSave();
    EXPECT_EQ(folder.read("aes3meters.trn"),
              hexBytes("18 19 5F 1B FF 1D 1E 1F 48 58 FF FF FF FF FF FF"));
}

// One user action on a spinner: one step within its range, the label following, and only the
// spinner's own word changed (model word = position x factor).
struct SpinnerRow
{
    const char* id;
    const char* spinner;
    const char* label;
    CompressorWord word;
    int factor;
    int start;
    Qt::Key key;       // pressed once, unless
    const char* typed; // this is typed over the value and entered
    int expected;
};

using Form1SpinnerTest = FormRowTest<SpinnerRow>;

TEST_P(Form1SpinnerTest, OneActionIsOneStepWithinTheRangeAndWritesOnlyItsWord)
{
    const SpinnerRow& row = GetParam();
    openSmallFolder();
    showTab(4);
    auto* spinner = child<QSpinBox>(QLatin1String(row.spinner));
    spinner->setValue(row.start);
    QByteArray expected = form->model().compressorImage();
    if (row.typed) {
        QTest::keyClick(spinner, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spinner, QLatin1String(row.typed));
        QTest::keyClick(spinner, Qt::Key_Return);
    } else {
        QTest::keyClick(spinner, row.key);
    }
    EXPECT_EQ(spinner->value(), row.expected);
    EXPECT_EQ(child<QLabel>(QLatin1String(row.label))->text(), QString::number(row.expected));
    putLE32(expected, 4 * static_cast<int>(row.word),
            static_cast<quint32>(row.expected * row.factor));
    EXPECT_EQ(form->model().compressorImage(), expected);
}

constexpr auto kAttack = CompressorWord::Attack;
constexpr auto kHold = CompressorWord::Hold;
constexpr auto kDecay = CompressorWord::Decay;
constexpr auto kGain = CompressorWord::Gain;
constexpr auto kThreshold = CompressorWord::Threshold;

// clang-format off
const SpinnerRow kSpinnerRows[] = {
    {"AttackBottom", "AttackUpDown", "AttackLabel", kAttack, 1, 0, Qt::Key_Down, nullptr, 0},
    {"HoldUp", "HoldUpDown", "HoldLabel", kHold, 480, 50, Qt::Key_Up, nullptr, 60},
    // Qt asks for ten steps at a time here, and for a Ctrl+wheel turn.
    {"HoldPageDown", "HoldUpDown", "HoldLabel", kHold, 480, 50, Qt::Key_PageDown, nullptr, 40},
    {"HoldTypedValue", "HoldUpDown", "HoldLabel", kHold, 480, 50, Qt::Key_unknown, "5", 50},
    {"HoldTop", "HoldUpDown", "HoldLabel", kHold, 480, 1000, Qt::Key_Up, nullptr, 1000},
    {"HoldBottom", "HoldUpDown", "HoldLabel", kHold, 480, 0, Qt::Key_Down, nullptr, 0},
    {"DecayUp", "DecayUpDown", "DecayLabel", kDecay, 1, 2, Qt::Key_Up, nullptr, 3},
    {"GainTop", "GainUpDown", "GainLabel", kGain, 1, 36, Qt::Key_Up, nullptr, 36},
    {"ThresholdTop", "ThresholdUpDown", "ThresholdLabel", kThreshold, 1, 0, Qt::Key_Up, nullptr, 0},
    {"ThresholdBottom", "ThresholdUpDown", "ThresholdLabel", kThreshold, 1, -42, Qt::Key_Down,
     nullptr, -42},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Actions, Form1SpinnerTest, ::testing::ValuesIn(kSpinnerRows),
                         [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

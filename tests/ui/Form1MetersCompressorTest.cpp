#include "FormFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

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

TEST_F(FormTest, HoldStepsByTenAndStoresPositionTimes480)
{
    openSmallFolder();
    showTab(4);
    auto* hold = child<QSpinBox>(QStringLiteral("HoldUpDown"));
    hold->stepBy(1);
    EXPECT_EQ(labelOf(hold)->text(), QStringLiteral("60"));
    EXPECT_EQ(form->model().compressor(CompressorWord::Hold), 60 * 480);
    hold->stepBy(-2);
    EXPECT_EQ(labelOf(hold)->text(), QStringLiteral("40"));
    hold->setValue(1000);
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

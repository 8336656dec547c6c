#include "FormFixture.h"

#include <QComboBox>

namespace tarn::test {
namespace {

class Form1BufferTest : public FormTest
{
protected:
    // Mix output A (index 2) of the AES3 mixer holds pointers 16 and 17 in slots A and B of
    // every input; everything else is the fresh default.
    void SetUp() override
    {
        QByteArray aes3 = defaultMixImage();
        for (int input = 0; input < 64; ++input) {
            putLE16(aes3, slotByte(2, input, 0), 16);
            putLE16(aes3, slotByte(2, input, 1), 17);
        }
        putLE32(aes3, 16384, 0x2C010000); // loop 0: pointer 300
        folder.write(QStringLiteral("aes3mix.trn"), aes3);
        openSmallFolder();
    }

    QPushButton* button(const char* family, int mixer) const
    {
        return child<QPushButton>(QLatin1String(family) + u'_' + QString::number(mixer));
    }
    void press(const char* family, int mixer) const
    {
        QTest::mouseClick(button(family, mixer), Qt::LeftButton);
    }
    void selectOutput(int mixer, int output) const
    {
        child<QComboBox>(QStringLiteral("MixOutputCombo_") + QString::number(mixer))
            ->setCurrentIndex(output);
    }
    std::vector<int> outputSlots(int mixer, int output) const
    {
        std::vector<int> words;
        for (int input = 0; input < 64; ++input)
            for (int slot = 0; slot < 4; ++slot)
                words.push_back(form->model().slot(mixer, output, input, slot));
        return words;
    }
};

TEST_F(Form1BufferTest, CopyEnablesSwapAndPasteOfThatMixerOnly)
{
    press("CopyMixOut", 0);
    EXPECT_TRUE(button("SwapMixOut", 0)->isEnabled());
    EXPECT_TRUE(button("PasteMixOut", 0)->isEnabled());
    EXPECT_FALSE(button("SwapMixOut", 1)->isEnabled());
    EXPECT_FALSE(button("PasteMixOut", 1)->isEnabled());

    showTab(1);
    press("CopyMixOut", 1);
    EXPECT_TRUE(button("SwapMixOut", 1)->isEnabled());
    EXPECT_TRUE(button("PasteMixOut", 1)->isEnabled());
}

TEST_F(Form1BufferTest, PasteCopiesOneOutputIntoOthersAndRepaints)
{
    selectOutput(0, 2);
    const std::vector<int> a = outputSlots(0, 2);
    press("CopyMixOut", 0);
    selectOutput(0, 5);
    press("PasteMixOut", 0);
    EXPECT_EQ(outputSlots(0, 5), a);
    EXPECT_EQ(form->crossPointGrid(0).text(64, 2), QStringLiteral(" Fader 2"));
    selectOutput(0, 9);
    press("PasteMixOut", 0);
    EXPECT_EQ(outputSlots(0, 9), a);
    EXPECT_EQ(outputSlots(0, 2), a);
    EXPECT_EQ(form->model().slot(0, 8, 0, 0), 0);
    EXPECT_EQ(form->model().loopAssignment(0, 0), 300);
}

TEST_F(Form1BufferTest, SwapTwiceRestoresBothAndSaveWritesTheExchange)
{
    selectOutput(0, 2);
    const std::vector<int> a = outputSlots(0, 2);
    press("CopyMixOut", 0);
    selectOutput(0, 4);
    const std::vector<int> b = outputSlots(0, 4);
    press("SwapMixOut", 0);
    EXPECT_EQ(outputSlots(0, 4), a);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" Fader 1"));

    pressSave();
    const QByteArray saved = folder.read(QStringLiteral("aes3mix.trn"));
    EXPECT_EQ(saved.mid(slotByte(4, 63, 0), 4), hexBytes("10 00 11 00"));
    EXPECT_EQ(saved.mid(slotByte(2, 63, 0), 4), hexBytes("10 00 11 00"));

    press("SwapMixOut", 0);
    EXPECT_EQ(outputSlots(0, 4), b);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" MUTE"));
    press("PasteMixOut", 0);
    EXPECT_EQ(outputSlots(0, 4), a);
}

} // namespace
} // namespace tarn::test

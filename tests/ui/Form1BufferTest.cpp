#include "FormFixture.h"

namespace tarn::test {
namespace {

class Form1BufferTest : public FormTest
{
protected:
    // Mix output 3 of the AES3 mixer holds Fader 1 and Fader 2 in slots A and B of every input;
    // everything else is the fresh default.
    void SetUp() override
    {
        QByteArray aes3 = defaultMixImage();
        for (int input = 0; input < 64; ++input) {
            putLE16(aes3, slotByte(2, input, 0), 16);
            putLE16(aes3, slotByte(2, input, 1), 17);
        }
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
    std::vector<int> outputSlots(int output) const
    {
        std::vector<int> words;
        for (int input = 0; input < 64; ++input)
            for (int slot = 0; slot < 4; ++slot)
                words.push_back(form->model().slot(0, output, input, slot));
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

TEST_F(Form1BufferTest, PasteAndSwapMoveTheWholeOutputAndRepaintIt)
{
    outputCombo(0)->setCurrentIndex(2);
    const std::vector<int> a = outputSlots(2);
    const std::vector<int> fresh = outputSlots(4);
    press("CopyMixOut", 0);
    outputCombo(0)->setCurrentIndex(5);
    press("PasteMixOut", 0);
    EXPECT_EQ(outputSlots(5), a);
    EXPECT_EQ(form->crossPointGrid(0).text(64, 2), QStringLiteral(" Fader 2"));
    EXPECT_EQ(outputSlots(2), a);

    outputCombo(0)->setCurrentIndex(4);
    press("SwapMixOut", 0);
    EXPECT_EQ(outputSlots(4), a);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" Fader 1"));
    // The buffer now holds output 5's former slots: swapping back restores both.
    press("SwapMixOut", 0);
    EXPECT_EQ(outputSlots(4), fresh);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" MUTE"));
    press("PasteMixOut", 0);
    EXPECT_EQ(outputSlots(4), a);
    EXPECT_EQ(outputSlots(3), fresh);
}

// Nothing changes in the model, yet the grid is redrawn from it (here over a stale text).
TEST_F(Form1BufferTest, PasteRightAfterCopyStillRedraws)
{
    outputCombo(0)->setCurrentIndex(2);
    press("CopyMixOut", 0);
    form->crossPointGrid(0).setText(1, 1, QStringLiteral("stale"));
    press("PasteMixOut", 0);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" Fader 1"));
}

} // namespace
} // namespace tarn::test

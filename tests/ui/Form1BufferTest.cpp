#include "FormFixture.h"

namespace tarn::test {
namespace {

// What the buffer moves is the core's; the window enables its buttons and repaints the grid.
class Form1BufferTest : public FormTest
{
protected:
    QPushButton* button(const char* family, int mixer) const
    {
        return child<QPushButton>(QLatin1String(family) + u'_' + QString::number(mixer));
    }
    void press(const char* family, int mixer = 0) const
    {
        QTest::mouseClick(button(family, mixer), Qt::LeftButton);
    }
};

TEST_F(Form1BufferTest, CopyEnablesSwapAndPasteOfThatMixerOnly)
{
    openSmallFolder();
    press("CopyMixOut", 0);
    EXPECT_TRUE(button("SwapMixOut", 0)->isEnabled() && button("PasteMixOut", 0)->isEnabled());
    EXPECT_FALSE(button("SwapMixOut", 1)->isEnabled() || button("PasteMixOut", 1)->isEnabled());
    showTab(1);
    press("CopyMixOut", 1);
    EXPECT_TRUE(button("SwapMixOut", 1)->isEnabled() && button("PasteMixOut", 1)->isEnabled());
}

// Output 3 holds Fader 1 in slot A of every input. Paste right after Copy changes nothing in
// the model, yet the grid is redrawn from it (here over a stale text); Swap repaints too.
TEST_F(Form1BufferTest, PasteRightAfterCopyStillRedrawsAndSwapRepaints)
{
    QByteArray aes3 = defaultMixImage();
    for (int input = 0; input < 64; ++input)
        putLE16(aes3, slotByte(2, input, 0), 16);
    folder.write("aes3mix.trn", aes3);
    openSmallFolder();
    GridView& grid = form->crossPointGrid(0);
    outputCombo(0)->setCurrentIndex(2);
    press("CopyMixOut");
    grid.setText(0, 0, "stale");
    press("PasteMixOut");
    EXPECT_EQ(grid.text(0, 0), " Fader 1");

    outputCombo(0)->setCurrentIndex(4);
    press("SwapMixOut");
    EXPECT_EQ(grid.text(63, 0), " Fader 1");
    EXPECT_EQ(form->model().slot(0, 4, 63, 0), 16);
}

} // namespace
} // namespace tarn::test

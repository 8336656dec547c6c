#include "FormFixture.h"

#include <QGroupBox>
#include <QImage>
#include <QPixmap>

namespace tarn::test {
namespace {

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

} // namespace
} // namespace tarn::test

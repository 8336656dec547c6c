#include "FormFixture.h"

#include <QTableWidget>

namespace tarn::test {
namespace {

TEST_F(FormTest, LoopTreeClickAssignsTheSelectedRowsDraggedUpwards)
{
    openSmallFolder();
    GridAdapter& grid = form->loopsGrid(0);
    showTab(2);
    QTableWidget* table = grid.widget();
    const auto rowCentre = [&](int row) {
        return table->visualRect(table->model()->index(row, 1)).center();
    };
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, rowCentre(6));
    QTest::mouseMove(table->viewport(), rowCentre(4));
    QTest::mouseMove(table->viewport(), rowCentre(3));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(table->currentRow(), 6);
    EXPECT_EQ(grid.otherRow(), 3);
    clickEntry(2, {"Buses", "Talkback bus"});

    for (int row = 3; row <= 6; ++row)
        EXPECT_EQ(grid.text(row, 1), QStringLiteral(" Talkback bus")) << row;
    EXPECT_EQ(grid.text(2, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(grid.text(7, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(form->model().loopAssignment(0, 2), 300);
    EXPECT_EQ(form->model().loopAssignment(0, 5), 300);
    EXPECT_EQ(form->model().loopAssignment(0, 6), 0);

    pressSave();
    const QByteArray saved = folder.read(QStringLiteral("aes3mix.trn"));
    EXPECT_EQ(saved.mid(16384, 32), hexBytes("00 00 00 00  00 00 00 00  00 00 01 2C  00 00 01 2C"
                                             "00 00 01 2C  00 00 01 2C  00 00 00 00  00 00 00 00"));
    EXPECT_EQ(saved.left(16384), defaultMixImage().left(16384));
}

TEST_F(FormTest, IpLoopTreeAssignsToTheCurrentIpLoopOnly)
{
    openSmallFolder();
    showTab(2);
    clickEntry(3, {"Returns", "Return 1"});
    EXPECT_EQ(form->loopsGrid(1).text(1, 1), QStringLiteral(" Return 1"));
    EXPECT_EQ(form->loopsGrid(1).text(2, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(form->model().loopAssignment(1, 0), 40);
    EXPECT_EQ(form->model().loopAssignment(0, 0), 0);
    EXPECT_EQ(form->loopsGrid(0).text(1, 1), QStringLiteral(" Loop off"));
}

TEST_F(FormTest, LoopHeadingClickChangesNothing)
{
    openSmallFolder();
    showTab(2);
    GridAdapter& grid = form->loopsGrid(0);
    select(grid, 2, 1, 4, 1);
    const ConfigModel before = form->model();
    clickEntry(2, {"Buses"});
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(grid.text(3, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(grid.fillMode(), GridAdapter::FillMode::CurrentCell);
}

TEST_F(FormTest, LoopDoubleClickRevealsItsControl)
{
    QByteArray aes3 = defaultMixImage();
    putLE32(aes3, 16384 + 4 * 4, 0x2D010000); // loop 4: pointer 301
    putLE32(aes3, 16384 + 4 * 5, 0x63000000); // loop 5: pointer 99, no entry
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    openSmallFolder();
    showTab(2);
    GridAdapter& grid = form->loopsGrid(0);
    QTableWidget* table = grid.widget();
    QTreeView* view = tree(2);
    const QModelIndex buses = entry(2, {"Buses"});

    const auto doubleClick = [&](int row) {
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {},
                           table->visualRect(table->model()->index(row, 1)).center());
    };
    doubleClick(6);
    EXPECT_FALSE(view->isExpanded(buses));
    doubleClick(5);
    EXPECT_TRUE(view->isExpanded(buses));
    EXPECT_FALSE(view->currentIndex().isValid());
    EXPECT_EQ(grid.text(5, 1), QStringLiteral(" Cue bus"));
    EXPECT_EQ(form->model().loopAssignment(0, 4), 301);
}

} // namespace
} // namespace tarn::test

#include "FormFixture.h"

namespace tarn::test {
namespace {

struct LoopRow
{
    const char* id;
    int mixer;
    int pressedRow; // dragged from here up to releasedRow
    int releasedRow;
    QStringList entry;
    int pointer;
    const char* savedWord; // big-endian, as the mix file holds it
};

using Form1LoopTest = FormRowTest<LoopRow>;

TEST_P(Form1LoopTest, TreeClickAssignsTheSelectedLoopsInBothForms)
{
    const LoopRow& row = GetParam();
    openSmallFolder();
    showTab(2);
    GridAdapter& grid = form->loopsGrid(row.mixer);
    // Without a drag, the current row right after start-up: row 1.
    if (row.pressedRow != row.releasedRow) {
        QWidget* viewport = grid.widget()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, cellCenter(grid, row.pressedRow, 1));
        for (int r = row.pressedRow; r >= row.releasedRow; --r)
            QTest::mouseMove(viewport, cellCenter(grid, r, 1));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCenter(grid, row.releasedRow, 1));
    }
    const ConfigModel before = form->model();
    const QStringList shown = shownState(grid);
    clickEntry(2 + row.mixer, {row.entry.first()}); // a heading: nothing changes
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(shownState(grid), shown);
    EXPECT_EQ(grid.fillMode(), GridAdapter::FillMode::CurrentCell);
    clickEntry(2 + row.mixer, row.entry);

    QByteArray words;
    for (int r = 1; r <= 8; ++r) {
        const bool assigned = r >= row.releasedRow && r <= row.pressedRow;
        EXPECT_EQ(grid.text(r, 1), assigned ? u' ' + row.entry.last() : QStringLiteral(" Loop off"))
            << r;
        EXPECT_EQ(form->model().loopAssignment(row.mixer, r - 1), assigned ? row.pointer : 0);
        EXPECT_EQ(form->model().loopAssignment(1 - row.mixer, r - 1), 0);
        words += assigned ? hexBytes(row.savedWord) : QByteArray(4, '\0');
    }
    pressSave();
    const QByteArray saved =
        folder.read(row.mixer == 0 ? QStringLiteral("aes3mix.trn") : QStringLiteral("ipmix.trn"));
    EXPECT_EQ(saved.mid(loopByte(0), 32), words);
    EXPECT_EQ(saved.left(loopByte(0)), defaultMixImage().left(loopByte(0)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Trees, Form1LoopTest, ::testing::Values(
    LoopRow{"Aes3RowsDraggedUpwards", 0, 6, 3, {"Buses", "Talkback bus"}, 300, "00 00 01 2C"},
    LoopRow{"IpCurrentRowOnly", 1, 1, 1, {"Returns", "Return 1"}, 40, "00 00 00 28"}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

} // namespace
} // namespace tarn::test

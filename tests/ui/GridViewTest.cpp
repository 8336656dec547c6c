#include "ui/GridView.h"

#include <memory>
#include <vector>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct Cell
{
    int row;
    int column;
    friend bool operator==(const Cell&, const Cell&) = default;
};

std::ostream& operator<<(std::ostream& out, const Cell& c)
{
    return out << "(" << c.row << ", " << c.column << ")";
}

std::vector<Cell> rectangle(Cell a, Cell b)
{
    std::vector<Cell> cells;
    for (int r = std::min(a.row, b.row); r <= std::max(a.row, b.row); ++r)
        for (int c = std::min(a.column, b.column); c <= std::max(a.column, b.column); ++c)
            cells.push_back({r, c});
    return cells;
}

// A crosspoint-sized grid on a shown window, taller than its rows, driven by real mouse and key
// events and read through what it reports and shows.
class GridViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(700, 1300);
        grid->setGeometry(0, 0, 680, 1280);
        m_window->show();
    }

    QPoint centreOf(Cell cell) const
    {
        return grid->visualRect(grid->model()->index(cell.row, cell.column)).center();
    }
    void click(Cell cell, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, centreOf(cell));
    }
    void drag(Cell from, Cell to) const
    {
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centreOf(from));
        QTest::mouseMove(grid->viewport(), centreOf(to));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centreOf(to));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(grid, key, modifiers);
    }

    Cell current() const { return {grid->selection().row, grid->selection().column}; }
    Cell other() const { return {grid->selection().otherRow, grid->selection().otherColumn}; }
    // The cells the view shows as selected.
    std::vector<Cell> selected() const
    {
        std::vector<Cell> cells;
        for (const QModelIndex& index : grid->selectionModel()->selectedIndexes())
            cells.push_back({index.row(), index.column()});
        std::ranges::sort(cells, {}, [](Cell c) { return std::pair(c.row, c.column); });
        return cells;
    }
    void expectSelection(Cell expectedCurrent, Cell expectedOther) const
    {
        EXPECT_EQ(current(), expectedCurrent);
        EXPECT_EQ(other(), expectedOther);
        EXPECT_EQ(selected(), rectangle(expectedCurrent, expectedOther));
    }

    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    GridView* grid = new GridView(64, 4, m_window.get(), QStringLiteral("CrossPointGrid_0"));
};

TEST_F(GridViewTest, KeysAndModifierClicksKeepOneRectangleAndTheFixedCellsOutOfIt)
{
    click({4, 1});
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    expectSelection({4, 1}, {6, 2});
    for (int k = 0; k < 3; ++k)
        key(Qt::Key_Up, Qt::ShiftModifier);
    expectSelection({4, 1}, {3, 2});
    key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    expectSelection({4, 1}, {63, 3});
    // A plain arrow moves from the current cell and collapses the selection.
    key(Qt::Key_Left);
    expectSelection({4, 0}, {4, 0});

    click({9, 3}, Qt::ControlModifier);
    expectSelection({9, 3}, {9, 3});
    key(Qt::Key_A, Qt::ControlModifier);
    expectSelection({0, 0}, {63, 3});
    key(Qt::Key_Up, Qt::ShiftModifier);
    expectSelection({0, 0}, {62, 3});

    // Nothing leads onto the fixed row or column, nor a click on them or beside the rows.
    key(Qt::Key_Home, Qt::ControlModifier);
    for (const Qt::Key k : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp})
        key(k);
    key(Qt::Key_Up, Qt::ShiftModifier);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()})
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf({63, 0}) + QPoint(0, 40));
    grid->setSelection({-1, 2, 3, 3});
    grid->setSelection({2, 2, 64, 0});
    expectSelection({0, 0}, {0, 0});
}

TEST_F(GridViewTest, TheFocusFrameStaysOnTheCurrentCellWhileShiftMovesTheOtherCorner)
{
    const auto cellImage = [this](Cell cell) {
        return grid->viewport()
            ->grab(grid->visualRect(grid->model()->index(cell.row, cell.column)))
            .toImage();
    };
    grid->setFocus();
    click({2, 1});
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return grid->hasFocus(); }));
    const QImage framedCurrent = cellImage({2, 1});
    const QImage movedCorner = cellImage({4, 1});
    grid->clearFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !grid->hasFocus(); }));
    EXPECT_NE(cellImage({2, 1}), framedCurrent);
    EXPECT_EQ(cellImage({4, 1}), movedCorner);
}

TEST_F(GridViewTest, FillModeDecidesWhatTextAndColoursReach)
{
    drag({4, 2}, {2, 1});
    EXPECT_EQ(grid->fillMode(), GridView::FillMode::CurrentCell);
    grid->setSelectionText(QStringLiteral(" one"));
    grid->setFillMode(GridView::FillMode::WholeSelection);
    grid->setSelectionColors(Qt::darkRed, Qt::white);
    for (const Cell& cell : rectangle({1, 0}, {5, 3})) {
        SCOPED_TRACE(testing::Message() << cell);
        const QModelIndex index = grid->model()->index(cell.row, cell.column);
        const bool inside = cell.row >= 2 && cell.row <= 4 && cell.column >= 1 && cell.column <= 2;
        EXPECT_EQ(index.data().toString() == QStringLiteral(" one"), (cell == Cell{4, 2}));
        EXPECT_EQ(index.data(Qt::BackgroundRole).value<QBrush>().color() == Qt::darkRed, inside);
        EXPECT_EQ(grid->foreground(cell.row, cell.column) == QColor(Qt::white), inside);
    }
    grid->cells().clearColors();
    EXPECT_EQ(grid->background(3, 1), grid->palette().color(QPalette::Base));
}

// Leave sees the old cell and selection, enter the new ones; a move raises one focus change.
TEST_F(GridViewTest, LeaveAndEnterOnlyWhenTheCurrentCellMoves)
{
    QStringList events; // "kind row/column-otherRow/otherColumn"
    for (const auto& [signal, kind] :
         {std::pair{&GridView::leaveCell, "leave"}, std::pair{&GridView::enterCell, "enter"}}) {
        QObject::connect(grid, signal, grid, [&, kind] {
            events << QString::asprintf("%s %d/%d-%d/%d", kind, current().row, current().column,
                                        other().row, other().column);
        });
    }
    QSignalSpy focusMoves(grid->selectionModel(), &QItemSelectionModel::currentChanged);

    click({2, 1});
    EXPECT_EQ(events, (QStringList{"leave 0/0-0/0", "enter 2/1-2/1"}));
    key(Qt::Key_Down);
    EXPECT_EQ(focusMoves.size(), 2);

    // Extending from the same current cell raises nothing, but leave later sees the extension.
    events.clear();
    key(Qt::Key_Down, Qt::ShiftModifier);
    click({4, 2}, Qt::ShiftModifier);
    EXPECT_TRUE(events.empty());

    drag({5, 0}, {7, 2});
    EXPECT_EQ(events, (QStringList{"leave 3/1-4/2", "enter 5/0-5/0"}));

    events.clear();
    grid->setSelection({9, 3, 9, 3});
    EXPECT_EQ(events, (QStringList{"leave 5/0-7/2", "enter 9/3-9/3"}));

    events.clear();
    click({9, 3}); // the same cell again
    grid->setSelection({9, 3, 9, 3});
    EXPECT_TRUE(events.empty());
}

TEST_F(GridViewTest, OnlyALeftDoubleClickOnACellIsReportedWithTheCellCurrent)
{
    std::vector<Cell> seen;
    QObject::connect(grid, &GridView::cellDoubleClicked, grid, [&] { seen.push_back(current()); });
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centreOf({6, 2}));
    EXPECT_EQ(seen, std::vector<Cell>{(Cell{6, 2})});

    QTest::mouseDClick(grid->verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 30));
    QTest::mouseDClick(grid->viewport(), Qt::RightButton, {}, centreOf({8, 1}));
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(current(), (Cell{6, 2}));
}

} // namespace
} // namespace tarn

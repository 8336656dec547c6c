#include "ui/GridAdapter.h"

#include <memory>
#include <vector>

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
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
// events. Cells are addressed through the QTableWidget with the grid's own numbering.
class GridAdapterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(700, 1300);
        table->setGeometry(0, 0, 680, 1280);
        m_window->show();
    }

    QPoint centreOf(Cell cell) const
    {
        return table->visualRect(table->model()->index(cell.row, cell.column)).center();
    }
    void click(Cell cell, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, centreOf(cell));
    }
    void drag(Cell from, Cell to) const
    {
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, centreOf(from));
        QTest::mouseMove(table->viewport(), centreOf(to));
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, centreOf(to));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(table, key, modifiers);
    }
    // A point on the fixed row (side == false) or column, at data column / row `section`.
    QPoint onFixed(bool side, int section) const
    {
        const QHeaderView* header = side ? table->verticalHeader() : table->horizontalHeader();
        const int at = header->sectionViewportPosition(section) + 3;
        return side ? QPoint(header->width() / 2, at) : QPoint(at, header->height() / 2);
    }

    // The adapter's current cell, checked against the table's own.
    Cell current() const
    {
        EXPECT_EQ((Cell{table->currentRow(), table->currentColumn()}),
                  (Cell{grid->row(), grid->column()}));
        return {grid->row(), grid->column()};
    }
    Cell other() const { return {grid->otherRow(), grid->otherColumn()}; }
    // The cells the table shows as selected.
    std::vector<Cell> selected() const
    {
        std::vector<Cell> cells;
        for (const QModelIndex& index : table->selectionModel()->selectedIndexes())
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
    GridAdapter* grid = new GridAdapter(65, 5, m_window.get(), QStringLiteral("CrossPointGrid_0"));
    QTableWidget* table = grid->widget();
};

struct DragCase
{
    const char* name;
    Cell from;
    Cell to;
};

class GridSelection : public GridAdapterTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(GridSelection, KeepsThePressedCellCurrentAndMovesTheOtherCorner)
{
    const DragCase& c = GetParam();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, centreOf(c.from));
    // Through a cell beyond the end, then back: the other corner follows the mouse.
    QTest::mouseMove(table->viewport(), centreOf({10, 4}));
    EXPECT_EQ(other(), (Cell{10, 4}));
    QTest::mouseMove(table->viewport(), centreOf(c.to));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, centreOf(c.to));
    expectSelection(c.from, c.to);

    // Clicking one corner and Shift-clicking the other selects the same cells the same way.
    click({20, 1});
    click(c.from);
    click(c.to, Qt::ShiftModifier);
    expectSelection(c.from, c.to);
}

INSTANTIATE_TEST_SUITE_P(Drags, GridSelection,
                         ::testing::Values(DragCase{"TopLeftToBottomRight", {3, 2}, {6, 4}},
                                           DragCase{"BottomRightToTopLeft", {6, 4}, {3, 2}},
                                           DragCase{"BottomLeftToTopRight", {6, 2}, {3, 4}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridAdapterTest, FixedCellsNeverBecomeCurrentOrSelected)
{
    for (const bool side : {false, true})
        QTest::mouseClick((side ? table->verticalHeader() : table->horizontalHeader())->viewport(),
                          Qt::LeftButton, {}, onFixed(side, side ? 5 : 2));
    // A drag out over the headers stops at the first data row and column.
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, centreOf({3, 3}));
    QTest::mouseMove(table->viewport(), QPoint(-20, -20));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, QPoint(-20, -20));
    expectSelection({3, 3}, {1, 1});
    // A click beside the rows changes nothing.
    const QPoint below(centreOf({64, 1}).x(), centreOf({64, 1}).y() + 40);
    ASSERT_FALSE(table->indexAt(below).isValid());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, below);
    expectSelection({3, 3}, {1, 1});

    grid->setCurrentCell(1, 1);
    for (const Qt::Key k : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp})
        key(k);
    key(Qt::Key_Home, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    expectSelection({1, 1}, {1, 1});

    // Nor through the table's or the adapter's own calls.
    table->setCurrentCell(0, 2);
    table->setCurrentCell(4, 0);
    table->selectionModel()->setCurrentIndex(table->model()->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect);
    expectSelection({1, 1}, {1, 1});
    grid->setCurrentCell(8, 3);
    grid->setOtherCorner(4, 1);
    grid->setCurrentCell(0, 2);
    grid->setOtherCorner(9, 0);
    grid->setCurrentCell(65, 1);
    expectSelection({8, 3}, {4, 1});
}

TEST_F(GridAdapterTest, KeysAndModifierClicksKeepOneRectangle)
{
    click({5, 2});
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    expectSelection({5, 2}, {7, 3});
    for (int k = 0; k < 3; ++k)
        key(Qt::Key_Up, Qt::ShiftModifier);
    expectSelection({5, 2}, {4, 3});
    key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    expectSelection({5, 2}, {64, 4});
    // A plain arrow moves from the current cell and collapses the selection onto it.
    key(Qt::Key_Left);
    expectSelection({5, 1}, {5, 1});

    click({10, 4}, Qt::ControlModifier);
    expectSelection({10, 4}, {10, 4});
    key(Qt::Key_A, Qt::ControlModifier);
    expectSelection({1, 1}, {64, 4});
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    expectSelection({64, 4}, {64, 4});
}

TEST_F(GridAdapterTest, DragHeldBelowTheViewKeepsExtendingDownwards)
{
    table->setGeometry(0, 0, 680, 200);
    QWidget* viewport = table->viewport();
    const QPoint below(centreOf({2, 2}).x(), viewport->height() + 30);
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf({2, 2}));
    QTest::mouseMove(viewport, below);
    // The row past the last one in view, scrolled into view.
    const int firstStep = other().row;
    EXPECT_TRUE(
        viewport->rect().intersects(table->visualRect(table->model()->index(firstStep, 2))));
    // Held there without moving, the selection grows on its own.
    EXPECT_TRUE(QTest::qWaitFor([&] { return other().row > firstStep; }, 10000));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    EXPECT_EQ(other().column, 2);
    EXPECT_EQ(current(), (Cell{2, 2}));
    EXPECT_GT(table->verticalScrollBar()->value(), 0);
    // Released, it grows no more.
    const int reached = other().row;
    EXPECT_FALSE(QTest::qWaitFor([&] { return other().row != reached; }, 300));
}

TEST_F(GridAdapterTest, FillModeDecidesWhatTextAndColoursReach)
{
    drag({5, 3}, {3, 2});
    EXPECT_EQ(grid->fillMode(), GridAdapter::FillMode::CurrentCell);
    grid->setSelectionText(QStringLiteral(" one"));
    grid->setFillMode(GridAdapter::FillMode::WholeSelection);
    grid->setSelectionColors(Qt::darkRed, Qt::white);
    for (const Cell& cell : rectangle({2, 1}, {6, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool inside = cell.row >= 3 && cell.row <= 5 && cell.column >= 2 && cell.column <= 3;
        EXPECT_EQ(table->item(cell.row, cell.column)->text() == QStringLiteral(" one"),
                  (cell == Cell{5, 3}));
        EXPECT_EQ(grid->background(cell.row, cell.column) == QColor(Qt::darkRed), inside);
        EXPECT_EQ(grid->foreground(cell.row, cell.column) == QColor(Qt::white), inside);
    }
}

// Leave sees the old cell and selection, enter the new ones, in adapter and table alike.
TEST_F(GridAdapterTest, LeaveAndEnterOnlyWhenTheCurrentCellMoves)
{
    QStringList events; // "kind row/column-otherRow/otherColumn"
    for (const auto& [signal, kind] : {std::pair{&GridAdapter::leaveCell, "leave"},
                                       std::pair{&GridAdapter::enterCell, "enter"}}) {
        QObject::connect(grid, signal, grid, [&, kind] {
            events << QString::asprintf("%s %d/%d-%d/%d", kind, current().row, current().column,
                                        other().row, other().column);
            EXPECT_EQ(selected(), rectangle(current(), other()));
        });
    }

    click({3, 2});
    EXPECT_EQ(events, (QStringList{"leave 1/1-1/1", "enter 3/2-3/2"}));

    // Extending from the same current cell raises nothing, but leave later sees the extension.
    events.clear();
    key(Qt::Key_Down, Qt::ShiftModifier);
    click({5, 3}, Qt::ShiftModifier);
    grid->setOtherCorner(4, 2);
    EXPECT_TRUE(events.empty());

    drag({6, 1}, {8, 3});
    EXPECT_EQ(events, (QStringList{"leave 3/2-4/2", "enter 6/1-6/1"}));

    events.clear();
    grid->setCurrentCell(10, 4);
    EXPECT_EQ(events, (QStringList{"leave 6/1-8/3", "enter 10/4-10/4"}));

    events.clear();
    click({10, 4}); // the same cell again
    grid->setCurrentCell(10, 4);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridAdapterTest, OnlyALeftDoubleClickOnACellIsReportedWithTheCellCurrent)
{
    std::vector<Cell> seen;
    QObject::connect(grid, &GridAdapter::doubleClicked, grid, [&] { seen.push_back(current()); });
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centreOf({7, 3}));
    EXPECT_EQ(seen, std::vector<Cell>{(Cell{7, 3})});

    QTest::mouseDClick(table->verticalHeader()->viewport(), Qt::LeftButton, {}, onFixed(true, 2));
    QTest::mouseDClick(table->viewport(), Qt::RightButton, {}, centreOf({9, 2}));
    EXPECT_EQ(seen.size(), 1u);
}

} // namespace
} // namespace tarn

#include "ui/GridAdapter.h"

#include <memory>
#include <vector>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct CellPair
{
    int row;
    int column;
    friend bool operator==(const CellPair&, const CellPair&) = default;
};

std::ostream& operator<<(std::ostream& out, const CellPair& c)
{
    return out << "(" << c.row << ", " << c.column << ")";
}

std::vector<CellPair> rectangle(CellPair a, CellPair b)
{
    std::vector<CellPair> cells;
    for (int r = std::min(a.row, b.row); r <= std::max(a.row, b.row); ++r)
        for (int c = std::min(a.column, b.column); c <= std::max(a.column, b.column); ++c)
            cells.push_back({r, c});
    return cells;
}

// The cells the view shows as selected, as the table numbers them.
std::vector<CellPair> selectedCells(const QTableWidget& table)
{
    std::vector<CellPair> cells;
    for (const QModelIndex& index : table.selectionModel()->selectedIndexes())
        cells.push_back({index.row(), index.column()});
    std::sort(cells.begin(), cells.end(), [](CellPair a, CellPair b) {
        return std::pair(a.row, a.column) < std::pair(b.row, b.column);
    });
    return cells;
}

// A crosspoint-sized grid on a shown window, driven by real mouse and key events. Cells are
// addressed through the QTableWidget with the grid's own numbering.
class GridAdapterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(700, 1300);
        table->setGeometry(0, 0, 680, 1280);
        m_window->show();
    }

    QPoint centreOf(int row, int column) const
    {
        return table->visualRect(table->model()->index(row, column)).center();
    }

    void mouse(QEvent::Type type, QWidget* target, QPoint at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, target->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
        QApplication::sendEvent(target, &event);
    }

    void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* viewport = table->viewport();
        mouse(QEvent::MouseButtonPress, viewport, centreOf(row, column), button, modifiers);
        mouse(QEvent::MouseButtonRelease, viewport, centreOf(row, column), button, modifiers);
    }

    void drag(CellPair from, CellPair to)
    {
        QWidget* viewport = table->viewport();
        mouse(QEvent::MouseButtonPress, viewport, centreOf(from.row, from.column), Qt::LeftButton);
        mouse(QEvent::MouseMove, viewport, centreOf(to.row, to.column), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, viewport, centreOf(to.row, to.column), Qt::LeftButton);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(table, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(table, &release);
    }

    // The adapter's current cell, checked against the table's own.
    CellPair current() const
    {
        EXPECT_EQ((CellPair{table->currentRow(), table->currentColumn()}),
                  (CellPair{grid->row(), grid->column()}));
        return {grid->row(), grid->column()};
    }
    CellPair other() const { return {grid->otherRow(), grid->otherColumn()}; }
    std::vector<CellPair> selected() const { return selectedCells(*table); }

    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    GridAdapter* grid = new GridAdapter(65, 5, m_window.get(), QStringLiteral("CrossPointGrid_0"));
    QTableWidget* table = grid->widget();
};

struct SizeCase
{
    const char* name;
    int rows;
    int columns;
};

class GridNumbering : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(GridNumbering, TableHasTheGridsRowsAndColumnsWithTheFixedOnesFirst)
{
    const SizeCase& size = GetParam();
    QWidget window;
    auto* grid = new GridAdapter(size.rows, size.columns, &window, QLatin1String(size.name));
    auto* table = window.findChild<QTableWidget*>(QLatin1String(size.name));
    ASSERT_EQ(table, grid->widget());
    EXPECT_EQ(window.findChild<GridAdapter*>(QLatin1String(size.name)), grid);
    EXPECT_EQ(table->rowCount(), size.rows);
    EXPECT_EQ(table->columnCount(), size.columns);
    EXPECT_EQ(grid->rows(), size.rows);
    EXPECT_EQ(grid->columns(), size.columns);

    const int lastRow = size.rows - 1;
    const int lastColumn = size.columns - 1;
    grid->setText(0, 0, QStringLiteral("corner"));
    grid->setText(0, lastColumn, QStringLiteral("top"));
    grid->setText(lastRow, 0, QStringLiteral("side"));
    grid->setText(lastRow, lastColumn, QStringLiteral(" cell"));
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("corner"));
    EXPECT_EQ(table->item(0, lastColumn)->text(), QStringLiteral("top"));
    EXPECT_EQ(table->item(lastRow, 0)->text(), QStringLiteral("side"));
    EXPECT_EQ(table->item(lastRow, lastColumn)->text(), QStringLiteral(" cell"));
    EXPECT_EQ(table->item(1, 1)->text(), QString());

    // The fixed row and column are shown by the header sections, which carry the same texts.
    EXPECT_TRUE(table->isRowHidden(0));
    EXPECT_TRUE(table->isColumnHidden(0));
    EXPECT_EQ(table->horizontalHeaderItem(lastColumn)->text(), QStringLiteral("top"));
    EXPECT_EQ(table->verticalHeaderItem(lastRow)->text(), QStringLiteral("side"));
    for (int r = 0; r < size.rows; ++r) {
        for (int c = 0; c < size.columns; ++c) {
            const bool fixed = r == 0 || c == 0;
            EXPECT_EQ(bool(table->item(r, c)->flags() & Qt::ItemIsSelectable), !fixed)
                << r << "/" << c;
            EXPECT_EQ(table->isRowHidden(r) || table->isColumnHidden(c), fixed) << r << "/" << c;
        }
    }

    // Written through the table, a fixed text reaches the adapter and its header section.
    table->item(lastRow, 0)->setText(QStringLiteral("renamed"));
    EXPECT_EQ(grid->text(lastRow, 0), QStringLiteral("renamed"));
    EXPECT_EQ(table->verticalHeaderItem(lastRow)->text(), QStringLiteral("renamed"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridNumbering,
                         ::testing::Values(SizeCase{"CrossPointGrid_0", 65, 5},
                                           SizeCase{"LoopsGrid_1", 9, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridAdapterTest, CurrentCellIsTheTablesCurrentCell)
{
    EXPECT_EQ(current(), (CellPair{1, 1}));
    grid->setCurrentCell(9, 2);
    EXPECT_EQ(table->currentRow(), 9);
    EXPECT_EQ(table->currentColumn(), 2);

    table->setCurrentCell(64, 4);
    EXPECT_EQ(current(), (CellPair{64, 4}));
    EXPECT_EQ(other(), (CellPair{64, 4}));
    EXPECT_EQ(selected(), rectangle({64, 4}, {64, 4}));
}

TEST_F(GridAdapterTest, FixedCellsNeverBecomeCurrentOrSelected)
{
    QHeaderView* top = table->horizontalHeader();
    QHeaderView* side = table->verticalHeader();
    const QPoint onTop(top->sectionViewportPosition(2) + 5, top->height() / 2);
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(5) + 3);
    mouse(QEvent::MouseButtonPress, top->viewport(), onTop, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, top->viewport(), onTop, Qt::LeftButton);
    mouse(QEvent::MouseButtonPress, side->viewport(), onSide, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, side->viewport(), onSide, Qt::LeftButton);
    // A drag out over the headers stops at the first data row and column.
    QWidget* viewport = table->viewport();
    mouse(QEvent::MouseButtonPress, viewport, centreOf(3, 3), Qt::LeftButton);
    mouse(QEvent::MouseMove, viewport, QPoint(-20, -20), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, viewport, QPoint(-20, -20), Qt::LeftButton);
    EXPECT_EQ(current(), (CellPair{3, 3}));
    EXPECT_EQ(selected(), rectangle({3, 3}, {1, 1}));

    grid->setCurrentCell(1, 1);
    for (int k : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp})
        key(k);
    key(Qt::Key_Home, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(other(), (CellPair{1, 1}));
    EXPECT_EQ(selected(), rectangle({1, 1}, {1, 1}));

    // Nor through the table's own calls.
    table->setCurrentCell(0, 2);
    table->setCurrentCell(4, 0);
    table->selectionModel()->setCurrentIndex(table->model()->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(selected(), rectangle({1, 1}, {1, 1}));

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selected(), rectangle({1, 1}, {64, 4}));

    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(current(), (CellPair{64, 4}));
}

TEST_F(GridAdapterTest, FixedCellsUseTheGridsFont)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(10);
    table->setFont(font);
    // The fixed sections are painted on the headers' viewports.
    EXPECT_EQ(table->horizontalHeader()->viewport()->font(), font);
    EXPECT_EQ(table->verticalHeader()->viewport()->font(), font);
}

TEST(GridAdapter, LoopsSizedGridKeepsItsSelectionInTheDataColumn)
{
    auto window = std::make_unique<QWidget>();
    auto* grid = new GridAdapter(9, 2, window.get(), QStringLiteral("LoopsGrid_1"));
    grid->widget()->setGeometry(0, 0, 300, 600); // taller than its rows
    window->resize(320, 620);
    window->show();
    QTableWidget* table = grid->widget();
    const QRect last = table->visualRect(table->model()->index(8, 1));
    const QPoint below(last.center().x(), last.bottom() + 40);
    ASSERT_FALSE(table->indexAt(below).isValid());

    grid->setCurrentCell(3, 1);
    grid->setOtherCorner(6, 1);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, below, table->viewport()->mapToGlobal(below), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &event);
    }
    // A click beside the rows leaves the current cell and selection as they were.
    EXPECT_EQ(table->currentRow(), 3);
    EXPECT_EQ(table->currentColumn(), 1);
    EXPECT_EQ(grid->otherRow(), 6);
    EXPECT_EQ(selectedCells(*table), rectangle({3, 1}, {6, 1}));
}

struct DragCase
{
    const char* name;
    CellPair from;
    CellPair to;
};

class GridSelection : public GridAdapterTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(GridSelection, KeepsThePressedCellCurrentAndMovesTheOtherCorner)
{
    const DragCase& c = GetParam();
    QWidget* viewport = table->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(c.from.row, c.from.column));
    // Through a cell beyond the end, then back: the other corner follows the mouse.
    QTest::mouseMove(viewport, centreOf(10, 4));
    EXPECT_EQ(current(), c.from);
    EXPECT_EQ(other(), (CellPair{10, 4}));
    QTest::mouseMove(viewport, centreOf(c.to.row, c.to.column));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(c.to.row, c.to.column));
    EXPECT_EQ(current(), c.from);
    EXPECT_EQ(other(), c.to);
    EXPECT_EQ(selected(), rectangle(c.from, c.to));

    // Clicking one corner and Shift-clicking the other selects the same cells the same way.
    click(20, 1);
    click(c.from.row, c.from.column);
    click(c.to.row, c.to.column, Qt::ShiftModifier);
    EXPECT_EQ(current(), c.from);
    EXPECT_EQ(other(), c.to);
    EXPECT_EQ(selected(), rectangle(c.from, c.to));
}

INSTANTIATE_TEST_SUITE_P(Drags, GridSelection,
                         ::testing::Values(DragCase{"TopLeftToBottomRight", {3, 2}, {6, 4}},
                                           DragCase{"BottomRightToTopLeft", {6, 4}, {3, 2}},
                                           DragCase{"BottomLeftToTopRight", {6, 2}, {3, 4}},
                                           DragCase{"TopRightToBottomLeft", {3, 4}, {6, 2}},
                                           DragCase{"OneColumn", {9, 3}, {2, 3}},
                                           DragCase{"OneCell", {5, 1}, {5, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridAdapterTest, DragHeldBelowTheViewKeepsExtendingDownwards)
{
    table->setGeometry(0, 0, 680, 200);
    QWidget* viewport = table->viewport();
    const QPoint below(centreOf(2, 2).x(), viewport->height() + 30);
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(2, 2));
    QTest::mouseMove(viewport, below);
    // The row past the last one in view, scrolled into view.
    const int firstStep = other().row;
    EXPECT_GT(firstStep, 2);
    EXPECT_TRUE(
        viewport->rect().intersects(table->visualRect(table->model()->index(firstStep, 2))));
    QTest::qWait(400);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    EXPECT_GT(other().row, firstStep);
    EXPECT_EQ(other().column, 2);
    EXPECT_EQ(current(), (CellPair{2, 2}));
    EXPECT_GT(table->verticalScrollBar()->value(), 0);
    const int reached = other().row;
    QTest::qWait(200);
    EXPECT_EQ(other().row, reached); // released: no more growth
}

TEST_F(GridAdapterTest, ShiftArrowsMoveTheOtherCornerAndKeepTheCurrentCell)
{
    click(5, 2);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{5, 2}));
    EXPECT_EQ(other(), (CellPair{7, 3}));
    EXPECT_EQ(selected(), rectangle({5, 2}, {7, 3}));

    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{5, 2}));
    EXPECT_EQ(other(), (CellPair{4, 3}));
    EXPECT_EQ(selected(), rectangle({5, 2}, {4, 3}));

    key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(other(), (CellPair{64, 4}));
    EXPECT_EQ(current(), (CellPair{5, 2}));

    // A plain arrow moves from the current cell and collapses the selection onto it.
    key(Qt::Key_Left);
    EXPECT_EQ(current(), (CellPair{5, 1}));
    EXPECT_EQ(selected(), rectangle({5, 1}, {5, 1}));
}

TEST_F(GridAdapterTest, ModifierClicksAndSelectAllStillGiveOneRectangle)
{
    drag({2, 1}, {3, 2});
    click(10, 4, Qt::ControlModifier);
    EXPECT_EQ(current(), (CellPair{10, 4}));
    EXPECT_EQ(selected(), rectangle({10, 4}, {10, 4}));

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selected(), rectangle({1, 1}, {64, 4}));
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(other(), (CellPair{64, 4}));
}

TEST_F(GridAdapterTest, ProgramSetsCurrentCellAndOtherCorner)
{
    grid->setCurrentCell(8, 3);
    grid->setOtherCorner(4, 1);
    EXPECT_EQ(current(), (CellPair{8, 3}));
    EXPECT_EQ(other(), (CellPair{4, 1}));
    EXPECT_EQ(selected(), rectangle({8, 3}, {4, 1}));

    grid->setCurrentCell(0, 2); // a fixed cell cannot be made current
    grid->setOtherCorner(9, 0);
    grid->setCurrentCell(65, 1);
    EXPECT_EQ(current(), (CellPair{8, 3}));
    EXPECT_EQ(other(), (CellPair{4, 1}));

    grid->setCurrentCell(2, 2);
    EXPECT_EQ(other(), (CellPair{2, 2}));
    EXPECT_EQ(selected(), rectangle({2, 2}, {2, 2}));
}

TEST_F(GridAdapterTest, FillModeDecidesWhatTextAndColoursReach)
{
    const QColor base = grid->background(1, 1);
    EXPECT_EQ(base, table->palette().color(QPalette::Base));
    EXPECT_EQ(grid->foreground(1, 1), table->palette().color(QPalette::Text));
    EXPECT_EQ(grid->background(0, 2), table->palette().color(QPalette::Button));
    EXPECT_EQ(grid->foreground(3, 0), table->palette().color(QPalette::ButtonText));

    drag({5, 3}, {3, 2});
    EXPECT_EQ(grid->fillMode(), GridAdapter::FillMode::CurrentCell);
    grid->setSelectionText(QStringLiteral(" one"));
    grid->setSelectionColors(Qt::darkBlue, Qt::yellow);
    for (const CellPair& cell : rectangle({2, 1}, {6, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool isCurrent = cell == CellPair{5, 3};
        EXPECT_EQ(table->item(cell.row, cell.column)->text(),
                  isCurrent ? QStringLiteral(" one") : QString());
        EXPECT_EQ(grid->background(cell.row, cell.column), isCurrent ? QColor(Qt::darkBlue) : base);
    }

    grid->setFillMode(GridAdapter::FillMode::WholeSelection);
    grid->setSelectionText(QStringLiteral(" all"));
    grid->setSelectionColors(Qt::darkRed, Qt::white);
    for (const CellPair& cell : rectangle({2, 1}, {6, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool inside = cell.row >= 3 && cell.row <= 5 && cell.column >= 2 && cell.column <= 3;
        EXPECT_EQ(table->item(cell.row, cell.column)->text() == QStringLiteral(" all"), inside);
        EXPECT_EQ(grid->background(cell.row, cell.column) == QColor(Qt::darkRed), inside);
        EXPECT_EQ(grid->foreground(cell.row, cell.column) == QColor(Qt::white), inside);
    }
    // The fixed cells around the rectangle keep their texts.
    EXPECT_EQ(grid->text(0, 2), QString());
    EXPECT_EQ(grid->text(3, 0), QString());
}

struct Event
{
    const char* kind;
    CellPair current;
    CellPair other;
    friend bool operator==(const Event& a, const Event& b)
    {
        return std::string(a.kind) == b.kind && a.current == b.current && a.other == b.other;
    }
};

std::ostream& operator<<(std::ostream& out, const Event& e)
{
    return out << e.kind << " " << e.current << "-" << e.other;
}

TEST_F(GridAdapterTest, LeaveAndEnterOnlyWhenTheCurrentCellMoves)
{
    std::vector<Event> events;
    QObject::connect(grid, &GridAdapter::leaveCell, grid, [&] {
        events.push_back({"leave", current(), other()});
        EXPECT_EQ(selected(), rectangle(current(), other()));
    });
    QObject::connect(grid, &GridAdapter::enterCell, grid, [&] {
        events.push_back({"enter", current(), other()});
        EXPECT_EQ(selected(), rectangle(current(), other()));
    });

    click(3, 2);
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {1, 1}, {1, 1}}, {"enter", {3, 2}, {3, 2}}}));

    // Extending from the same current cell raises nothing, but leave later sees the extension.
    events.clear();
    key(Qt::Key_Down, Qt::ShiftModifier);
    click(5, 3, Qt::ShiftModifier);
    grid->setOtherCorner(4, 2);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(other(), (CellPair{4, 2}));

    events.clear();
    drag({6, 1}, {8, 3});
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {3, 2}, {4, 2}}, {"enter", {6, 1}, {6, 1}}}));

    events.clear();
    grid->setCurrentCell(10, 4);
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {6, 1}, {8, 3}}, {"enter", {10, 4}, {10, 4}}}));

    events.clear();
    click(10, 4); // the same cell again
    grid->setCurrentCell(10, 4);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridAdapterTest, HighlightFollowsTheCurrentCellWhenHandlersPaintIt)
{
    // Handlers as the editor writes them: enter paints highlight, leave paints the window colours.
    const QPalette palette = table->palette();
    QObject::connect(grid, &GridAdapter::enterCell, grid, [&] {
        grid->setSelectionColors(palette.color(QPalette::Highlight),
                                 palette.color(QPalette::HighlightedText));
    });
    QObject::connect(grid, &GridAdapter::leaveCell, grid, [&] {
        grid->setSelectionColors(palette.color(QPalette::Base), palette.color(QPalette::Text));
    });
    grid->setFillMode(GridAdapter::FillMode::WholeSelection);
    const auto highlighted = [&] {
        std::vector<CellPair> cells;
        for (const CellPair& cell : rectangle({1, 1}, {20, 4})) {
            if (grid->background(cell.row, cell.column) == palette.color(QPalette::Highlight))
                cells.push_back(cell);
        }
        return cells;
    };

    // Enter paints the selection as it stands when the cell is entered: the pressed cell.
    drag({8, 1}, {5, 3});
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(highlighted(), rectangle({8, 1}, {8, 1}));
    // Leave clears the whole rectangle left behind.
    drag({12, 2}, {13, 4});
    EXPECT_EQ(highlighted(), rectangle({12, 2}, {12, 2}));
    // A rectangle that stands when a cell is entered is painted whole.
    grid->setCurrentCell(2, 2);
    grid->setOtherCorner(3, 3);
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(highlighted(), rectangle({1, 1}, {20, 4}));
    click(13, 4);
    EXPECT_EQ(highlighted(), rectangle({13, 4}, {13, 4}));
}

TEST_F(GridAdapterTest, RightButtonReportsMouseUpAndKeepsTheSelection)
{
    std::vector<Qt::MouseButton> ups;
    QObject::connect(grid, &GridAdapter::mouseUp, grid,
                     [&](Qt::MouseButton button) { ups.push_back(button); });
    drag({2, 2}, {4, 3});
    click(9, 1, Qt::NoModifier, Qt::RightButton);
    QHeaderView* side = table->verticalHeader();
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(6) + 3);
    mouse(QEvent::MouseButtonPress, side->viewport(), onSide, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, side->viewport(), onSide, Qt::RightButton);
    EXPECT_EQ(ups,
              (std::vector<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::RightButton}));
    EXPECT_EQ(current(), (CellPair{2, 2}));
    EXPECT_EQ(selected(), rectangle({2, 2}, {4, 3}));
}

TEST_F(GridAdapterTest, DoubleClickOnADataCellMakesItCurrentFirst)
{
    int doubleClicks = 0;
    CellPair seen{};
    QObject::connect(grid, &GridAdapter::doubleClicked, grid, [&] {
        ++doubleClicks;
        seen = current();
    });
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centreOf(7, 3));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(seen, (CellPair{7, 3}));

    QHeaderView* side = table->verticalHeader();
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(2) + 3);
    mouse(QEvent::MouseButtonDblClick, side->viewport(), onSide, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, table->viewport(), centreOf(7, 3), Qt::RightButton);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(GridAdapterTest, ContextMenuKeyOrShiftF10IsReported)
{
    int requests = 0;
    QObject::connect(grid, &GridAdapter::contextMenuKey, grid, [&] { ++requests; });
    key(Qt::Key_Menu);
    key(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(requests, 2);
    key(Qt::Key_F10);
    key(Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(current(), (CellPair{1, 1}));
}

TEST_F(GridAdapterTest, ColumnWidthsInTwipsBecomePixelsIncludingTheFixedColumn)
{
    grid->setColumnWidthTwips(0, 1980, 15);
    grid->setColumnWidthTwips(1, 990, 15);
    grid->setColumnWidthTwips(2, 180, 15);  // an empty column: 2 characters of 6 pixels
    grid->setColumnWidthTwips(3, 1000, 15); // 66.67 pixels
    grid->setColumnWidthTwips(4, 990, 12);
    EXPECT_EQ(grid->columnWidthPixels(0), 132);
    const int expected[] = {66, 12, 67, 83};
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(grid->columnWidthPixels(c), expected[c - 1]) << c;
        EXPECT_EQ(table->columnWidth(c), expected[c - 1]) << c;
    }

    // On screen: the fixed column is as wide as set, and the data columns follow it.
    QApplication::processEvents();
    EXPECT_EQ(table->verticalHeader()->width(), 132);
    const auto leftOf = [&](int column) {
        const QRect cell = table->visualRect(table->model()->index(1, column));
        return table->viewport()->mapTo(table, cell.topLeft()).x();
    };
    const int fixedLeft = table->verticalHeader()->mapTo(table, QPoint(0, 0)).x();
    EXPECT_EQ(leftOf(1) - fixedLeft, 132);
    EXPECT_EQ(leftOf(2) - leftOf(1), 66);
    EXPECT_EQ(leftOf(3) - leftOf(2), 12);
}

} // namespace
} // namespace tarn

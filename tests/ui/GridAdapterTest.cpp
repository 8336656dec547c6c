#include "ui/GridAdapter.h"

#include <memory>
#include <vector>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>

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

// A crosspoint-sized grid on a shown window, driven by real mouse and key events.
class GridAdapterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(700, 1300);
        grid->widget()->setGeometry(0, 0, 680, 1280);
        m_window->show();
    }

    QPoint centreOf(int row, int column) const
    {
        const QTableWidget* table = grid->widget();
        return table->visualRect(table->model()->index(row - 1, column - 1)).center();
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
        QWidget* viewport = grid->widget()->viewport();
        mouse(QEvent::MouseButtonPress, viewport, centreOf(row, column), button, modifiers);
        mouse(QEvent::MouseButtonRelease, viewport, centreOf(row, column), button, modifiers);
    }

    void drag(CellPair from, CellPair to)
    {
        QWidget* viewport = grid->widget()->viewport();
        mouse(QEvent::MouseButtonPress, viewport, centreOf(from.row, from.column), Qt::LeftButton);
        mouse(QEvent::MouseMove, viewport, centreOf(to.row, to.column), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, viewport, centreOf(to.row, to.column), Qt::LeftButton);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(grid->widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(grid->widget(), &release);
    }

    CellPair current() const { return {grid->row(), grid->column()}; }
    CellPair other() const { return {grid->otherRow(), grid->otherColumn()}; }

    // The cells the view shows as selected, in grid coordinates.
    std::vector<CellPair> selectedCells() const
    {
        std::vector<CellPair> cells;
        for (const QModelIndex& index : grid->widget()->selectionModel()->selectedIndexes())
            cells.push_back({index.row() + 1, index.column() + 1});
        std::sort(cells.begin(), cells.end(), [](CellPair a, CellPair b) {
            return std::pair(a.row, a.column) < std::pair(b.row, b.column);
        });
        return cells;
    }

    static std::vector<CellPair> rectangle(CellPair a, CellPair b)
    {
        std::vector<CellPair> cells;
        for (int r = std::min(a.row, b.row); r <= std::max(a.row, b.row); ++r)
            for (int c = std::min(a.column, b.column); c <= std::max(a.column, b.column); ++c)
                cells.push_back({r, c});
        return cells;
    }

    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    GridAdapter* grid = new GridAdapter(65, 5, m_window.get(), QStringLiteral("CrossPointGrid_0"));
};

TEST_F(GridAdapterTest, FixedCellsHoldTheirOwnTexts)
{
    grid->setText(0, 0, QStringLiteral("MIX INPUTS"));
    grid->setText(0, 3, QStringLiteral("CONTROL C"));
    grid->setText(64, 0, QStringLiteral(" 64 | Last"));
    grid->setText(64, 4, QStringLiteral(" MUTE"));
    EXPECT_EQ(grid->rows(), 65);
    EXPECT_EQ(grid->columns(), 5);
    EXPECT_EQ(grid->text(0, 0), QStringLiteral("MIX INPUTS"));
    EXPECT_EQ(grid->text(0, 3), QStringLiteral("CONTROL C"));
    EXPECT_EQ(grid->text(64, 0), QStringLiteral(" 64 | Last"));
    EXPECT_EQ(grid->text(64, 4), QStringLiteral(" MUTE"));
    EXPECT_EQ(grid->text(1, 3), QString());
    EXPECT_EQ(grid->text(0, 1), QString());
    EXPECT_EQ(grid->widget()->objectName(), QStringLiteral("CrossPointGrid_0"));
}

TEST_F(GridAdapterTest, FixedCellsNeverBecomeCurrentOrSelected)
{
    EXPECT_EQ(current(), (CellPair{1, 1}));
    QHeaderView* top = grid->widget()->horizontalHeader();
    QHeaderView* side = grid->widget()->verticalHeader();
    const QPoint onTop(top->sectionViewportPosition(2) + 5, top->height() / 2);
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(5) + 3);
    mouse(QEvent::MouseButtonPress, top->viewport(), onTop, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, top->viewport(), onTop, Qt::LeftButton);
    mouse(QEvent::MouseButtonPress, side->viewport(), onSide, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, side->viewport(), onSide, Qt::LeftButton);
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(selectedCells(), rectangle({1, 1}, {1, 1}));

    for (int k : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp})
        key(k);
    key(Qt::Key_Home, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(other(), (CellPair{1, 1}));
    EXPECT_EQ(selectedCells(), rectangle({1, 1}, {1, 1}));

    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(current(), (CellPair{64, 4}));
}

TEST_F(GridAdapterTest, FixedCellsUseTheGridsFont)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(10);
    grid->widget()->setFont(font);
    QTableWidget* table = grid->widget();
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
    const QRect last = table->visualRect(table->model()->index(7, 0));
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
    // A click beside the rows leaves a current cell with a selection around it.
    EXPECT_EQ(grid->row(), 3);
    EXPECT_EQ(grid->column(), 1);
    EXPECT_EQ(grid->otherColumn(), 1);
    EXPECT_TRUE(table->selectionModel()->isSelected(table->model()->index(2, 0)));
    EXPECT_EQ(table->selectionModel()->selectedIndexes().size(),
              std::abs(grid->otherRow() - grid->row()) + 1);
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

TEST_P(GridSelection, IsTheSameRectangleFromEitherCorner)
{
    const DragCase& c = GetParam();
    drag(c.from, c.to);
    EXPECT_EQ(current(), c.to);
    EXPECT_EQ(other(), c.from);
    EXPECT_EQ(selectedCells(), rectangle(c.from, c.to));

    // Clicking one corner and Shift-clicking the other selects the same cells.
    click(c.from.row, c.from.column);
    click(c.to.row, c.to.column, Qt::ShiftModifier);
    EXPECT_EQ(current(), c.to);
    EXPECT_EQ(other(), c.from);
    EXPECT_EQ(selectedCells(), rectangle(c.from, c.to));
}

INSTANTIATE_TEST_SUITE_P(Drags, GridSelection,
                         ::testing::Values(DragCase{"TopLeftToBottomRight", {3, 2}, {6, 4}},
                                           DragCase{"BottomRightToTopLeft", {6, 4}, {3, 2}},
                                           DragCase{"BottomLeftToTopRight", {6, 2}, {3, 4}},
                                           DragCase{"TopRightToBottomLeft", {3, 4}, {6, 2}},
                                           DragCase{"OneColumn", {9, 3}, {2, 3}},
                                           DragCase{"OneCell", {5, 1}, {5, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridAdapterTest, ShiftArrowsMoveTheCurrentCellAndKeepTheAnchor)
{
    click(5, 2);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{7, 3}));
    EXPECT_EQ(other(), (CellPair{5, 2}));
    EXPECT_EQ(selectedCells(), rectangle({5, 2}, {7, 3}));

    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(current(), (CellPair{4, 3}));
    EXPECT_EQ(selectedCells(), rectangle({5, 2}, {4, 3}));

    // A plain arrow collapses the selection to the new current cell.
    key(Qt::Key_Left);
    EXPECT_EQ(current(), (CellPair{4, 2}));
    EXPECT_EQ(selectedCells(), rectangle({4, 2}, {4, 2}));
}

TEST_F(GridAdapterTest, ModifierClicksAndSelectAllStillGiveOneRectangle)
{
    drag({2, 1}, {3, 2});
    click(10, 4, Qt::ControlModifier);
    EXPECT_EQ(selectedCells(), rectangle({current().row, current().column}, other()));
    EXPECT_EQ(current(), (CellPair{10, 4}));

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selectedCells(), rectangle({1, 1}, {64, 4}));
    EXPECT_EQ(current(), (CellPair{1, 1}));
    EXPECT_EQ(other(), (CellPair{64, 4}));
}

TEST_F(GridAdapterTest, ProgramSetsCurrentCellAndOtherCorner)
{
    grid->setCurrentCell(8, 3);
    grid->setOtherCorner(4, 1);
    EXPECT_EQ(current(), (CellPair{8, 3}));
    EXPECT_EQ(other(), (CellPair{4, 1}));
    EXPECT_EQ(selectedCells(), rectangle({8, 3}, {4, 1}));

    grid->setCurrentCell(0, 2); // a fixed cell cannot be made current
    grid->setOtherCorner(9, 0);
    EXPECT_EQ(current(), (CellPair{8, 3}));
    EXPECT_EQ(other(), (CellPair{4, 1}));

    grid->setCurrentCell(2, 2);
    EXPECT_EQ(other(), (CellPair{2, 2}));
    EXPECT_EQ(selectedCells(), rectangle({2, 2}, {2, 2}));
}

TEST_F(GridAdapterTest, FillModeDecidesWhatTextAndColoursReach)
{
    const QColor base = grid->background(1, 1);
    EXPECT_EQ(base, grid->widget()->palette().color(QPalette::Base));
    EXPECT_EQ(grid->foreground(1, 1), grid->widget()->palette().color(QPalette::Text));
    EXPECT_EQ(grid->background(0, 2), grid->widget()->palette().color(QPalette::Button));
    EXPECT_EQ(grid->foreground(3, 0), grid->widget()->palette().color(QPalette::ButtonText));

    drag({5, 3}, {3, 2});
    EXPECT_EQ(grid->fillMode(), GridAdapter::FillMode::CurrentCell);
    grid->setSelectionText(QStringLiteral(" one"));
    grid->setSelectionColors(Qt::darkBlue, Qt::yellow);
    for (const CellPair& cell : rectangle({2, 1}, {6, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool isCurrent = cell == CellPair{3, 2};
        EXPECT_EQ(grid->text(cell.row, cell.column),
                  isCurrent ? QStringLiteral(" one") : QString());
        EXPECT_EQ(grid->background(cell.row, cell.column), isCurrent ? QColor(Qt::darkBlue) : base);
    }

    grid->setFillMode(GridAdapter::FillMode::WholeSelection);
    grid->setSelectionText(QStringLiteral(" all"));
    grid->setSelectionColors(Qt::darkRed, Qt::white);
    for (const CellPair& cell : rectangle({2, 1}, {6, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool inside = cell.row >= 3 && cell.row <= 5 && cell.column >= 2 && cell.column <= 3;
        EXPECT_EQ(grid->text(cell.row, cell.column) == QStringLiteral(" all"), inside);
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

TEST_F(GridAdapterTest, LeaveSeesTheOldCellThenEnterTheNewOne)
{
    std::vector<Event> events;
    QObject::connect(grid, &GridAdapter::leaveCell, grid, [&] {
        events.push_back({"leave", current(), other()});
    });
    QObject::connect(grid, &GridAdapter::enterCell, grid, [&] {
        events.push_back({"enter", current(), other()});
    });

    click(3, 2);
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {1, 1}, {1, 1}}, {"enter", {3, 2}, {3, 2}}}));

    events.clear();
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {3, 2}, {3, 2}}, {"enter", {4, 2}, {3, 2}}}));

    events.clear();
    grid->setCurrentCell(10, 4);
    EXPECT_EQ(events, (std::vector<Event>{{"leave", {4, 2}, {3, 2}}, {"enter", {10, 4}, {10, 4}}}));

    events.clear();
    click(10, 4); // the same cell again
    grid->setCurrentCell(10, 4);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridAdapterTest, HighlightFollowsTheSelectionWhenHandlersPaintIt)
{
    // Handlers as the editor writes them: enter paints highlight, leave paints the window colours.
    const QPalette palette = grid->widget()->palette();
    QObject::connect(grid, &GridAdapter::enterCell, grid, [&] {
        grid->setSelectionColors(palette.color(QPalette::Highlight),
                                 palette.color(QPalette::HighlightedText));
    });
    QObject::connect(grid, &GridAdapter::leaveCell, grid, [&] {
        grid->setSelectionColors(palette.color(QPalette::Base), palette.color(QPalette::Text));
    });
    grid->setFillMode(GridAdapter::FillMode::WholeSelection);

    drag({8, 1}, {5, 3});
    key(Qt::Key_Up, Qt::ShiftModifier);
    drag({12, 2}, {13, 4});
    click(13, 4); // collapses the selection onto the current cell
    for (const CellPair& cell : rectangle({1, 1}, {20, 4})) {
        SCOPED_TRACE(testing::Message() << cell);
        const bool highlighted = cell == CellPair{13, 4};
        EXPECT_EQ(grid->background(cell.row, cell.column),
                  palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
    }
}

TEST_F(GridAdapterTest, RightButtonReportsMouseUpAndKeepsTheSelection)
{
    std::vector<Qt::MouseButton> ups;
    QObject::connect(grid, &GridAdapter::mouseUp, grid,
                     [&](Qt::MouseButton button) { ups.push_back(button); });
    drag({2, 2}, {4, 3});
    click(9, 1, Qt::NoModifier, Qt::RightButton);
    QHeaderView* side = grid->widget()->verticalHeader();
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(6) + 3);
    mouse(QEvent::MouseButtonPress, side->viewport(), onSide, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, side->viewport(), onSide, Qt::RightButton);
    EXPECT_EQ(ups,
              (std::vector<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::RightButton}));
    EXPECT_EQ(current(), (CellPair{4, 3}));
    EXPECT_EQ(selectedCells(), rectangle({2, 2}, {4, 3}));
}

TEST_F(GridAdapterTest, DoubleClickOnADataCellMakesItCurrentFirst)
{
    int doubleClicks = 0;
    CellPair seen{};
    QObject::connect(grid, &GridAdapter::doubleClicked, grid, [&] {
        ++doubleClicks;
        seen = current();
    });
    QWidget* viewport = grid->widget()->viewport();
    const QPoint at = centreOf(7, 3);
    mouse(QEvent::MouseButtonPress, viewport, at, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, viewport, at, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, viewport, at, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, viewport, at, Qt::LeftButton);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(seen, (CellPair{7, 3}));

    QHeaderView* side = grid->widget()->verticalHeader();
    const QPoint onSide(side->width() / 2, side->sectionViewportPosition(2) + 3);
    mouse(QEvent::MouseButtonDblClick, side->viewport(), onSide, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, viewport, at, Qt::RightButton);
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
    EXPECT_EQ(grid->columnWidthPixels(1), 66);
    EXPECT_EQ(grid->columnWidthPixels(2), 12);
    EXPECT_EQ(grid->columnWidthPixels(3), 67);
    EXPECT_EQ(grid->columnWidthPixels(4), 83);

    // On screen: the fixed column is as wide as set, and the data columns follow it.
    QApplication::processEvents();
    EXPECT_EQ(grid->widget()->verticalHeader()->width(), 132);
    const QTableWidget* table = grid->widget();
    const auto leftOf = [&](int column) {
        const QRect cell = table->visualRect(table->model()->index(0, column - 1));
        return table->viewport()->mapTo(table, cell.topLeft()).x();
    };
    const int fixedLeft = table->verticalHeader()->mapTo(table, QPoint(0, 0)).x();
    EXPECT_EQ(leftOf(1) - fixedLeft, 132);
    EXPECT_EQ(leftOf(2) - leftOf(1), 66);
    EXPECT_EQ(leftOf(3) - leftOf(2), 12);
}

} // namespace
} // namespace tarn

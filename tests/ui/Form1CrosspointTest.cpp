#include "FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>

namespace tarn::test {
namespace {

// Rows 10..12, columns B..C of mix output 8, selected from the lower left corner (the core
// carries the rule for every corner; this is the window's mapping of its selection).
TEST_F(FormTest, EntryClickFillsTheSelectionOfTheShownOutputAndSaveWritesIt)
{
    openSmallFolder();
    GridView& grid = form->crossPointGrid(0);
    outputCombo(0)->setCurrentIndex(7);
    select(grid, 11, 1, 9, 2);
    // A heading carries no pointer: it changes nothing, not even the fill mode.
    const ConfigModel before = form->model();
    const QStringList shown = shownState(grid);
    clickEntry(0, {"Faders"});
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(shownState(grid), shown);
    EXPECT_EQ(grid.fillMode(), GridView::FillMode::CurrentCell);

    clickEntry(0, {"Faders", "Fader 2"});

    QByteArray expected = defaultMixImage();
    for (int input = 0; input < 64; ++input) {
        for (int slot = 0; slot < 4; ++slot) {
            const bool inside = input >= 9 && input <= 11 && slot >= 1 && slot <= 2;
            if (inside)
                putLE16(expected, slotByte(7, input, slot), 17);
            EXPECT_EQ(grid.text(input, slot) == " Fader 2", inside) << input << "/" << slot;
        }
    }
    pressSave();
    const QByteArray saved = folder.read("aes3mix.trn");
    EXPECT_EQ(saved.mid(slotByte(7, 9, 1), 2), hexBytes("11 00"));
    EXPECT_EQ(saved, expected);

    // A longer text widens its column at once.
    select(grid, 0, 3, 0, 3);
    clickEntry(0, {"Faders", "Fader 2", "Fader 2 fine"});
    EXPECT_EQ(grid.columnWidthPixels(3), (13 + 2) * 6);
    EXPECT_EQ(form->model().slot(0, 7, 0, 3), 25);
}

struct MenuRow
{
    const char* id;
    void (*open)(const GridView& grid);
};

class Form1MenuTest : public FormTest, public ::testing::WithParamInterface<MenuRow>
{
protected:
    // Opens the pop-up menu the row's way and picks an item, as a click on it would.
    void choose(const GridView& grid, const char* item) const
    {
        GetParam().open(grid);
        auto* menu = child<QMenu>("mnuCrossPointGrid");
        ASSERT_TRUE(menu->isVisible());
        menu->findChild<QAction*>(QLatin1String(item))->trigger();
        menu->hide();
    }
};

// Each way opens the menu over its grid; its items apply to that grid's selection only.
TEST_P(Form1MenuTest, MutesOrSetsUnityOnTheSelectionOfItsGrid)
{
    openSmallFolder();
    showTab(1);
    GridView& grid = form->crossPointGrid(1);
    const auto* menu = child<QMenu>("mnuCrossPointGrid");
    EXPECT_EQ(menu->title(), "CrossPointGrid");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "MUTE");
    EXPECT_EQ(menu->actions()[1]->text(), "0dB");
    select(grid, 4, 0, 5, 1);
    QTest::keyClick(&grid, Qt::Key_F10);
    EXPECT_FALSE(menu->isVisible());

    choose(grid, "mnuLu");
    EXPECT_EQ(grid.text(4, 0), "   0dB");
    EXPECT_EQ(grid.text(5, 1), "   0dB");
    EXPECT_EQ(grid.text(19, 2), " Unity");
    EXPECT_EQ(form->model().slot(1, 0, 4, 0), 73);
    EXPECT_EQ(form->model().slot(0, 0, 4, 0), 0);
    choose(grid, "mnuMUTE");
    EXPECT_EQ(grid.text(5, 1), " MUTE");
    EXPECT_EQ(form->model().slot(1, 0, 5, 1), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ways, Form1MenuTest, ::testing::Values(
    // Over a cell outside the selection, which the right button leaves as it is.
    MenuRow{"RightButton", [](const GridView& grid) {
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cellCenter(grid, 19, 2));
    }},
    MenuRow{"RightButtonOnALabel", [](const GridView& grid) {
        const QHeaderView* labels = grid.verticalHeader();
        QTest::mouseClick(labels->viewport(), Qt::RightButton, {},
                          QPoint(labels->width() / 2, labels->sectionViewportPosition(19) + 3));
    }},
    MenuRow{"MenuKey", [](const GridView& grid) {
        QTest::keyClick(const_cast<GridView*>(&grid), Qt::Key_Menu);
    }},
    MenuRow{"ShiftF10", [](const GridView& grid) {
        QTest::keyClick(const_cast<GridView*>(&grid), Qt::Key_F10, Qt::ShiftModifier);
    }}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(FormTest, KeyboardAloneSelectsCellsAndAssignsFromTheTree)
{
    openSmallFolder();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    GridView* table = &form->crossPointGrid(0);
    table->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
        QTest::keyClick(table, key);
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), tree(0));

    // Entering the tree makes its first entry current, or the first Down does.
    if (!tree(0)->currentIndex().isValid())
        QTest::keyClick(tree(0), Qt::Key_Down);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(tree(0), key);
    ASSERT_EQ(tree(0)->currentIndex().data().toString(), "Fader 2");
    QTest::keyClick(tree(0), Qt::Key_Return);

    const GridView& grid = form->crossPointGrid(0);
    EXPECT_EQ(grid.text(2, 1), " Fader 2");
    EXPECT_EQ(grid.text(3, 1), " Fader 2");
    EXPECT_EQ(grid.text(4, 1), " Unity");
    EXPECT_EQ(form->model().slot(0, 0, 3, 1), 17);
}

struct RevealRow
{
    const char* id;
    int set;
    int row;
    int column;
    QStringList expanded; // the headings opened down to the entry; none for an invalid pointer
};

using Form1RevealTest = FormRowTest<RevealRow>;

TEST_P(Form1RevealTest, DoubleClickRevealsTheControlWithoutSelectingIt)
{
    const RevealRow& row = GetParam();
    QByteArray aes3 = defaultMixImage();
    putLE16(aes3, slotByte(0, 6, 2), 25);   // cell (6, 2): Fader 2 fine
    putLE16(aes3, slotByte(0, 0, 0), 999);  // cell (0, 0): no entry
    putLE32(aes3, loopByte(4), 0x2D010000); // loop 4: pointer 301, Cue bus
    folder.write("aes3mix.trn", aes3);
    openSmallFolder();
    showTab(row.set < 2 ? row.set : 2);
    GridView& grid = row.set < 2 ? form->crossPointGrid(row.set) : form->loopsGrid(0);
    const ConfigModel before = form->model();
    const QString text = grid.text(row.row, row.column);

    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(grid, row.row, row.column));
    QTreeView* view = tree(row.set);
    QStringList expanded;
    for (QModelIndex index = view->model()->index(0, 0); index.isValid();
         index = view->indexBelow(index)) {
        if (view->isExpanded(index))
            expanded << index.data().toString();
    }
    EXPECT_EQ(expanded, row.expanded);
    EXPECT_FALSE(view->currentIndex().isValid());
    EXPECT_TRUE(view->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(grid.text(row.row, row.column), text);
    EXPECT_TRUE(form->model() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Form1RevealTest,
    ::testing::Values(RevealRow{"CrossPointEntry", 0, 6, 2, {"Faders", "Fader 2"}},
                      RevealRow{"CrossPointInvalid", 0, 0, 0, {}},
                      RevealRow{"LoopEntry", 2, 4, 0, {"Buses"}}),
    [](const auto& info) { return std::string(info.param.id); });

// Until the first assignment only the current cell is painted; from then on the selection as
// it stands when the current cell moves. Every painted cell gets its colours back when the
// current cell moves on, also after the selection shrank from the current cell.
struct HighlightRow
{
    const char* id;
    int paintedAtEnter; // cells highlighted once the large selection's current cell was entered
    void (*selectLarge)(GridView& grid);
};

using Form1HighlightTest = FormRowTest<HighlightRow>;

TEST_P(Form1HighlightTest, FollowsTheCurrentCellAndGivesBackEveryPaintedCell)
{
    openSmallFolder();
    GridView& grid = form->crossPointGrid(0);
    GridView* table = &grid;
    const QPalette palette = table->palette();
    const auto highlighted = [&] {
        QStringList cells;
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = 0; c < grid.columns(); ++c)
                if (grid.background(r, c) == palette.color(QPalette::Highlight))
                    cells.append(QStringLiteral("%1/%2").arg(r).arg(c));
        return cells;
    };
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCenter(grid, 3, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCenter(grid, 5, 2));
    EXPECT_EQ(highlighted(), QStringList{"3/1"});
    EXPECT_EQ(grid.foreground(3, 1), palette.color(QPalette::HighlightedText));
    EXPECT_EQ(grid.foreground(0, 0), palette.color(QPalette::Text));
    clickEntry(0, {"Switching", "MUTE"});

    // The large selection is entered from another cell; extending it from there paints nothing.
    GetParam().selectLarge(grid);
    EXPECT_EQ(highlighted().size(), GetParam().paintedAtEnter);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Left, Qt::ShiftModifier);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCenter(grid, 29, 1));
    EXPECT_EQ(highlighted(), QStringList{"29/1"});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Selections, Form1HighlightTest, ::testing::Values(
    // Ctrl+A makes the first cell current: from another cell it is entered.
    HighlightRow{"CtrlA", 64 * 4, [](GridView& grid) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(grid, 5, 1));
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier); }},
    HighlightRow{"ShiftArrows", 1, [](GridView& grid) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(grid, 4, 0));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(&grid, key, Qt::ShiftModifier); }}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

} // namespace
} // namespace tarn::test

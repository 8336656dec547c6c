#include "FormFixture.h"

namespace tarn::test {
namespace {

// A block selected from its lower left corner (the core carries the rule for every corner and
// for both forms of a loop; this is the window's mapping of its selection): a heading changes
// nothing, not even the fill mode; an entry fills the block, and Save writes it.
struct FillRow
{
    const char* id;
    int set;
    int output; // shown in the mix output list
    CellRect block;
    QStringList heading;
    QStringList control;
    const char* shown;
    void (*written)(QByteArray& mix, int row, int column); // a cell of the block, as saved
};

using Form1FillTest = FormRowTest<FillRow>;

TEST_P(Form1FillTest, EntryClickFillsTheSelectionAndSaveWritesIt)
{
    const FillRow& row = GetParam();
    openSmallFolder();
    GridView& grid = row.set == 0 ? form->crossPointGrid(0) : form->loopsGrid(0);
    showTab(row.set);
    outputCombo(0)->setCurrentIndex(row.output);
    grid.setSelection(row.block);
    const ConfigModel before = form->model();
    const QStringList shown = shownState(grid);
    clickEntry(row.set, row.heading);
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(shownState(grid), shown);
    EXPECT_EQ(grid.fillMode(), GridView::FillMode::CurrentCell);

    clickEntry(row.set, row.control);
    QByteArray expected = defaultMixImage();
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.columns(); ++c) {
            const bool inside = row.block.contains(r, c);
            if (inside)
                row.written(expected, r, c);
            EXPECT_EQ(grid.text(r, c) == QLatin1String(row.shown), inside) << r << "/" << c;
        }
    }
    pressSave();
    EXPECT_EQ(folder.read("aes3mix.trn"), expected);
    EXPECT_EQ(folder.read("ipmix.trn"), defaultMixImage());
    if (row.set != 0)
        return;
    // A longer text widens its column at once.
    select(grid, 0, 3, 0, 3);
    clickEntry(0, {"Faders", "Fader 2", "Fader 2 fine"});
    EXPECT_EQ(grid.columnWidthPixels(3), (13 + 2) * 6);
    EXPECT_EQ(form->model().slot(0, 7, 0, 3), 25);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Grids, Form1FillTest, ::testing::Values(
    // Rows 10..12, columns B..C of mix output 8.
    FillRow{"CrossPoints", 0, 7, {11, 1, 9, 2}, {"Faders"}, {"Faders", "Fader 2"}, " Fader 2",
            [](QByteArray& mix, int r, int c) { putLE16(mix, slotByte(7, r, c), 17); }},
    // Rows 3..6 of the AES3 loops; the IP loops tree is the undo test's.
    FillRow{"Loops", 2, 0, {5, 0, 2, 0}, {"Buses"}, {"Buses", "Talkback bus"}, " Talkback bus",
            [](QByteArray& mix, int r, int) {
                mix.replace(loopByte(r), 4, hexBytes("00 00 01 2C")); }}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

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
    }}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(FormTest, KeyboardAloneSelectsCellsAndAssignsFromTheTree)
{
    openActive();
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

// What the buffer moves is the core's; the window enables its buttons and repaints the grid.
// Output 3 holds Fader 1 in slot A of every input. Paste right after Copy changes nothing in
// the model, yet the grid is redrawn from it (here over a stale text); Swap repaints too.
TEST_F(FormTest, CopyEnablesItsMixersButtonsAndPasteAndSwapRedraw)
{
    QByteArray aes3 = defaultMixImage();
    for (int input = 0; input < 64; ++input)
        putLE16(aes3, slotByte(2, input, 0), 16);
    folder.write("aes3mix.trn", aes3);
    openSmallFolder();
    const auto enabled = [this](int mixer) { // of Swap and Paste
        const QString n = QString::number(mixer);
        return int(child<QPushButton>("SwapMixOut_" + n)->isEnabled()) +
               int(child<QPushButton>("PasteMixOut_" + n)->isEnabled());
    };
    GridView& grid = form->crossPointGrid(0);
    outputCombo(0)->setCurrentIndex(2);
    clickButton("CopyMixOut_0");
    EXPECT_EQ(enabled(0), 2);
    EXPECT_EQ(enabled(1), 0);
    grid.setText(0, 0, "stale");
    clickButton("PasteMixOut_0");
    EXPECT_EQ(grid.text(0, 0), " Fader 1");

    outputCombo(0)->setCurrentIndex(4);
    clickButton("SwapMixOut_0");
    EXPECT_EQ(grid.text(63, 0), " Fader 1");
    EXPECT_EQ(form->model().slot(0, 4, 63, 0), 16);

    showTab(1);
    clickButton("CopyMixOut_1");
    EXPECT_EQ(enabled(1), 2);
}

} // namespace
} // namespace tarn::test

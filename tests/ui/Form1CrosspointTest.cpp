#include "FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTableWidget>

namespace tarn::test {
namespace {

QPoint cellCenter(const GridAdapter& grid, int row, int column)
{
    const QTableWidget* table = grid.widget();
    return table->visualRect(table->model()->index(row, column)).center();
}

QMenu* popupMenu(const Form1& form)
{
    return form.findChild<QMenu*>(QStringLiteral("mnuCrossPointGrid"));
}

// Picks an item of the open pop-up menu, as a click on it would.
void choose(const Form1& form, const char* action)
{
    QMenu* menu = popupMenu(form);
    ASSERT_TRUE(menu->isVisible());
    menu->findChild<QAction*>(QLatin1String(action))->trigger();
    menu->hide();
}

TEST_F(FormTest, TreeClickAssignsTheEntryToTheSelectedCellsAndSaveWritesIt)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    select(grid, 3, 2, 5, 2);
    clickEntry(0, {"Faders", "Fader 2"});

    for (int row = 3; row <= 5; ++row)
        EXPECT_EQ(grid.text(row, 2), QStringLiteral(" Fader 2")) << row;
    EXPECT_EQ(grid.text(2, 2), QStringLiteral(" Unity"));
    EXPECT_EQ(grid.text(6, 2), QStringLiteral(" Unity"));
    EXPECT_EQ(grid.fillMode(), GridAdapter::FillMode::WholeSelection);

    pressSave();
    QByteArray expected = defaultMixImage();
    for (int input = 2; input <= 4; ++input)
        putLE16(expected, slotByte(0, input, 1), 17);
    const QByteArray saved = folder.read(QStringLiteral("aes3mix.trn"));
    EXPECT_EQ(saved.mid(slotByte(0, 2, 1), 2), hexBytes("11 00"));
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(folder.read(QStringLiteral("ipmix.trn")), defaultMixImage());
}

struct CornerRow
{
    const char* id;
    int row;
    int column;
    int otherRow;
    int otherColumn;
};

class Form1SelectionCornerTest : public FormTest, public ::testing::WithParamInterface<CornerRow>
{
};

TEST_P(Form1SelectionCornerTest, FillsTheSameRectangleFromAnyCorner)
{
    openSmallFolder();
    const CornerRow& corner = GetParam();
    GridAdapter& grid = form->crossPointGrid(0);
    child<QComboBox>(QStringLiteral("MixOutputCombo_0"))->setCurrentIndex(7);
    select(grid, corner.row, corner.column, corner.otherRow, corner.otherColumn);
    clickEntry(0, {"Faders", "Fader 1"});

    const ConfigModel& model = form->model();
    for (int input = 0; input < 64; ++input) {
        for (int slot = 0; slot < 4; ++slot) {
            const bool inside = input >= 9 && input <= 11 && slot >= 1 && slot <= 2;
            const int expected = inside ? 16 : (slot == 0 ? 0 : 73);
            EXPECT_EQ(model.slot(0, 7, input, slot), expected) << input << "/" << slot;
        }
    }
    EXPECT_EQ(model.slot(0, 6, 10, 1), 73);
    EXPECT_EQ(grid.text(12, 3), QStringLiteral(" Fader 1"));
}

INSTANTIATE_TEST_SUITE_P(Corners, Form1SelectionCornerTest,
                         ::testing::Values(CornerRow{"TopLeft", 10, 2, 12, 3},
                                           CornerRow{"BottomRight", 12, 3, 10, 2},
                                           CornerRow{"TopRight", 10, 3, 12, 2},
                                           CornerRow{"BottomLeft", 12, 2, 10, 3}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(FormTest, LongerEntryWidensItsColumnAtOnce)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    select(grid, 1, 4, 1, 4);
    clickEntry(0, {"Faders", "Fader 2", "Fader 2 fine"});
    EXPECT_EQ(grid.text(1, 4), QStringLiteral(" Fader 2 fine"));
    EXPECT_EQ(grid.columnWidthPixels(4), (13 + 2) * 6);
    EXPECT_EQ(grid.columnWidthPixels(3), (9 + 2) * 6);
    EXPECT_EQ(form->model().slot(0, 0, 0, 3), 25);
}

TEST_F(FormTest, HeadingClickChangesNothing)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    select(grid, 2, 1, 4, 4);
    const ConfigModel before = form->model();
    const int width = grid.columnWidthPixels(1);
    clickEntry(0, {"Faders"});

    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(grid.text(2, 1), QStringLiteral(" MUTE"));
    EXPECT_EQ(grid.text(4, 4), QStringLiteral(" Unity"));
    EXPECT_EQ(grid.columnWidthPixels(1), width);
    EXPECT_EQ(grid.fillMode(), GridAdapter::FillMode::CurrentCell);
}

TEST_F(FormTest, RightClickMenuMutesAndSetsUnityOnTheSelection)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    select(grid, 5, 1, 6, 2);
    QTest::mouseClick(grid.widget()->viewport(), Qt::RightButton, {}, cellCenter(grid, 20, 3));
    choose(*form, "mnuLu");
    EXPECT_EQ(grid.text(5, 1), QStringLiteral("   0dB"));
    EXPECT_EQ(grid.text(6, 2), QStringLiteral("   0dB"));
    EXPECT_EQ(form->model().slot(0, 0, 4, 0), 73);
    EXPECT_EQ(grid.text(20, 3), QStringLiteral(" Unity"));

    QTest::mouseClick(grid.widget()->viewport(), Qt::RightButton, {}, cellCenter(grid, 5, 1));
    choose(*form, "mnuMUTE");
    EXPECT_EQ(grid.text(6, 2), QStringLiteral(" MUTE"));
    EXPECT_EQ(form->model().slot(0, 0, 5, 1), 0);

    // Shown again from the model, the cells take the tree's texts for pointers 0 and 73.
    QTest::mouseClick(grid.widget()->viewport(), Qt::RightButton, {}, cellCenter(grid, 5, 1));
    choose(*form, "mnuLu");
    auto* outputs = child<QComboBox>(QStringLiteral("MixOutputCombo_0"));
    outputs->setCurrentIndex(1);
    outputs->setCurrentIndex(0);
    EXPECT_EQ(grid.text(6, 2), QStringLiteral(" Unity"));
}

TEST_F(FormTest, LeftClickOpensNoMenu)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    QTest::mouseClick(grid.widget()->viewport(), Qt::LeftButton, {}, cellCenter(grid, 2, 2));
    EXPECT_FALSE(popupMenu(*form)->isVisible());
}

struct MenuKeyRow
{
    const char* id;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class Form1MenuKeyTest : public FormTest, public ::testing::WithParamInterface<MenuKeyRow>
{
};

TEST_P(Form1MenuKeyTest, OpensTheMenuForThatGrid)
{
    openSmallFolder();
    showTab(1);
    GridAdapter& grid = form->crossPointGrid(1);
    select(grid, 3, 3, 3, 3);
    QTest::keyClick(grid.widget(), GetParam().key, GetParam().modifiers);
    choose(*form, "mnuMUTE");
    EXPECT_EQ(grid.text(3, 3), QStringLiteral(" MUTE"));
    EXPECT_EQ(form->model().slot(1, 0, 2, 2), 0);
    EXPECT_EQ(form->model().slot(0, 0, 2, 2), 73);
}

INSTANTIATE_TEST_SUITE_P(Keys, Form1MenuKeyTest,
                         ::testing::Values(MenuKeyRow{"MenuKey", Qt::Key_Menu, Qt::NoModifier},
                                           MenuKeyRow{"ShiftF10", Qt::Key_F10, Qt::ShiftModifier}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(FormTest, KeyboardAloneSelectsCellsAndAssignsFromTheTree)
{
    openSmallFolder();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTableWidget* table = form->crossPointGrid(0).widget();
    table->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
        QTest::keyClick(table, key);
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), tree(0));

    // Entering the tree makes its first entry current, or the first Down does.
    if (!tree(0)->currentIndex().isValid())
        QTest::keyClick(tree(0), Qt::Key_Down);
    ASSERT_EQ(tree(0)->currentIndex().data().toString(), QStringLiteral("Faders"));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(tree(0), key);
    ASSERT_EQ(tree(0)->currentIndex().data().toString(), QStringLiteral("Fader 2"));
    QTest::keyClick(tree(0), Qt::Key_Return);

    const GridAdapter& grid = form->crossPointGrid(0);
    EXPECT_EQ(grid.text(3, 2), QStringLiteral(" Fader 2"));
    EXPECT_EQ(grid.text(4, 2), QStringLiteral(" Fader 2"));
    EXPECT_EQ(grid.text(5, 2), QStringLiteral(" Unity"));
    EXPECT_EQ(form->model().slot(0, 0, 3, 1), 17);
}

TEST_F(FormTest, DoubleClickRevealsTheCellsControlWithoutSelectingIt)
{
    QByteArray aes3 = defaultMixImage();
    putLE16(aes3, slotByte(0, 6, 2), 25);
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    QTreeView* view = tree(0);
    const QModelIndex faders = entry(0, {"Faders"});
    const QModelIndex fader2 = entry(0, {"Faders", "Fader 2"});
    ASSERT_FALSE(view->isExpanded(faders));

    QTest::mouseDClick(grid.widget()->viewport(), Qt::LeftButton, {}, cellCenter(grid, 7, 3));
    EXPECT_TRUE(view->isExpanded(faders));
    EXPECT_TRUE(view->isExpanded(fader2));
    EXPECT_FALSE(view->currentIndex().isValid());
    EXPECT_TRUE(view->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(grid.text(7, 3), QStringLiteral(" Fader 2 fine"));
    EXPECT_EQ(form->model().slot(0, 0, 6, 2), 25);
}

TEST_F(FormTest, DoubleClickOnAnInvalidCellRevealsNothing)
{
    QByteArray aes3 = defaultMixImage();
    putLE16(aes3, slotByte(0, 0, 0), 999);
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    QTest::mouseDClick(grid.widget()->viewport(), Qt::LeftButton, {}, cellCenter(grid, 1, 1));
    EXPECT_FALSE(tree(0)->isExpanded(entry(0, {"Faders"})));
    EXPECT_FALSE(tree(0)->isExpanded(entry(0, {"Switching"})));
    EXPECT_EQ(grid.text(1, 1), QStringLiteral(" ----INVALID----"));
}

TEST_F(FormTest, HighlightFollowsTheCurrentCellAndLaterTheWholeSelection)
{
    openSmallFolder();
    GridAdapter& grid = form->crossPointGrid(0);
    QTableWidget* table = grid.widget();
    const QPalette palette = table->palette();
    const QColor highlight = palette.color(QPalette::Highlight);
    const auto highlighted = [&] {
        QStringList cells;
        for (int r = 1; r < table->rowCount(); ++r) {
            for (int c = 1; c < table->columnCount(); ++c) {
                if (grid.background(r, c) == highlight)
                    cells.append(QStringLiteral("%1/%2").arg(r).arg(c));
            }
        }
        return cells;
    };

    // Until the first assignment only the current cell is painted.
    table->setCurrentCell(4, 2);
    grid.setOtherCorner(6, 3);
    EXPECT_EQ(highlighted(), QStringList{QStringLiteral("4/2")});
    EXPECT_EQ(grid.foreground(4, 2), palette.color(QPalette::HighlightedText));
    EXPECT_EQ(grid.foreground(1, 1), palette.color(QPalette::Text));

    // From then on, the selection as it stands when the current cell moves. Extending it from
    // the same current cell paints nothing; leaving clears the whole rectangle left behind.
    clickEntry(0, {"Switching", "MUTE"});
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCenter(grid, 10, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      cellCenter(grid, 11, 1));
    EXPECT_EQ(highlighted(), QStringList{QStringLiteral("10/1")});
    select(grid, 20, 2, 21, 4);
    EXPECT_EQ(highlighted(), QStringList{QStringLiteral("20/2")});
    EXPECT_EQ(table->currentRow(), 20);

    // A rectangle standing when the cell moves, as after Ctrl+A, is painted whole.
    table->setFocus();
    QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(highlighted().size(), 64 * 4);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCenter(grid, 7, 3));
    EXPECT_EQ(highlighted(), QStringList{QStringLiteral("7/3")});
}

TEST_F(FormTest, GridsAreNumberedAsTheirCellsThroughTheTable)
{
    openSmallFolder();
    auto* table = child<QTableWidget>(QStringLiteral("CrossPointGrid_0"));
    EXPECT_EQ(form->findChild<GridAdapter*>(QStringLiteral("CrossPointGrid_0")),
              &form->crossPointGrid(0));
    ASSERT_EQ(table->rowCount(), 65);
    ASSERT_EQ(table->columnCount(), 5);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("MIX INPUTS"));
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("CONTROL A"));
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("CONTROL D"));
    EXPECT_EQ(table->item(3, 0)->text(), QStringLiteral(" 03 | Phone"));
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral(" MUTE"));
    EXPECT_EQ(table->item(64, 4)->text(), QStringLiteral(" Unity"));
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("CONTROL A"));
    EXPECT_EQ(table->verticalHeaderItem(3)->text(), QStringLiteral(" 03 | Phone"));
    EXPECT_EQ(table->columnWidth(1), (9 + 2) * 6);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 1);

    // The cell the table makes current is the one an assignment fills: input 3, slot B.
    table->setCurrentCell(3, 2);
    clickEntry(0, {"Faders", "Fader 1"});
    EXPECT_EQ(table->item(3, 2)->text(), QStringLiteral(" Fader 1"));
    EXPECT_EQ(form->model().slot(0, 0, 2, 1), 16);
    EXPECT_EQ(form->model().slot(0, 0, 2, 0), 0);

    auto* loops = child<QTableWidget>(QStringLiteral("LoopsGrid_0"));
    ASSERT_EQ(loops->rowCount(), 9);
    ASSERT_EQ(loops->columnCount(), 2);
    EXPECT_EQ(loops->item(0, 0)->text(), QStringLiteral("LOOP"));
    EXPECT_EQ(loops->item(2, 0)->text(), QStringLiteral(" 02 | Cue"));
    EXPECT_EQ(loops->item(8, 1)->text(), QStringLiteral(" Loop off"));
}

} // namespace
} // namespace tarn::test

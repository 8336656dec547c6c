#include "FormFixture.h"

#include <vector>

namespace tarn::test {
namespace {

// What a screen reader reads for a widget: a list by the label related to it (its own name is
// its current entry), everything else by its name.
QString spokenName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face->role() == QAccessible::ComboBox) {
        const auto labels = face->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return face->text(QAccessible::Name);
}

struct NameRow
{
    const char* widget;
    const char* spoken;
};

using AccessibleNameTest = FormRowTest<NameRow>;

TEST_P(AccessibleNameTest, ReadsWhatTheWidgetHolds)
{
    openSmallFolder();
    EXPECT_EQ(spokenName(child<QWidget>(QLatin1String(GetParam().widget))),
              QLatin1String(GetParam().spoken));
}

INSTANTIATE_TEST_SUITE_P(Widgets, AccessibleNameTest,
                         ::testing::Values(NameRow{"meterCombo_15", "Meter 16"},
                                           NameRow{"MixOutputCombo_1", "IP Mixer Output"},
                                           NameRow{"LoopsGridFrame_0", "AES3 Output Loops"},
                                           NameRow{"ControlsTree_3", "IP loop controls"},
                                           NameRow{"LoopsGrid_1", "IP loop assignments"},
                                           NameRow{"PasteMixOut_1", "Paste from buffer (IP mix)"}),
                         [](const auto& info) { return std::string(info.param.widget); });

// Ctrl+Tab and Ctrl+Shift+Tab: one focus event, on the new page's widget, from anywhere.
struct PageKeyRow
{
    const char* id;
    const char* from;
    std::vector<int> steps; // +1 Ctrl+Tab, -1 Ctrl+Shift+Tab
    int tab;
    const char* to;
};

using PageKeyTest = FormRowTest<PageKeyRow>;

TEST_P(PageKeyTest, MovesTheFocusStraightToTheNewPage)
{
    const PageKeyRow& row = GetParam();
    openActive();
    if (!form->findChild<QWidget*>(QLatin1String(row.from))) { // the find field, made on use
        tree(0)->setFocus();
        press(Qt::Key_F);
    }
    auto* from = child<QWidget>(QLatin1String(row.from));
    for (int tab = 0; tab < 5; ++tab) {
        if (tabs()->widget(tab)->isAncestorOf(from))
            showTab(tab);
    }
    from->setFocus();
    ASSERT_TRUE(from->hasFocus());
    // Each change is a focus event for a screen reader, a cleared focus included.
    std::vector<QWidget*> changes;
    const auto connection =
        QObject::connect(qApp, &QApplication::focusChanged, form.get(),
                         [&changes](QWidget*, QWidget* now) { changes.push_back(now); });
    for (const int step : row.steps) {
        QTest::keyClick(QApplication::focusWidget(), step > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                        step > 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    }
    QObject::disconnect(connection);

    EXPECT_EQ(tabs()->currentIndex(), row.tab);
    auto* to = child<QWidget>(QLatin1String(row.to));
    EXPECT_TRUE(to->hasFocus());
    // Every key is heard once, on the widget it leads to.
    ASSERT_EQ(changes.size(), row.steps.size());
    EXPECT_EQ(changes.back(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PageKeyTest,
    ::testing::Values(
        PageKeyRow{"FromAMeterList", "meterCombo_4", {1}, 4, "AttackUpDown"},
        PageKeyRow{"FromAGrid", "CrossPointGrid_0", {1}, 1, "CrossPointGrid_1"},
        PageKeyRow{"WrapsAround", "ThresholdUpDown", {1}, 0, "CrossPointGrid_0"},
        PageKeyRow{"BackFromSave", "SaveCommand", {-1}, 4, "AttackUpDown"},
        PageKeyRow{"BackFromATree", "ControlsTree_2", {-1}, 1, "CrossPointGrid_1"},
        PageKeyRow{"FromTheFindField", "FindControlField", {1}, 1, "CrossPointGrid_1"},
        PageKeyRow{"BackToTheTreeItFound", "FindControlField", {1, -1}, 0, "ControlsTree_0"},
        PageKeyRow{"ReturnsWhereItLeft", "meterCombo_4", {1, -1}, 3, "meterCombo_4"}),
    [](const auto& info) { return std::string(info.param.id); });

// The grids as a screen reader reads them: data cells only, named headers, spoken texts.
struct TableRow
{
    const char* grid;
    int rows;
    int columns;
    const char* columnHeader;
    const char* rowHeader;
    const char* cell;
    const char* description;
};

using GridTableTest = FormRowTest<TableRow>;

TEST_P(GridTableTest, ShowsDataCellsUnderNamedHeaders)
{
    const TableRow& row = GetParam();
    openSmallFolder();
    auto* grid = child<GridView>(QLatin1String(row.grid));
    // Loading fills the grid; nothing was done that a screen reader should tell.
    EXPECT_EQ(grid->accessibleDescription(), QString());
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(grid)->tableInterface();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rowCount(), row.rows);
    EXPECT_EQ(table->columnCount(), row.columns);
    QAccessibleInterface* cell = table->cellAt(0, 0);
    ASSERT_TRUE(cell);
    // Qt hands out a cell's header interfaces uncached and unowned, so the headers' spoken
    // names are read from the model that gives them to those interfaces.
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
              QLatin1String(row.columnHeader));
    EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical, Qt::AccessibleTextRole).toString(),
              QLatin1String(row.rowHeader));
    EXPECT_EQ(cell->text(QAccessible::Name), QLatin1String(row.cell));
    EXPECT_EQ(cell->text(QAccessible::Description), QLatin1String(row.description));
}

INSTANTIATE_TEST_SUITE_P(Grids, GridTableTest,
                         ::testing::Values(TableRow{"CrossPointGrid_0", 64, 4, "CONTROL A",
                                                    "01 Mic 1", "MUTE",
                                                    "Switching > MUTE - pointer 0"},
                                           TableRow{"LoopsGrid_0", 8, 1, "CONTROL", "01 Talkback",
                                                    "Loop off", "Loop off - pointer 0"},
                                           TableRow{"LoopsGrid_1", 8, 1, "CONTROL", "01",
                                                    "Loop off", "Loop off - pointer 0"}),
                         [](const auto& info) { return std::string(info.param.grid); });

// An assignment is described on the grid, in the words a screen reader says after it.
struct AssignmentRow
{
    const char* id;
    const char* action;
    CellRect selection;
    const char* described;
    const char* current;
};

using GridAssignmentTest = FormRowTest<AssignmentRow>;

TEST_P(GridAssignmentTest, DescribesWhatWasDone)
{
    const AssignmentRow& row = GetParam();
    openSmallFolder();
    auto* grid = child<GridView>(QStringLiteral("CrossPointGrid_0"));
    const QStringList before = grid->columnTexts(0);
    grid->setSelection(row.selection);
    child<QAction>(QLatin1String(row.action))->trigger();
    EXPECT_EQ(grid->accessibleDescription(), QLatin1String(row.described));
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(row.selection.row,
                                                                              row.selection.column);
    EXPECT_EQ(cell->text(QAccessible::Name), QLatin1String(row.current));
    // Every row assigns right of the first column, which keeps what it showed.
    EXPECT_EQ(grid->columnTexts(0), before);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, GridAssignmentTest,
    ::testing::Values(
        AssignmentRow{"Block", "mnuLu", {0, 1, 1, 2}, "4 cells set to 0dB", "0dB"},
        AssignmentRow{"OneCell", "mnuMUTE", {2, 3, 2, 3}, "1 cell set to MUTE", "MUTE"},
        AssignmentRow{
            "UpwardsFromTheCurrentCell", "mnuLu", {3, 1, 1, 1}, "3 cells set to 0dB", "0dB"}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

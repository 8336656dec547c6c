#include "FormFixture.h"

#include <vector>

namespace tarn::test {
namespace {

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
        PageKeyRow{"WrapsAround", "ThresholdUpDown", {1}, 0, "CrossPointGrid_0"},
        PageKeyRow{"BackFromSave", "SaveCommand", {-1}, 4, "AttackUpDown"},
        PageKeyRow{"BackFromATree", "ControlsTree_2", {-1}, 1, "CrossPointGrid_1"},
        PageKeyRow{"FromTheFindField", "FindControlField", {1}, 1, "CrossPointGrid_1"},
        PageKeyRow{"BackToTheTreeItFound", "FindControlField", {1, -1}, 0, "ControlsTree_0"}),
    [](const auto& info) { return std::string(info.param.id); });

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
        AssignmentRow{
            "UpwardsFromTheCurrentCell", "mnuLu", {3, 1, 1, 1}, "3 cells set to 0dB", "0dB"}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

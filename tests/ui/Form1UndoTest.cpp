#include "FormFixture.h"

#include <functional>
#include <optional>

namespace tarn::test {
namespace {

class Form1UndoTest;

// What one user action leaves behind, and where undo must show it. What undo restores in the
// model is the core's (EditHistory); here each kind of step is recorded, shown and put in sight.
struct UndoRow
{
    const char* id;
    int tab;
    std::function<void(Form1UndoTest&)> prepare;  // steps of their own that the action needs
    std::function<void(Form1UndoTest&)> act;      // on a freshly opened small folder
    std::function<QString(Form1UndoTest&)> shown; // after redo, a text that shows the step
    const char* shownAfter;
    std::optional<CellRect> cells; // selected on undo and redo
};

class Form1UndoTest : public FormRowTest<UndoRow>
{
public:
    void SetUp() override { openActive(); }

    // Picks an item of the grid's pop-up menu, as a click on it would.
    void pick(const char* action) const
    {
        child<QAction>(QLatin1String(action))->trigger();
        child<QMenu>("mnuCrossPointGrid")->hide();
    }

protected:
    // Moves everything away from where the step was made, so that undo has to bring it back.
    void lookElsewhere() const
    {
        showTab(0);
        outputCombo(0)->setCurrentIndex(9);
        outputCombo(1)->setCurrentIndex(9);
        showTab(GetParam().tab == 3 ? 4 : 3);
    }
    QStringList views() const
    {
        QStringList state = shownState(form->crossPointGrid(0)) +
                            shownState(form->crossPointGrid(1)) + shownState(form->loopsGrid(0)) +
                            shownState(form->loopsGrid(1)) + spinnerLabels();
        for (int i = 0; i < 16; ++i)
            state << QString::number(meterCombo(i)->currentIndex());
        return state;
    }
    void expectInSight() const
    {
        const UndoRow& row = GetParam();
        EXPECT_EQ(tabs()->currentIndex(), row.tab);
        if (!row.cells)
            return;
        const GridView& grid = row.tab < 2 ? form->crossPointGrid(row.tab) : form->loopsGrid(1);
        if (row.tab < 2) {
            EXPECT_EQ(outputCombo(row.tab)->currentIndex(), 2);
        }
        const CellRect shown = grid.selection();
        EXPECT_EQ(
            (QList{shown.top(), shown.left(), shown.bottom(), shown.right()}),
            (QList{row.cells->top(), row.cells->left(), row.cells->bottom(), row.cells->right()}));
    }
};

TEST_P(Form1UndoTest, CtrlZUndoesTheStepEverywhereAndCtrlYRedoesIt)
{
    const UndoRow& row = GetParam();
    const QString caption = form->windowTitle();
    if (row.prepare)
        row.prepare(*this);
    pressSave();
    const ConfigModel before = form->model();
    lookElsewhere();
    showTab(row.tab);
    if (row.tab < 2)
        outputCombo(row.tab)->setCurrentIndex(2);
    const QStringList viewsBefore = views();

    row.act(*this);
    ASSERT_FALSE(form->model() == before);
    EXPECT_EQ(form->windowTitle(), caption + u'*');
    const ConfigModel after = form->model();
    pressSave();
    EXPECT_EQ(form->windowTitle(), caption);

    lookElsewhere();
    press(Qt::Key_Z);
    EXPECT_TRUE(form->model() == before);
    expectInSight();
    EXPECT_EQ(views(), viewsBefore);
    EXPECT_EQ(form->windowTitle(), caption + u'*'); // the saved state is the edited one

    lookElsewhere();
    press(Qt::Key_Y);
    EXPECT_TRUE(form->model() == after);
    expectInSight();
    EXPECT_EQ(row.shown(*this), QLatin1String(row.shownAfter));
    EXPECT_EQ(form->windowTitle(), caption);

    press(Qt::Key_Z);
    EXPECT_TRUE(form->model() == before);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form->model() == after);
}

// The menu's two items share one handler, and so do the buffer's buttons: one of each.
// clang-format off
const UndoRow kSteps[] = {
    {"TreeClick", 0, {},
     [](Form1UndoTest& t) {
         t.select(t.form->crossPointGrid(0), 4, 2, 2, 1);
         t.clickEntry(0, {"Faders", "Fader 2"}); },
     [](Form1UndoTest& t) { return t.form->crossPointGrid(0).text(3, 1); }, " Fader 2",
     CellRect{2, 1, 4, 2}},
    // Shown again from the model, the cell takes the tree's text for pointer 73.
    {"ZeroDbOnTheIpGrid", 1, {},
     [](Form1UndoTest& t) {
         GridView& grid = t.form->crossPointGrid(1);
         t.select(grid, 9, 0, 11, 2);
         QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cellCenter(grid, 10, 1));
         t.pick("mnuLu"); },
     [](Form1UndoTest& t) { return t.form->crossPointGrid(1).text(11, 0); }, " Unity",
     CellRect{9, 0, 11, 2}},
    // Output 6 differs from the fresh output 3 in one slot; it goes into the buffer.
    {"Paste", 0,
     [](Form1UndoTest& t) {
         t.outputCombo(0)->setCurrentIndex(5);
         t.select(t.form->crossPointGrid(0), 6, 3, 6, 3);
         t.pick("mnuMUTE");
         t.clickButton("CopyMixOut_0"); },
     [](Form1UndoTest& t) { t.clickButton("PasteMixOut_0"); },
     [](Form1UndoTest& t) { return t.form->crossPointGrid(0).text(6, 3); }, " MUTE",
     CellRect{0, 0, 63, 3}},
    {"LoopRows", 2, {},
     [](Form1UndoTest& t) {
         t.select(t.form->loopsGrid(1), 5, 0, 2, 0);
         t.clickEntry(3, {"Returns", "Return 1"}); },
     [](Form1UndoTest& t) { return t.form->loopsGrid(1).text(4, 0); }, " Return 1",
     CellRect{2, 0, 5, 0}},
    {"Meter", 3, {},
     [](Form1UndoTest& t) {
         auto* combo = t.meterCombo(4);
         combo->setFocus();
         QTest::keyClick(combo, Qt::Key_Down); },
     [](Form1UndoTest& t) { return QString::number(t.meterCombo(4)->currentIndex()); }, "30", {}},
    // Three steps of one spinner are one undo step.
    {"SpinnerSteps", 4, {},
     [](Form1UndoTest& t) {
         auto* hold = t.child<QSpinBox>("HoldUpDown");
         hold->setFocus();
         for (int k = 0; k < 3; ++k)
             QTest::keyClick(hold, Qt::Key_Up); },
     [](Form1UndoTest& t) { return t.child<QLabel>("HoldLabel")->text(); },
     "80", {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EveryKindOfStep, Form1UndoTest, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

#include "FormFixture.h"

#include <QAction>
#include <QMenu>
#include <QSpinBox>

namespace tarn::test {
namespace {

// What one user action leaves behind, and where undo must show it.
struct UndoRow
{
    const char* id;
    int tab;
    // Done first, as steps of their own: what the action needs (a filled buffer).
    void (*prepare)(Form1& form);
    // The action, done as a user would on a freshly opened small folder.
    void (*act)(FormTest& test, Form1& form);
    // After redo: one cell or widget text that shows the step (empty: none to check).
    const char* shownAfter;
    QString (*shown)(FormTest& test, Form1& form);
    // The cells the step selects on undo and redo (top, left, bottom, right); top 0: no grid.
    GridAdapter::CellArea cells;
};

class Form1UndoTest : public FormRowTest<UndoRow>
{
public:
    // The fixture's helpers, for the rows' actions.
    using FormTest::child;
    using FormTest::clickEntry;
    using FormTest::outputCombo;
    using FormTest::select;
    using FormTest::showTab;

protected:
    void SetUp() override
    {
        openSmallFolder();
        ASSERT_TRUE(started);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QByteArray savedBytes()
    {
        pressSave();
        QByteArray bytes;
        for (const char* name : {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"})
            bytes += folder.read(QLatin1String(name));
        return bytes;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers) const
    {
        QTest::keyClick(form.get(), key, modifiers);
    }
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
        return shownState(form->crossPointGrid(0)) + shownState(form->crossPointGrid(1)) +
               shownState(form->loopsGrid(0)) + shownState(form->loopsGrid(1)) + comboAndSpinners();
    }
    QStringList comboAndSpinners() const
    {
        QStringList state = spinnerLabels();
        for (int i = 0; i < 16; ++i)
            state << QString::number(
                child<QComboBox>(QStringLiteral("meterCombo_") + QString::number(i))
                    ->currentIndex());
        return state;
    }
    void expectInSight() const
    {
        const UndoRow& row = GetParam();
        EXPECT_EQ(tabs()->currentIndex(), row.tab);
        if (row.cells.isEmpty())
            return;
        const GridAdapter& grid = row.tab < 2 ? form->crossPointGrid(row.tab) : form->loopsGrid(1);
        if (row.tab < 2) {
            EXPECT_EQ(outputCombo(row.tab)->currentIndex(), 2);
        }
        EXPECT_EQ(std::min(grid.row(), grid.otherRow()), row.cells.top);
        EXPECT_EQ(std::max(grid.row(), grid.otherRow()), row.cells.bottom);
        EXPECT_EQ(std::min(grid.column(), grid.otherColumn()), row.cells.left);
        EXPECT_EQ(std::max(grid.column(), grid.otherColumn()), row.cells.right);
    }
};

TEST_P(Form1UndoTest, CtrlZUndoesTheStepEverywhereAndCtrlYRedoesIt)
{
    const UndoRow& row = GetParam();
    const QString caption = form->windowTitle();
    if (row.prepare)
        row.prepare(*form);
    const QByteArray bytesBefore = savedBytes();
    const ConfigModel before = form->model();
    lookElsewhere();
    showTab(row.tab);
    if (row.tab < 2)
        outputCombo(row.tab)->setCurrentIndex(2);
    const QStringList viewsBefore = views();

    row.act(*this, *form);
    ASSERT_FALSE(form->model() == before);
    EXPECT_EQ(form->windowTitle(), caption + u'*');
    const ConfigModel after = form->model();
    const QByteArray bytesAfter = savedBytes();
    EXPECT_EQ(form->windowTitle(), caption);

    lookElsewhere();
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form->model() == before);
    expectInSight();
    EXPECT_EQ(views(), viewsBefore);
    EXPECT_EQ(form->windowTitle(), caption + u'*'); // the saved state is the edited one
    EXPECT_EQ(savedBytes(), bytesBefore);

    lookElsewhere();
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(form->model() == after);
    expectInSight();
    EXPECT_EQ(row.shown(*this, *form), QLatin1String(row.shownAfter));
    EXPECT_EQ(form->windowTitle(), caption + u'*');

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form->model() == before);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form->model() == after);
    // The last save wrote the undone state.
    EXPECT_EQ(form->windowTitle(), caption + u'*');
    EXPECT_EQ(savedBytes(), bytesAfter);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryKindOfStep, Form1UndoTest, ::testing::Values(
    UndoRow{"TreeClick", 0, nullptr,
        [](FormTest& t, Form1& f) {
            auto& test = static_cast<Form1UndoTest&>(t);
            test.select(f.crossPointGrid(0), 5, 3, 3, 2);
            test.clickEntry(0, {"Faders", "Fader 2"});
        },
        " Fader 2", [](FormTest&, Form1& f) { return f.crossPointGrid(0).text(4, 2); },
        {3, 2, 5, 3}},
    UndoRow{"Mute", 1, nullptr,
        [](FormTest&, Form1& f) {
            GridAdapter& grid = f.crossPointGrid(1);
            Form1UndoTest::select(grid, 10, 2, 12, 4);
            QTest::mouseClick(grid.widget()->viewport(), Qt::RightButton, {},
                              cellCenter(grid, 11, 3));
            f.findChild<QAction*>(QStringLiteral("mnuMUTE"))->trigger();
            f.findChild<QMenu*>(QStringLiteral("mnuCrossPointGrid"))->hide();
        },
        " MUTE", [](FormTest&, Form1& f) { return f.crossPointGrid(1).text(12, 4); },
        {10, 2, 12, 4}},
    UndoRow{"ZeroDb", 0, nullptr,
        [](FormTest&, Form1& f) {
            GridAdapter& grid = f.crossPointGrid(0);
            Form1UndoTest::select(grid, 64, 1, 64, 1);
            QTest::keyClick(grid.widget(), Qt::Key_F10, Qt::ShiftModifier);
            f.findChild<QAction*>(QStringLiteral("mnuLu"))->trigger();
            f.findChild<QMenu*>(QStringLiteral("mnuCrossPointGrid"))->hide();
        },
        // Shown again from the model, the cell takes the tree's text for pointer 73.
        " Unity", [](FormTest&, Form1& f) { return f.crossPointGrid(0).text(64, 1); },
        {64, 1, 64, 1}},
    UndoRow{"Paste", 0,
        [](Form1& f) {
            // Output 6 differs from the fresh output 3 in one slot; it goes into the buffer.
            f.findChild<QComboBox*>(QStringLiteral("MixOutputCombo_0"))->setCurrentIndex(5);
            Form1UndoTest::select(f.crossPointGrid(0), 7, 4, 7, 4);
            f.findChild<QAction*>(QStringLiteral("mnuMUTE"))->trigger();
            QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("CopyMixOut_0")),
                              Qt::LeftButton);
        },
        [](FormTest&, Form1& f) {
            QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("PasteMixOut_0")),
                              Qt::LeftButton);
        },
        " MUTE", [](FormTest&, Form1& f) { return f.crossPointGrid(0).text(7, 4); },
        {1, 1, 64, 4}},
    UndoRow{"Swap", 0,
        [](Form1& f) {
            // The buffer holds a fresh output; output 3 gets 0dB in its first slot.
            QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("CopyMixOut_0")),
                              Qt::LeftButton);
            f.findChild<QComboBox*>(QStringLiteral("MixOutputCombo_0"))->setCurrentIndex(2);
            Form1UndoTest::select(f.crossPointGrid(0), 1, 1, 1, 1);
            f.findChild<QAction*>(QStringLiteral("mnuLu"))->trigger();
        },
        [](FormTest&, Form1& f) {
            QTest::mouseClick(f.findChild<QPushButton*>(QStringLiteral("SwapMixOut_0")),
                              Qt::LeftButton);
        },
        " MUTE", [](FormTest&, Form1& f) { return f.crossPointGrid(0).text(1, 1); },
        {1, 1, 64, 4}},
    UndoRow{"LoopRows", 2, nullptr,
        [](FormTest& t, Form1& f) {
            auto& test = static_cast<Form1UndoTest&>(t);
            test.select(f.loopsGrid(1), 6, 1, 3, 1);
            test.clickEntry(3, {"Returns", "Return 1"});
        },
        " Return 1", [](FormTest&, Form1& f) { return f.loopsGrid(1).text(5, 1); },
        {3, 1, 6, 1}},
    UndoRow{"Meter", 3, nullptr,
        [](FormTest&, Form1& f) {
            auto* combo = f.findChild<QComboBox*>(QStringLiteral("meterCombo_4"));
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
        },
        "30", [](FormTest&, Form1& f) {
            return QString::number(
                f.findChild<QComboBox*>(QStringLiteral("meterCombo_4"))->currentIndex());
        },
        {}},
    UndoRow{"SpinnerSteps", 4, nullptr,
        [](FormTest&, Form1& f) {
            auto* hold = f.findChild<QSpinBox*>(QStringLiteral("HoldUpDown"));
            hold->setFocus();
            // Three steps of one spinner are one undo step.
            QTest::keyClick(hold, Qt::Key_Up);
            QTest::keyClick(hold, Qt::Key_Up);
            QTest::keyClick(hold, Qt::Key_Up);
        },
        "80", [](FormTest&, Form1& f) {
            return f.findChild<QLabel*>(QStringLiteral("HoldLabel"))->text();
        },
        {}}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

} // namespace
} // namespace tarn::test

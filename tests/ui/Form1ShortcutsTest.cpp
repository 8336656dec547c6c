#include "FormFixture.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolButton>
#include <QToolTip>

namespace tarn::test {
namespace {

class Form1ShortcutTest : public FormTest
{
protected:
    void SetUp() override
    {
        openActive();
        caption = form->windowTitle();
    }
    void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(widget, key, modifiers);
    }
    using FormTest::press;

    QString caption;
};

// Ctrl+S from wherever the focus is, and at any window size, saves as the button does.
struct SaveRow
{
    const char* id;
    const char* focus; // object name of the focused widget
    QSize size;        // empty: the size the window opened with
};

class Form1SaveKeyTest : public Form1ShortcutTest, public ::testing::WithParamInterface<SaveRow>
{
};

TEST_P(Form1SaveKeyTest, CtrlSSavesAndClearsTheMark)
{
    assignFader2(1);
    EXPECT_EQ(form->windowTitle(), caption + u'*');
    EXPECT_EQ(folder.size("aes3mix.trn"), 0);
    if (!GetParam().size.isEmpty())
        form->resize(GetParam().size);
    auto* focus = child<QWidget>(QLatin1String(GetParam().focus));
    focus->setFocus();
    press(focus, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(folder.read("aes3mix.trn").mid(slotByte(0, 1, 0), 2), hexBytes("11 00"));
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_TRUE(messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Places, Form1SaveKeyTest,
    ::testing::Values(SaveRow{"Grid", "CrossPointGrid_0", {}},
                      SaveRow{"Tree", "ControlsTree_0", {}},
                      SaveRow{"SaveButtonOutsideTheWindow", "ControlsTree_0", QSize(420, 300)},
                      SaveRow{"OutputList", "MixOutputCombo_0", QSize(420, 300)}),
    [](const auto& info) { return std::string(info.param.id); });

TEST_F(Form1ShortcutTest, TheMarkFollowsTheContentNotTheNumberOfSteps)
{
    // The same control again changes nothing: no mark, yet it is a step of its own.
    select(form->crossPointGrid(0), 0, 0, 0, 0);
    clickEntry(0, {"Switching", "MUTE"});
    EXPECT_EQ(form->windowTitle(), caption);

    assignFader2();
    EXPECT_EQ(form->windowTitle(), caption + u'*');
    select(form->crossPointGrid(0), 0, 0, 0, 0);
    clickEntry(0, {"Switching", "MUTE"});
    EXPECT_EQ(form->windowTitle(), caption);

    press(Qt::Key_Z);
    EXPECT_EQ(form->windowTitle(), caption + u'*');
}

TEST_F(Form1ShortcutTest, UndoOfASwapLeavesTheBufferAsTheSwapLeftIt)
{
    auto* copy = child<QPushButton>("CopyMixOut_0");
    auto* swap = child<QPushButton>("SwapMixOut_0");
    assignFader2(); // output 1, input 1, slot A = 17
    QTest::mouseClick(copy, Qt::LeftButton);
    outputCombo(0)->setCurrentIndex(1);
    QTest::mouseClick(swap, Qt::LeftButton);
    EXPECT_EQ(form->model().slot(0, 1, 0, 0), 17);
    press(Qt::Key_Z);
    EXPECT_EQ(form->model().slot(0, 1, 0, 0), 0);
    // The buffer still holds output 2's former slots, which a paste now brings back.
    outputCombo(0)->setCurrentIndex(0);
    clickButton("PasteMixOut_0");
    EXPECT_EQ(form->model().slot(0, 0, 0, 0), 0);
}

class Form1FindTest : public Form1ShortcutTest
{
protected:
    QLineEdit* field() const { return child<QLineEdit>("FindControlField"); }
    QString count() const { return child<QLabel>("FindControlCount")->text(); }
    QString current(int set) const { return tree(set)->currentIndex().data().toString(); }
    // The current entry lies below the find panel and whole inside the tree's rows.
    void expectMatchShown() const
    {
        QTreeView* view = tree(0);
        const QRect entry = view->visualRect(view->currentIndex());
        EXPECT_TRUE(view->viewport()->rect().contains(entry));
        const QRect shown(view->viewport()->mapTo(form.get(), entry.topLeft()), entry.size());
        EXPECT_GT(shown.top(), child<QWidget>("FindControlPanel")->geometry().bottom());
    }
    void type(const QString& text) const
    {
        field()->clear();
        QTest::keyClicks(field(), text);
    }
    // Where every described widget stands, to see that the find field moves none of them.
    std::vector<QRect> geometries() const
    {
        std::vector<QRect> result;
        for (const QWidget* widget : form->findChildren<QWidget*>()) {
            if (!widget->objectName().startsWith(QLatin1String("FindControl")) &&
                !widget->objectName().startsWith(QLatin1String("qt_scrollarea_")) &&
                !widget->inherits("QHeaderView") && widget->parentWidget() &&
                !widget->parentWidget()->objectName().startsWith(QLatin1String("FindControl")))
                result.push_back(widget->geometry());
        }
        return result;
    }
};

TEST_F(Form1FindTest, FindsEveryEntryInTreeOrderWithoutAssigning)
{
    const std::vector<QRect> before = geometries();
    const ConfigModel model = form->model();
    tree(0)->setFocus();
    press(tree(0), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(field()->isVisible());
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(count(), "0 of 0");

    type("FADER");
    EXPECT_EQ(count(), "1 of 4");
    EXPECT_EQ(current(0), "Faders");
    expectMatchShown(); // the first entry, which the panel stands over
    press(field(), Qt::Key_Return);
    EXPECT_EQ(count(), "2 of 4");
    press(field(), Qt::Key_F3);
    press(field(), Qt::Key_Enter);
    EXPECT_EQ(count(), "4 of 4");
    // Under a collapsed branch: its ancestors open and it is scrolled into view.
    EXPECT_EQ(current(0), "Fader 2 fine");
    EXPECT_TRUE(tree(0)->isExpanded(entry(0, {"Faders", "Fader 2"})));
    expectMatchShown();
    press(field(), Qt::Key_Return);
    EXPECT_EQ(count(), "1 of 4");
    press(field(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(count(), "4 of 4");
    press(field(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(current(0), "Fader 2");

    // The field keeps the focus and tells a screen reader its name and the count.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(field());
    type("#73");
    EXPECT_EQ(count(), "1 of 1");
    EXPECT_EQ(current(0), "Unity");
    EXPECT_EQ(reader->text(QAccessible::Name), "Find control");
    EXPECT_EQ(reader->text(QAccessible::Description), "1 of 1");
    type("zzz");
    EXPECT_EQ(count(), "0 of 0");
    EXPECT_TRUE(field()->hasFocus());
    EXPECT_EQ(reader->text(QAccessible::Description), "0 of 0");
    EXPECT_EQ(current(0), "Unity");
    EXPECT_TRUE(form->model() == model);
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(geometries(), before);

    // Escape gives the tree back its focus; Enter there assigns the match as always.
    press(field(), Qt::Key_Escape);
    EXPECT_FALSE(field()->isVisible());
    EXPECT_TRUE(tree(0)->hasFocus());
    select(form->crossPointGrid(0), 2, 0, 2, 0);
    press(tree(0), Qt::Key_Return);
    EXPECT_EQ(form->model().slot(0, 0, 2, 0), 73);
}

TEST_F(Form1FindTest, OnTheLoopsTabItSearchesTheLoopTreeThatHadTheFocus)
{
    showTab(2);
    press(Qt::Key_F);
    type("bus");
    EXPECT_EQ(count(), "1 of 3"); // "Buses" and its two entries, AES3 loops
    EXPECT_EQ(current(2), "Buses");
    press(field(), Qt::Key_Escape);
    EXPECT_TRUE(tree(2)->hasFocus());

    tree(3)->setFocus();
    press(tree(3), Qt::Key_F, Qt::ControlModifier);
    type("return");
    EXPECT_EQ(count(), "1 of 2");
    EXPECT_EQ(current(3), "Returns");
    EXPECT_GE(field()->mapTo(form.get(), QPoint()).x(), tree(3)->mapTo(form.get(), QPoint()).x());

    // Elsewhere there is no tree to search.
    press(field(), Qt::Key_Escape);
    showTab(3);
    press(Qt::Key_F);
    EXPECT_FALSE(field()->isVisible());
}

TEST_F(FormTest, CellsTreeEntriesAndButtonsExplainThemselves)
{
    QByteArray aes3 = defaultMixImage();
    putLE16(aes3, slotByte(0, 1, 2), 999);
    putLE16(aes3, slotByte(0, 2, 0), 25);
    folder.write("aes3mix.trn", aes3);
    openActive();
    const auto tip = [this](const GridView& grid, int row, int column) {
        QWidget* viewport = grid.viewport();
        const QPoint at = cellCenter(grid, row, column);
        QHelpEvent event(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tip(form->crossPointGrid(0), 2, 0), "Faders > Fader 2 > Fader 2 fine - pointer 25");
    EXPECT_EQ(tip(form->crossPointGrid(0), 1, 2), "pointer 999: no control in this set");
    EXPECT_EQ(tip(form->crossPointGrid(0), 0, 1), "Switching > Unity - pointer 73");
    showTab(2);
    EXPECT_EQ(tip(form->loopsGrid(0), 0, 0), "Loop off - pointer 0");

    EXPECT_EQ(entry(0, {"Faders", "Fader 2"}).data(Qt::ToolTipRole).toString(), "pointer 17");
    EXPECT_EQ(entry(0, {"Faders"}).data(Qt::ToolTipRole).toString(),
              "a heading: no pointer, a click assigns nothing");
    for (const char* name : {"SaveCommand", "CopyMixOut_0", "SwapMixOut_1", "PasteMixOut_1"})
        EXPECT_FALSE(child<QPushButton>(QLatin1String(name))->toolTip().isEmpty()) << name;
}

// Where the focus was when the user left the find panel, and how.
struct LeaveRow
{
    const char* id;
    const char* focus; // clicked first; empty: the field keeps the focus
    Qt::Key key;       // Qt::Key_unknown: a click on the panel's close button
};

using FindPanelTest = FormRowTest<LeaveRow>;

TEST_P(FindPanelTest, LeavesStraightForTheTree)
{
    const LeaveRow& row = GetParam();
    openActive();
    tree(0)->setFocus();
    press(Qt::Key_F);
    QTest::keyClicks(child<QLineEdit>("FindControlField"), "fader 2");
    if (*row.focus)
        QTest::mouseClick(child<QWidget>(QLatin1String(row.focus)), Qt::LeftButton);
    // The focus moves once, straight to the tree (not through the tab strip).
    QSignalSpy focusMoves(qApp, &QApplication::focusChanged);
    if (row.key == Qt::Key_unknown)
        QTest::mouseClick(child<QToolButton>("FindControlClose"), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), row.key);
    EXPECT_FALSE(child<QWidget>("FindControlPanel")->isVisible());
    EXPECT_TRUE(tree(0)->hasFocus());
    EXPECT_EQ(focusMoves.size(), 1);
    EXPECT_EQ(tree(0)->currentIndex().data().toString(), "Fader 2");
    // The rows are back where they were.
    EXPECT_EQ(tree(0)->viewport()->geometry().top(), tree(0)->contentsRect().top());
}

INSTANTIATE_TEST_SUITE_P(
    Places, FindPanelTest,
    ::testing::Values(LeaveRow{"EscapeInTheField", "", Qt::Key_Escape},
                      LeaveRow{"EscapeAfterSave", "SaveCommand", Qt::Key_Escape},
                      LeaveRow{"EscapeInTheGrid", "CrossPointGrid_0", Qt::Key_Escape},
                      LeaveRow{"CloseButton", "", Qt::Key_unknown}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn::test

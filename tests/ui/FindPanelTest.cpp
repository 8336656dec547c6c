#include "FormFixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

namespace tarn::test {
namespace {

// Where the focus was when the user left the find panel, and how.
struct LeaveRow
{
    const char* id;
    const char* focus; // clicked first; empty: the field keeps the focus
    Qt::Key key;       // Qt::Key_unknown: a click on the panel's close button
};

class FindPanelTest : public FormRowTest<LeaveRow>
{
public:
    QLineEdit* field() const { return child<QLineEdit>("FindControlField"); }
    QWidget* panel() const { return child<QWidget>("FindControlPanel"); }
    void find(const QString& text)
    {
        tree(0)->setFocus();
        press(Qt::Key_F);
        field()->clear();
        QTest::keyClicks(field(), text);
    }
    // The current entry lies below the panel and whole inside the tree's rows.
    void expectMatchShown() const
    {
        QTreeView* view = tree(0);
        const QRect entry = view->visualRect(view->currentIndex());
        EXPECT_TRUE(view->viewport()->rect().contains(entry));
        const QRect shown(view->viewport()->mapTo(form.get(), entry.topLeft()), entry.size());
        EXPECT_GT(shown.top(), panel()->geometry().bottom()) << shown.top();
    }
};

TEST_P(FindPanelTest, LeavesStraightForTheTree)
{
    const LeaveRow& row = GetParam();
    openActive();
    find("fader 2");
    if (*row.focus)
        QTest::mouseClick(child<QWidget>(QLatin1String(row.focus)), Qt::LeftButton);
    // The focus moves once, straight to the tree (not through the tab strip).
    QSignalSpy focusMoves(qApp, &QApplication::focusChanged);
    if (row.key == Qt::Key_unknown)
        QTest::mouseClick(child<QToolButton>("FindControlClose"), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), row.key);
    EXPECT_FALSE(panel()->isVisible());
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

// Ctrl+Tab leaves the page with the panel open: the panel goes, and the tree it stood over gets
// its rows back.
TEST_F(FindPanelTest, GoesWithItsPageAndGivesTheRowsBack)
{
    openActive();
    find("fader 2");
    QTest::keyClick(field(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(tree(0)->viewport()->geometry().top(), tree(0)->contentsRect().top());
}

// The first entries too, which the panel stood over, and matches deep in the tree; the field
// keeps the focus and tells a screen reader its name and the count.
TEST_F(FindPanelTest, EveryMatchIsShownBelowThePanelWhileTheFieldKeepsTheFocus)
{
    openActive();
    find("#16");
    expectMatchShown();
    find("#73");
    EXPECT_EQ(tree(0)->currentIndex().data().toString(), "Unity");
    expectMatchShown();
    EXPECT_TRUE(field()->hasFocus());
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(field());
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->text(QAccessible::Name), "Find control");
    EXPECT_EQ(reader->text(QAccessible::Description), "1 of 1");
    QTest::keyClicks(field(), "x");
    EXPECT_EQ(reader->text(QAccessible::Description), "0 of 0");
}

} // namespace
} // namespace tarn::test

#include "FormFixture.h"

namespace tarn::test {
namespace {

// Rows 3..6 of the AES3 loops, selected upwards (the grid's tests drag). The rule for both forms
// of a loop is the core's (AssignLoop); the IP loops tree is the undo test's.
TEST_F(FormTest, TreeClickAssignsTheDraggedLoopsAndSaveWritesTheirWords)
{
    openSmallFolder();
    showTab(2);
    GridView& grid = form->loopsGrid(0);
    select(grid, 5, 0, 2, 0);
    // A heading carries no pointer: it changes nothing, not even the fill mode.
    const ConfigModel before = form->model();
    const QStringList shown = shownState(grid);
    clickEntry(2, {"Buses"});
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(shownState(grid), shown);
    EXPECT_EQ(grid.fillMode(), GridView::FillMode::CurrentCell);
    clickEntry(2, {"Buses", "Talkback bus"});

    QByteArray words;
    for (int loop = 0; loop < 8; ++loop) {
        const bool assigned = loop >= 2 && loop <= 5;
        EXPECT_EQ(grid.text(loop, 0), assigned ? " Talkback bus" : " Loop off") << loop;
        words += assigned ? hexBytes("00 00 01 2C") : QByteArray(4, '\0');
    }
    pressSave();
    const QByteArray saved = folder.read("aes3mix.trn");
    EXPECT_EQ(saved.mid(loopByte(0), 32), words);
    EXPECT_EQ(saved.left(loopByte(0)), defaultMixImage().left(loopByte(0)));
    EXPECT_EQ(folder.read("ipmix.trn").mid(loopByte(0)), QByteArray(32, '\0'));
}

} // namespace
} // namespace tarn::test

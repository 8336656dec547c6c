#include "FormFixture.h"

namespace tarn::test {
namespace {

// Rows 3..6 of the AES3 loops, selected upwards (the adapter's tests drag). The rule for both forms
// of a loop is the core's (AssignLoop); the IP loops tree is the undo test's.
TEST_F(FormTest, TreeClickAssignsTheDraggedLoopsAndSaveWritesTheirWords)
{
    openSmallFolder();
    showTab(2);
    GridAdapter& grid = form->loopsGrid(0);
    select(grid, 6, 1, 3, 1);
    // A heading carries no pointer: it changes nothing, not even the fill mode.
    const ConfigModel before = form->model();
    const QStringList shown = shownState(grid);
    clickEntry(2, {"Buses"});
    EXPECT_TRUE(form->model() == before);
    EXPECT_EQ(shownState(grid), shown);
    EXPECT_EQ(grid.fillMode(), GridAdapter::FillMode::CurrentCell);
    clickEntry(2, {"Buses", "Talkback bus"});

    QByteArray words;
    for (int r = 1; r <= 8; ++r) {
        const bool assigned = r >= 3 && r <= 6;
        EXPECT_EQ(grid.text(r, 1), assigned ? " Talkback bus" : " Loop off") << r;
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

#include "FormFixture.h"
#include "app/LoadSequence.h"

namespace tarn::test {
namespace {

// One text the load writes into a view: a first-column cell, a list entry or a frame caption.
struct ViewTextRow
{
    const char* id;
    const char* widget;
    int row; // grid row or list position
    const char* text;
};

using Form1ViewTextTest = FormRowTest<ViewTextRow>;

TEST_P(Form1ViewTextTest, ShowsTheBuiltText)
{
    openSmallFolder();
    const ViewTextRow& row = GetParam();
    const QString name = QLatin1String(row.widget);
    QString actual;
    if (auto* grid = form->findChild<GridView*>(name))
        actual = grid->labelTexts().value(row.row);
    else if (auto* list = form->findChild<QComboBox*>(name))
        actual = list->itemText(row.row);
    else
        actual = child<QGroupBox>(name)->title();
    EXPECT_EQ(actual, QString::fromUtf8(row.text));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SmallFolder, Form1ViewTextTest, ::testing::Values(
    ViewTextRow{"FirstOutput", "MixOutputCombo_0", 0, " 01 | PGM"},
    ViewTextRow{"IpOutputWithoutFile", "MixOutputCombo_1", 0, " 01 | "},
    ViewTextRow{"LoopHeader", "LoopsGrid_0", 0, "LOOP"},
    ViewTextRow{"NamedLoop", "LoopsGrid_0", 2, " 02 | Cue"},
    ViewTextRow{"MeterCaption", "meterFrame_0", 0, "Meter 01"},
    ViewTextRow{"MeterOutput", "meterCombo_3", 65, "MIX OUPUT 01 : PGM"},
    ViewTextRow{"MeterLastOutput", "meterCombo_15", 96, "MIX OUPUT 32 : "}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

// The folder rules are the core's; the window shows the chosen folder, loaded, in fitted views.
TEST_F(FormTest, ChosenFolderIsShownWithTheDefaultsInFittedViews)
{
    openSmallFolder();
    EXPECT_TRUE(started && form->isVisible());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(settings.path(), folder.path());
    EXPECT_EQ(form->windowTitle(), kCaption + folder.path());

    const QPalette palette = form->crossPointGrid(0).palette();
    for (int m = 0; m < 2; ++m) {
        const GridView& grid = form->crossPointGrid(m);
        const QAbstractItemModel* cells = grid.model();
        EXPECT_EQ(outputCombo(m)->currentIndex(), 0);
        EXPECT_EQ(cells->index(0, 0).data().toString(), " MUTE");
        EXPECT_EQ(cells->index(63, 3).data().toString(), " Unity");
        // Longest texts: "CONTROL A" (9) above the cells, " 64 | MIXER OUTPUT 31" (21) at left.
        EXPECT_EQ(grid.columnWidth(0), (9 + 2) * 6);
        const QHeaderView* side = grid.verticalHeader();
        EXPECT_EQ(side->width(), (21 + 2) * 6);
        const QString label = cells->headerData(63, Qt::Vertical).toString();
        EXPECT_EQ(QFontMetrics(side->font()).horizontalAdvance(label), 21 * 6);
        EXPECT_TRUE(tree(m)->isHeaderHidden());
        // Each mixer's tree shows its own set: two headings, one.
        EXPECT_EQ(tree(m)->model()->rowCount(), 2 - m);
    }
    // The fixed row and column are header sections that stay in view; the corner names itself.
    const GridView& grid = form->crossPointGrid(0);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "CONTROL A");
    EXPECT_EQ(grid.model()->headerData(2, Qt::Vertical).toString(), " 03 | Phone");
    EXPECT_EQ(grid.findChild<QAbstractButton*>()->accessibleName(), "MIX INPUTS");
    EXPECT_EQ(form->loopsGrid(0).model()->headerData(0, Qt::Horizontal).toString(), "");
    // " 01 | Talkback" is the longest loop label; the control column spans the whole grid.
    EXPECT_EQ(form->loopsGrid(0).labelWidthPixels(), (14 + 2) * 6);
    EXPECT_EQ(form->loopsGrid(0).columnWidthPixels(0), qRound(8655 / form->twipsPerPixel()));

    for (GridView* each : {&form->crossPointGrid(0), &form->crossPointGrid(1), &form->loopsGrid(0),
                           &form->loopsGrid(1)}) {
        EXPECT_EQ(each->background(0, 0), palette.color(QPalette::Highlight));
        EXPECT_EQ(each->foreground(0, 0), palette.color(QPalette::HighlightedText));
        EXPECT_EQ(each->background(1, 0), palette.color(QPalette::Base));
    }
}

TEST_F(FormTest, CancelEndsAtOnceWithoutQuestionOrFiles)
{
    writeSmallFolder(folder);
    open(QString());
    EXPECT_FALSE(started || form->isVisible());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_FALSE(folder.exists("aes3mix.trn"));
    // Closing once more, as the application does on its way out, asks nothing either.
    form->close();
    EXPECT_TRUE(messages.questions.isEmpty() && messages.shown.isEmpty());
}

// The window shows what the core settled (compared whole with a load of its own): meter bytes
// outside the list, a clamped compressor with Hold rounded, invalid pointers (warned about
// once per mix file). Selecting a mix output shows it in that mixer's grid only, fitted.
TEST_F(FormTest, StoredFilesAreShownAsTheLoadSettledThem)
{
    QByteArray aes3 = defaultMixImage();
    for (int k = 0; k < 20; ++k)
        putLE16(aes3, slotByte(k, k, k % 4), 999);
    putLE32(aes3, loopByte(2), 0x2C010000); // 00 00 01 2C: pointer 300
    putLE32(aes3, loopByte(3), 0xE7030000); // pointer 999, no entry
    QByteArray ip = defaultMixImage();
    putLE32(ip, loopByte(7), 0x39050000); // pointer 1337, no entry
    putLE16(ip, slotByte(16, 4, 1), 5);
    putLE16(ip, slotByte(16, 4, 2), 999);
    QByteArray compressor(1280, '\0');
    putLE32(compressor, 1024, 9);   // Attack above 7
    putLE32(compressor, 1028, 500); // Hold: position 1
    putLE32(compressor, 1036, -40); // Gain below -36
    putLE32(compressor, 1040, -12); // Threshold
    folder.write("aes3mix.trn", aes3);
    folder.write("ipmix.trn", ip);
    folder.write("aes3meters.trn", hexBytes("64 5F 00 FF FF FF FF FF"
                                            "FF FF FF FF FF FF FF FF"));
    folder.write("compressor.trn", compressor);
    openSmallFolder();

    EXPECT_EQ(messages.shown, QStringList(2, "Warning! There are invalid control assignments"));
    EXPECT_TRUE(form->model() == LoadSequence(folder.path(), MissingFiles::Leave)->model);
    const GridView& loops = form->loopsGrid(0);
    EXPECT_EQ(loops.text(0, 0), " Loop off");
    EXPECT_EQ(loops.text(2, 0), " Talkback bus");
    EXPECT_EQ(loops.text(3, 0), " ----INVALID----");
    for (const auto& [meter, position] : {std::pair{0, 0}, std::pair{1, 96}, std::pair{2, 1}})
        EXPECT_EQ(meterCombo(meter)->currentIndex(), position);
    EXPECT_EQ(spinnerLabels(), (QStringList{"7", "1", "0", "-36", "-12"}));

    showTab(1);
    form->crossPointGrid(0).setText(4, 1, "not repainted");
    outputCombo(1)->setCurrentIndex(16);
    const GridView& grid = form->crossPointGrid(1);
    EXPECT_EQ(grid.text(4, 1), " IP fader 1");
    EXPECT_EQ(grid.text(4, 2), " ----INVALID----");
    EXPECT_EQ(grid.text(4, 0), " MUTE");
    EXPECT_EQ(grid.columnWidthPixels(2), (16 + 2) * 6);
    EXPECT_EQ(form->crossPointGrid(0).text(4, 1), "not repainted");
}

TEST_F(FormTest, FilesThatCannotBeCreatedAreNamedInOneMessage)
{
    writeSmallFolder(folder);
    // A folder in the place of a file: it can be neither read nor created.
    ASSERT_TRUE(QDir(folder.path()).mkdir("aes3meters.trn"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("compressor.trn"));
    open(folder.path());

    EXPECT_TRUE(started);
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& message = messages.shown.first();
    EXPECT_TRUE(message.contains(folder.filePath("aes3meters.trn"))) << message.toStdString();
    EXPECT_TRUE(message.contains(folder.filePath("compressor.trn")));
    EXPECT_FALSE(message.contains("aes3mix.trn"));
    EXPECT_TRUE(message.contains("shows the built-in defaults"));
    EXPECT_EQ(child<QLabel>("HoldLabel")->text(), "50");
}

} // namespace
} // namespace tarn::test

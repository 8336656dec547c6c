#include "FormFixture.h"
#include "app/LoadSequence.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>

namespace tarn::test {
namespace {

// One text the load writes into a view: a grid cell, a list entry or a frame caption.
struct ViewTextRow
{
    const char* id;
    const char* widget;
    int row;    // grid row or list position
    int column; // grid column; unused for lists and captions
    const char* text;
};

using Form1ViewTextTest = FormRowTest<ViewTextRow>;

TEST_P(Form1ViewTextTest, ShowsTheBuiltText)
{
    openSmallFolder();
    const ViewTextRow& row = GetParam();
    const QString name = QLatin1String(row.widget);
    QString actual;
    if (auto* table = form->findChild<QTableWidget*>(name))
        actual = table->item(row.row, row.column)->text();
    else if (auto* list = form->findChild<QComboBox*>(name))
        actual = list->itemText(row.row);
    else
        actual = child<QGroupBox>(name)->title();
    EXPECT_EQ(actual, QString::fromUtf8(row.text));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SmallFolder, Form1ViewTextTest, ::testing::Values(
    ViewTextRow{"InputsHeader", "CrossPointGrid_0", 0, 0, "MIX INPUTS"},
    ViewTextRow{"NamedInput", "CrossPointGrid_0", 3, 0, " 03 | Phone"},
    ViewTextRow{"IpInputWithoutFile", "CrossPointGrid_1", 1, 0, " 01 | "},
    ViewTextRow{"FirstOutput", "MixOutputCombo_0", 0, 0, " 01 | PGM"},
    ViewTextRow{"LastOutput", "MixOutputCombo_0", 31, 0, " 32 | "},
    ViewTextRow{"IpOutputWithoutFile", "MixOutputCombo_1", 0, 0, " 01 | "},
    ViewTextRow{"LoopHeader", "LoopsGrid_0", 0, 0, "LOOP"},
    ViewTextRow{"NamedLoop", "LoopsGrid_0", 2, 0, " 02 | Cue"},
    ViewTextRow{"IpLoopWithoutFile", "LoopsGrid_1", 8, 0, " 08 |"},
    ViewTextRow{"MeterCaption", "meterFrame_0", 0, 0, "Meter 01"},
    ViewTextRow{"MeterDisabled", "meterCombo_3", 0, 0, "DISABLED"},
    ViewTextRow{"MeterInput", "meterCombo_3", 64, 0, "MIX INPUT  64 : MIXER OUTPUT 31"},
    ViewTextRow{"MeterOutput", "meterCombo_3", 65, 0, "MIX OUPUT 01 : PGM"},
    ViewTextRow{"MeterLastOutput", "meterCombo_15", 96, 0, "MIX OUPUT 32 : "}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(FormTest, FreshFolderShowsTheDefaultsInFittedViews)
{
    openSmallFolder();
    EXPECT_TRUE(messages.shown.isEmpty());
    for (const char* name : {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"})
        EXPECT_EQ(folder.size(QLatin1String(name)), 0) << name;

    const QPalette palette = form->crossPointGrid(0).widget()->palette();
    for (int m = 0; m < 2; ++m) {
        const GridAdapter& grid = form->crossPointGrid(m);
        EXPECT_EQ(outputCombo(m)->currentIndex(), 0);
        EXPECT_EQ(grid.text(1, 1), QStringLiteral(" MUTE"));
        EXPECT_EQ(grid.text(64, 4), QStringLiteral(" Unity"));
        // Longest texts: "CONTROL A" (9) above the cells, " 64 | MIXER OUTPUT 31" (21) at left.
        EXPECT_EQ(grid.widget()->columnWidth(1), (9 + 2) * 6);
        const QHeaderView* side = grid.widget()->verticalHeader();
        EXPECT_EQ(side->width(), (21 + 2) * 6);
        EXPECT_EQ(QFontMetrics(side->font()).horizontalAdvance(grid.text(64, 0)), 21 * 6);
        EXPECT_TRUE(tree(m)->isHeaderHidden());
    }
    // " 01 | Talkback" is the longest loop label; the control column spans the whole grid.
    EXPECT_EQ(form->loopsGrid(0).columnWidthPixels(0), (14 + 2) * 6);
    EXPECT_EQ(form->loopsGrid(0).columnWidthPixels(1), qRound(8655 / form->twipsPerPixel()));

    for (GridAdapter* grid : {&form->crossPointGrid(0), &form->crossPointGrid(1),
                              &form->loopsGrid(0), &form->loopsGrid(1)}) {
        EXPECT_EQ(grid->background(1, 1), palette.color(QPalette::Highlight));
        EXPECT_EQ(grid->foreground(1, 1), palette.color(QPalette::HighlightedText));
        EXPECT_EQ(grid->background(2, 1), palette.color(QPalette::Base));
    }

    EXPECT_EQ(spinnerLabels(), (QStringList{"3", "50", "7", "18", "-30"}));
}

// The window shows what the core settled and keeps it: meter bytes outside the list, a clamped
// compressor with Hold rounded, invalid pointers (warned about once per mix file).
// Selecting another mix output shows it in that mixer's grid only, fitted to its texts.
TEST_F(FormTest, StoredFilesAreShownAndSavedAsTheLoadSettledThem)
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
    putLE32(compressor, 1024, 9);    // Attack above 7
    putLE32(compressor, 1028, 500);  // Hold: position 1, saved as 480
    putLE32(compressor, 1036, -40);  // Gain below -36
    putLE32(compressor, 1040, -12);  // Threshold
    putLE32(compressor, 1100, 4242); // a reserved word
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    folder.write(QStringLiteral("ipmix.trn"), ip);
    folder.write(QStringLiteral("aes3meters.trn"), hexBytes("64 5F 00 FF FF FF FF FF"
                                                            "FF FF FF FF FF FF FF FF"));
    folder.write(QStringLiteral("compressor.trn"), compressor);
    openSmallFolder();

    EXPECT_EQ(messages.shown,
              QStringList(2, QStringLiteral("Warning! There are invalid control assignments")));
    EXPECT_TRUE(form->model() == LoadSequence(folder.path(), MissingFiles::Leave)->model);
    const GridAdapter& loops = form->loopsGrid(0);
    EXPECT_EQ(loops.text(1, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(loops.text(3, 1), QStringLiteral(" Talkback bus"));
    EXPECT_EQ(loops.text(4, 1), QStringLiteral(" ----INVALID----"));
    for (const auto& [meter, position] : {std::pair{0, 0}, std::pair{1, 96}, std::pair{2, 1}})
        EXPECT_EQ(child<QComboBox>(QStringLiteral("meterCombo_%1").arg(meter))->currentIndex(),
                  position);
    EXPECT_EQ(spinnerLabels(), (QStringList{"7", "1", "0", "-36", "-12"}));

    showTab(1);
    form->crossPointGrid(0).setText(5, 2, QStringLiteral("not repainted"));
    outputCombo(1)->setCurrentIndex(16);
    const GridAdapter& grid = form->crossPointGrid(1);
    EXPECT_EQ(grid.text(5, 2), QStringLiteral(" IP fader 1"));
    EXPECT_EQ(grid.text(5, 3), QStringLiteral(" ----INVALID----"));
    EXPECT_EQ(grid.text(5, 1), QStringLiteral(" MUTE"));
    EXPECT_EQ(grid.columnWidthPixels(3), (16 + 2) * 6);
    EXPECT_EQ(form->crossPointGrid(0).text(5, 2), QStringLiteral("not repainted"));

    pressSave();
    EXPECT_EQ(folder.read(QStringLiteral("aes3meters.trn")).left(3), hexBytes("64 5F 00"));
    putLE32(compressor, 1024, 7);
    putLE32(compressor, 1028, 480);
    putLE32(compressor, 1036, -36);
    EXPECT_EQ(folder.read(QStringLiteral("compressor.trn")), compressor);
}

// Without its control description file a mixer's set is empty: every slot of every output is
// invalid, and the load says so once.
TEST_F(FormTest, MissingControlFileShowsEveryCellOfItsMixerInvalid)
{
    writeSmallFolder(folder);
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("ipcontrols.txt"))));
    open(folder.path());
    EXPECT_EQ(messages.shown,
              QStringList{QStringLiteral("Warning! There are invalid control assignments")});
    EXPECT_EQ(tree(1)->model()->rowCount(), 0);
    EXPECT_EQ(form->crossPointGrid(0).text(1, 1), QStringLiteral(" MUTE"));
    for (const int output : {0, 31}) {
        outputCombo(1)->setCurrentIndex(output);
        const GridAdapter& grid = form->crossPointGrid(1);
        QStringList cells;
        for (int row = 1; row <= 64; ++row)
            for (int column = 1; column <= 4; ++column)
                cells << grid.text(row, column);
        EXPECT_EQ(cells, QStringList(256, QStringLiteral(" ----INVALID----"))) << output;
    }
}

TEST_F(FormTest, FilesThatCannotBeCreatedAreNamedInOneMessage)
{
    writeSmallFolder(folder);
    // A folder in the place of a file: it can be neither read nor created.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("aes3meters.trn")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("compressor.trn")));
    open(folder.path());

    EXPECT_TRUE(started);
    ASSERT_EQ(messages.shown.size(), 1);
    const QString& message = messages.shown.first();
    EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("aes3meters.trn"))))
        << message.toStdString();
    EXPECT_TRUE(message.contains(folder.filePath(QStringLiteral("compressor.trn"))));
    EXPECT_FALSE(message.contains(QStringLiteral("aes3mix.trn")));
    EXPECT_TRUE(message.contains(QStringLiteral("shows the built-in defaults")));
    EXPECT_EQ(child<QLabel>(QStringLiteral("HoldLabel"))->text(), QStringLiteral("50"));
}

} // namespace
} // namespace tarn::test

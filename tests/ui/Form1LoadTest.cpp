#include "FormFixture.h"
#include "app/LoadSequence.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

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

class Form1ViewTextTest : public FormTest, public ::testing::WithParamInterface<ViewTextRow>
{
};

TEST_P(Form1ViewTextTest, ShowsTheBuiltText)
{
    openSmallFolder();
    const ViewTextRow& row = GetParam();
    const QString name = QLatin1String(row.widget);
    QString actual;
    if (name.startsWith(QStringLiteral("CrossPointGrid")))
        actual = form->crossPointGrid(name.back().digitValue()).text(row.row, row.column);
    else if (name.startsWith(QStringLiteral("LoopsGrid")))
        actual = form->loopsGrid(name.back().digitValue()).text(row.row, row.column);
    else if (auto* list = form->findChild<QComboBox*>(name))
        actual = list->itemText(row.row);
    else
        actual = child<QGroupBox>(name)->title();
    EXPECT_EQ(actual, QString::fromUtf8(row.text));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SmallFolder, Form1ViewTextTest, ::testing::Values(
    ViewTextRow{"InputsHeader", "CrossPointGrid_0", 0, 0, "MIX INPUTS"},
    ViewTextRow{"SlotAHeader", "CrossPointGrid_0", 0, 1, "CONTROL A"},
    ViewTextRow{"SlotDHeader", "CrossPointGrid_1", 0, 4, "CONTROL D"},
    ViewTextRow{"NamedInput", "CrossPointGrid_0", 1, 0, " 01 | Mic 1"},
    ViewTextRow{"LastNamedInput", "CrossPointGrid_0", 3, 0, " 03 | Phone"},
    ViewTextRow{"UnnamedInput", "CrossPointGrid_0", 4, 0, " 04 | "},
    ViewTextRow{"InputNamedAfterOutput", "CrossPointGrid_0", 41, 0, " 41 | MIXER OUTPUT 8"},
    ViewTextRow{"IpInputWithoutFile", "CrossPointGrid_1", 1, 0, " 01 | "},
    ViewTextRow{"IpLastInput", "CrossPointGrid_1", 64, 0, " 64 | MIXER OUTPUT 31"},
    ViewTextRow{"FirstOutput", "MixOutputCombo_0", 0, 0, " 01 | PGM"},
    ViewTextRow{"UnnamedOutput", "MixOutputCombo_0", 31, 0, " 32 | "},
    ViewTextRow{"IpOutput", "MixOutputCombo_1", 9, 0, " 10 | "},
    ViewTextRow{"LoopHeader", "LoopsGrid_0", 0, 0, "LOOP"},
    ViewTextRow{"NamedLoop", "LoopsGrid_0", 2, 0, " 02 | Cue"},
    ViewTextRow{"LoopPastTheFile", "LoopsGrid_0", 3, 0, " 03 | "},
    ViewTextRow{"LoopWithoutFile", "LoopsGrid_1", 8, 0, " 08 |"},
    ViewTextRow{"FirstMeterCaption", "meterFrame_0", 0, 0, "Meter 01"},
    ViewTextRow{"LastMeterCaption", "meterFrame_15", 0, 0, "Meter 16"},
    ViewTextRow{"MeterDisabled", "meterCombo_3", 0, 0, "DISABLED"},
    ViewTextRow{"MeterInput", "meterCombo_3", 1, 0, "MIX INPUT  01 : Mic 1"},
    ViewTextRow{"MeterNamedAfterOutput", "meterCombo_3", 64, 0,
                "MIX INPUT  64 : MIXER OUTPUT 31"},
    ViewTextRow{"MeterOutput", "meterCombo_3", 65, 0, "MIX OUPUT 01 : PGM"},
    ViewTextRow{"MeterLastOutput", "meterCombo_3", 96, 0, "MIX OUPUT 32 : "}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

TEST_F(FormTest, ListsHoldThirtyTwoOutputsAndNinetySevenSources)
{
    openSmallFolder();
    EXPECT_EQ(child<QComboBox>(QStringLiteral("MixOutputCombo_0"))->count(), 32);
    EXPECT_EQ(child<QComboBox>(QStringLiteral("MixOutputCombo_1"))->count(), 32);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(child<QComboBox>(QStringLiteral("meterCombo_") + QString::number(i))->count(),
                  97);
}

TEST_F(FormTest, ExampleFolderNamesItsMeterSources)
{
    folder.copyExample();
    open(folder.path());
    const auto* meter = child<QComboBox>(QStringLiteral("meterCombo_0"));
    EXPECT_EQ(meter->itemText(65), QStringLiteral("MIX OUPUT 01 : PGM L"));
    EXPECT_EQ(meter->itemText(1), QStringLiteral("MIX INPUT  01 : Mic 1 Presenter"));
}

TEST_F(FormTest, WindowHoldsTheLoadedConfigurationWithTheValuesOfItsRun)
{
    folder.copyExample();
    open(folder.path());
    const std::unique_ptr<FolderLoad> load = LoadSequence(folder.path(), MissingFiles::Leave);
    EXPECT_TRUE(form->model() == load->model);
    EXPECT_FALSE(form->model() == ConfigModel());
    EXPECT_EQ(form->model().configFolder, folder.path());
    EXPECT_EQ(form->model().captionBase, QStringLiteral("Quorlan Tarn Config     File path:  "));
    EXPECT_EQ(form->model().initialTabWidth, 18735);
}

TEST_F(FormTest, FreshFolderShowsFirstMixOutputWithDefaultsAndFittedColumns)
{
    openSmallFolder();
    for (int m = 0; m < 2; ++m) {
        const GridAdapter& grid = form->crossPointGrid(m);
        EXPECT_EQ(child<QComboBox>(QStringLiteral("MixOutputCombo_") + QString::number(m))
                      ->currentIndex(),
                  0);
        EXPECT_EQ(grid.text(1, 1), QStringLiteral(" MUTE"));
        EXPECT_EQ(grid.text(64, 4), QStringLiteral(" Unity"));
        // Longest texts: "CONTROL A" (9) above the cells, " 64 | MIXER OUTPUT 31" (21) at left.
        EXPECT_EQ(grid.columnWidthPixels(1), (9 + 2) * 6);
        EXPECT_EQ(grid.columnWidthPixels(0), (21 + 2) * 6);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    for (const char* name : {"aes3mix.trn", "ipmix.trn", "aes3meters.trn", "compressor.trn"})
        EXPECT_EQ(folder.size(QLatin1String(name)), 0) << name;
}

TEST_F(FormTest, SelectingAnotherMixOutputShowsItsControlsInThatGridOnly)
{
    QByteArray ip = defaultMixImage();
    putLE16(ip, slotByte(16, 4, 1), 5);
    putLE16(ip, slotByte(16, 4, 2), 999);
    folder.write(QStringLiteral("ipmix.trn"), ip);
    openSmallFolder();
    messages.shown.clear();

    showTab(1);
    child<QComboBox>(QStringLiteral("MixOutputCombo_1"))->setCurrentIndex(16);
    const GridAdapter& grid = form->crossPointGrid(1);
    EXPECT_EQ(grid.text(5, 2), QStringLiteral(" IP fader 1"));
    EXPECT_EQ(grid.text(5, 3), QStringLiteral(" ----INVALID----"));
    EXPECT_EQ(grid.text(5, 1), QStringLiteral(" MUTE"));
    EXPECT_EQ(grid.columnWidthPixels(3), (16 + 2) * 6);
    EXPECT_EQ(form->crossPointGrid(0).text(5, 2), QStringLiteral(" Unity"));
}

struct WarningRow
{
    const char* id;
    int invalidAes3Slots;
    int invalidIpSlots;
    bool invalidLoop;
    int warnings;
};

class Form1InvalidWarningTest : public FormTest, public ::testing::WithParamInterface<WarningRow>
{
};

TEST_P(Form1InvalidWarningTest, WarnsOncePerMixFileWithInvalidAssignments)
{
    const WarningRow& row = GetParam();
    QByteArray aes3 = defaultMixImage();
    QByteArray ip = defaultMixImage();
    for (int k = 0; k < row.invalidAes3Slots; ++k)
        putLE16(aes3, slotByte(k, k, k % 4), 999);
    for (int k = 0; k < row.invalidIpSlots; ++k)
        putLE16(ip, slotByte(31 - k, k, 3), 12345);
    if (row.invalidLoop)
        putLE32(ip, 16384 + 4 * 7, 0x39050000); // pointer 1337, stored big-endian
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    folder.write(QStringLiteral("ipmix.trn"), ip);
    openSmallFolder();

    EXPECT_EQ(messages.shown.size(), row.warnings);
    for (const QString& shown : messages.shown)
        EXPECT_EQ(shown, QStringLiteral("Warning! There are invalid control assignments"));
}

INSTANTIATE_TEST_SUITE_P(MixFiles, Form1InvalidWarningTest,
                         ::testing::Values(WarningRow{"AllValid", 0, 0, false, 0},
                                           WarningRow{"OneAes3Slot", 1, 0, false, 1},
                                           WarningRow{"ManyAes3Slots", 20, 0, false, 1},
                                           WarningRow{"OnlyAnIpLoop", 0, 0, true, 1},
                                           WarningRow{"BothFiles", 3, 2, true, 2}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(FormTest, ControlSetsWithoutDefaultsWarnForEachFreshMixFile)
{
    writeSmallFolder(folder);
    writeLines(folder, QStringLiteral("aes3controls.txt"), {QStringLiteral("Only~PTR=9~ACTIVE")});
    writeLines(folder, QStringLiteral("ipcontrols.txt"), {QStringLiteral("Only~PTR=9~ACTIVE")});
    open(folder.path());
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(form->crossPointGrid(1).text(2, 2), QStringLiteral(" ----INVALID----"));
}

TEST_F(FormTest, LoopsShowTheirControlsAndFitTheLabelColumn)
{
    QByteArray aes3 = defaultMixImage();
    putLE32(aes3, 16384 + 4 * 2, 0x2C010000); // 00 00 01 2C: pointer 300
    putLE32(aes3, 16384 + 4 * 3, 0xE7030000); // 00 00 03 E7: pointer 999, no entry
    folder.write(QStringLiteral("aes3mix.trn"), aes3);
    openSmallFolder();

    const GridAdapter& loops = form->loopsGrid(0);
    EXPECT_EQ(loops.text(1, 1), QStringLiteral(" Loop off"));
    EXPECT_EQ(loops.text(3, 1), QStringLiteral(" Talkback bus"));
    EXPECT_EQ(loops.text(4, 1), QStringLiteral(" ----INVALID----"));
    EXPECT_EQ(form->model().loopAssignment(0, 2), 300);
    // " 01 | Talkback" is the longest label; the control column spans the whole grid.
    EXPECT_EQ(loops.columnWidthPixels(0), (14 + 2) * 6);
    EXPECT_EQ(loops.columnWidthPixels(1), toPixels({0, 0, 8655, 0}, form->twipsPerPixel()).width());
    EXPECT_EQ(form->loopsGrid(1).columnWidthPixels(0), (5 + 2) * 6);
}

TEST_F(FormTest, CurrentCellsStartHighlighted)
{
    openSmallFolder();
    const QPalette palette = form->crossPointGrid(0).widget()->palette();
    for (GridAdapter* grid : {&form->crossPointGrid(0), &form->crossPointGrid(1),
                              &form->loopsGrid(0), &form->loopsGrid(1)}) {
        EXPECT_EQ(grid->background(1, 1), palette.color(QPalette::Highlight));
        EXPECT_EQ(grid->foreground(1, 1), palette.color(QPalette::HighlightedText));
        EXPECT_EQ(grid->background(2, 1), palette.color(QPalette::Base));
    }
}

TEST_F(FormTest, ControlTreesShowTheirSetsCollapsedWithoutHeader)
{
    openSmallFolder();
    const QStringList roots[4] = {
        {"Faders", "Switching"}, {"IP faders"}, {"Loop off", "Buses"}, {"Loop off", "Returns"}};
    for (int set = 0; set < 4; ++set) {
        QTreeView* view = tree(set);
        const QAbstractItemModel* model = view->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row) {
            texts.append(model->index(row, 0).data().toString());
            EXPECT_FALSE(view->isExpanded(model->index(row, 0)));
        }
        EXPECT_EQ(texts, roots[set]) << set;
        EXPECT_TRUE(view->isHeaderHidden());
    }
}

TEST_F(FormTest, MeterBytesOutsideTheSourcesStayAsRead)
{
    QByteArray meters(16, char(0xFF));
    meters[0] = 100;
    meters[1] = 95;
    meters[2] = 0;
    folder.write(QStringLiteral("aes3meters.trn"), meters);
    openSmallFolder();

    EXPECT_EQ(child<QComboBox>(QStringLiteral("meterCombo_0"))->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(QStringLiteral("meterCombo_1"))->currentIndex(), 96);
    EXPECT_EQ(child<QComboBox>(QStringLiteral("meterCombo_2"))->currentIndex(), 1);
    pressSave();
    EXPECT_EQ(folder.read(QStringLiteral("aes3meters.trn")).left(3), hexBytes("64 5F 00"));
}

TEST_F(FormTest, FreshCompressorShowsDefaultPositions)
{
    openSmallFolder();
    QStringList labels;
    for (const char* name :
         {"AttackLabel", "HoldLabel", "DecayLabel", "GainLabel", "ThresholdLabel"})
        labels.append(child<QLabel>(QLatin1String(name))->text());
    EXPECT_EQ(labels, (QStringList{"3", "50", "7", "18", "-30"}));
    EXPECT_EQ(child<QSpinBox>(QStringLiteral("HoldUpDown"))->value(), 50);
}

TEST_F(FormTest, StoredCompressorIsClampedAndHoldRounded)
{
    QByteArray compressor(1280, '\0');
    putLE32(compressor, 1024, 9);    // Attack above 7
    putLE32(compressor, 1028, 500);  // Hold: position 1, saved as 480
    putLE32(compressor, 1036, -40);  // Gain below -36
    putLE32(compressor, 1040, -12);  // Threshold
    putLE32(compressor, 1100, 4242); // a reserved word
    folder.write(QStringLiteral("compressor.trn"), compressor);
    openSmallFolder();

    EXPECT_EQ(child<QLabel>(QStringLiteral("AttackLabel"))->text(), QStringLiteral("7"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("HoldLabel"))->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("GainLabel"))->text(), QStringLiteral("-36"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("ThresholdLabel"))->text(), QStringLiteral("-12"));
    pressSave();
    QByteArray expected = compressor;
    putLE32(expected, 1024, 7);
    putLE32(expected, 1028, 480);
    putLE32(expected, 1036, -36);
    EXPECT_EQ(folder.read(QStringLiteral("compressor.trn")), expected);
}

} // namespace
} // namespace tarn::test

#pragma once

#include "FakePlatform.h"
#include "TestFolder.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <memory>
#include <stdexcept>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tarn::test {

inline constexpr int kMixFileSize = 16416;
inline const QString kCaption = "Quorlan Tarn Config     File path:  ";

// Byte offsets of a crosspoint slot and of a loop word in a mix file.
constexpr int slotByte(int output, int input, int slot)
{
    return 512 * output + 8 * input + 2 * slot;
}
constexpr int loopByte(int loop)
{
    return 16384 + 4 * loop;
}

// A mix file image whose every slot is A = 0, B..D = 73 (what a fresh folder saves).
inline QByteArray defaultMixImage()
{
    QByteArray image(kMixFileSize, '\0');
    for (int word = 0; word < 8192; ++word) {
        if (word % 4 != 0)
            image[2 * word] = 73;
    }
    return image;
}

inline void putLE16(QByteArray& bytes, int offset, int value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void putLE32(QByteArray& bytes, int offset, quint32 value)
{
    for (int k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

// Writes a text file of '\n'-separated lines with CR LF line ends.
inline void writeLines(const TestFolder& folder, const char* name, const char* lines)
{
    folder.write(QLatin1String(name), QByteArray(lines).replace("\n", "\r\n") + "\r\n");
}

// A small folder whose controls give every default pointer an entry: set 0 has the Faders
// heading (Fader 1 = 16, Fader 2 = 17 with child Fader 2 fine = 25) and Switching (MUTE = 0,
// Unity = 73); set 1 IP fader 1 = 5, MUTE = 0, Unity = 73; sets 2 and 3 Loop off = 0 and
// buses from 300 / returns from 40.
inline void writeSmallFolder(const TestFolder& folder)
{
    writeLines(folder, "aes3controls.txt",
               "Faders~OFFSET=16\n\tFader 1~PTR=OFFSET~ACTIVE\n\tFader 2~PTR++~ACTIVE\n"
               "\t\tFader 2 fine~PTR+=8~ACTIVE\nSwitching\n\tMUTE~PTR=0~ACTIVE\n"
               "\tUnity~PTR=73~ACTIVE");
    writeLines(folder, "ipcontrols.txt",
               "IP faders\n\tIP fader 1~PTR=5~ACTIVE\n\tMUTE~PTR=0~ACTIVE\n\tUnity~PTR=73~ACTIVE");
    writeLines(folder, "aes3loopcontrols.txt",
               "Loop off~ACTIVE\nBuses~OFFSET=300\n\tTalkback bus~PTR=OFFSET~ACTIVE\n"
               "\tCue bus~PTR++~ACTIVE");
    writeLines(folder, "iploopcontrols.txt", "Loop off~ACTIVE\nReturns\n\tReturn 1~PTR=40~ACTIVE");
    writeLines(folder, "aes3inputs.txt", "Mic 1\nMic 2\nPhone");
    writeLines(folder, "aes3outputs.txt", "PGM\nClean feed");
    writeLines(folder, "aes3loops.txt", "Talkback,Cue");
}

// Every text of the grid and every column width, to see that nothing changed.
inline QStringList shownState(const GridView& grid)
{
    QStringList state = grid.labelTexts();
    state << QString::number(grid.labelWidthPixels());
    for (int c = 0; c < grid.columns(); ++c)
        state << QString::number(grid.columnWidthPixels(c)) << grid.columnTexts(c);
    return state;
}

inline QPoint cellCenter(const GridView& grid, int row, int column)
{
    return grid.visualRect(grid.model()->index(row, column)).center();
}

// A window started on a folder with fake platform services. Public, so that table rows can
// drive it.
class FormTest : public ::testing::Test
{
public:
    Form1& makeForm()
    {
        form = std::make_unique<Form1>(Form1Services{settings, chooser, messages});
        return *form;
    }

    // Starts the window as the user would, choosing `path` in the folder dialog.
    Form1& open(const QString& path)
    {
        chooser.answer = path;
        makeForm();
        started = form->start();
        return *form;
    }
    Form1& openSmallFolder()
    {
        writeSmallFolder(folder);
        return open(folder.path());
    }
    // The small folder in an active window, as the keyboard shortcuts need it.
    void openActive()
    {
        openSmallFolder();
        ASSERT_TRUE(started);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
    {
        QTest::keyClick(form.get(), key, modifiers);
    }

    template <typename Widget> Widget* child(const QString& name) const
    {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget) {
            ADD_FAILURE() << "no widget " << name.toStdString();
            throw std::runtime_error("missing widget");
        }
        return widget;
    }

    QTabWidget* tabs() const { return child<QTabWidget>("SSTab1"); }
    QTreeView* tree(int set) const
    {
        return child<QTreeView>("ControlsTree_" + QString::number(set));
    }
    QComboBox* outputCombo(int mixer) const
    {
        return child<QComboBox>("MixOutputCombo_" + QString::number(mixer));
    }
    void showTab(int tab) const { tabs()->setCurrentIndex(tab); }
    // A widget's place in its container, in the tab strip for a widget on a page.
    QRect placeOf(const QString& name) const
    {
        const QWidget* widget = child<QWidget>(name);
        const QWidget* container = widget->parentWidget();
        if (tabs()->indexOf(const_cast<QWidget*>(container)) >= 0)
            container = tabs();
        return {widget->mapTo(container, QPoint(0, 0)), widget->size()};
    }

    // The tree entry reached by following `path` from the roots.
    QModelIndex entry(int set, const QStringList& path) const
    {
        const QAbstractItemModel* model = tree(set)->model();
        QModelIndex found;
        for (const QString& text : path) {
            const QModelIndexList hits =
                model->match(model->index(0, 0, found), Qt::DisplayRole, text, 1, Qt::MatchExactly);
            if (hits.isEmpty()) {
                ADD_FAILURE() << "no tree entry " << text.toStdString();
                throw std::runtime_error("missing entry");
            }
            found = hits.first();
        }
        return found;
    }

    // Clicks an entry with the mouse, as the user would after opening its headings.
    void clickEntry(int set, const QStringList& path) const
    {
        showTab(set < 2 ? set : 2);
        QTreeView* view = tree(set);
        const QModelIndex index = entry(set, path);
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            view->expand(up);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    static void select(GridView& grid, int row, int column, int otherRow, int otherColumn)
    {
        grid.setSelection({row, column, otherRow, otherColumn});
    }
    // Fader 2 (pointer 17) into slot A of an input of the first AES3 output.
    void assignFader2(int input = 0) const
    {
        select(form->crossPointGrid(0), input, 0, input, 0);
        clickEntry(0, {"Faders", "Fader 2"});
    }

    QStringList spinnerLabels() const
    {
        QStringList texts;
        for (const char* name :
             {"AttackLabel", "HoldLabel", "DecayLabel", "GainLabel", "ThresholdLabel"})
            texts << child<QLabel>(QLatin1String(name))->text();
        return texts;
    }

    void clickButton(const QString& name) const
    {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
    }
    void pressSave() const { clickButton("SaveCommand"); }
    QComboBox* meterCombo(int meter) const
    {
        return child<QComboBox>("meterCombo_" + QString::number(meter));
    }

    FakeSettings settings;
    FakeChooser chooser;
    FakeMessages messages;
    TestFolder folder;
    std::unique_ptr<Form1> form;
    bool started = false;
};

// A window test driven by a table: one named row per case.
template <typename Row>
class FormRowTest : public FormTest, public ::testing::WithParamInterface<Row>
{
};

} // namespace tarn::test

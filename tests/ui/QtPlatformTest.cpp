#include "ui/QtPlatform.h"

#include "app/QtSettingsStore.h"

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Runs `answer` on the modal dialog as soon as it is up.
void whenModalOpens(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(10, [answer = std::move(answer)]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else
            whenModalOpens(std::move(answer));
    });
}

// Clicks `which` of the message box that is up; ends any other dialog, so that a failing test
// does not hang.
void click(QWidget* modal, QMessageBox::StandardButton which)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && box->button(which)) {
        box->button(which)->click();
        return;
    }
    ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected);
}

TEST(QtSettingsStore, KeepsThePathUnderApplicationSectionAndKey)
{
    const QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QtSettingsStore store;
    const QString application = "Kestrand Tarnconfig";
    EXPECT_EQ(store.value(application, "settings", "path", "0"), "0");
    store.setValue(application, "settings", "path", "/data/cfg");
    EXPECT_EQ(store.value(application, "settings", "path", "0"), "/data/cfg");
    EXPECT_EQ(store.value("Other", "settings", "path", "0"), "0");

    QFile file(home.filePath("Kestrand Tarnconfig.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(QString::fromUtf8(file.readAll()).simplified(), "[settings] path=/data/cfg");
}

// An existing start folder is preselected and returned as chosen; a missing one is not opened,
// and cancel gives nothing.
TEST(QtFolderChooser, PreselectsAnExistingStartFolder)
{
    const QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir("cfg"));
    const QString start = root.filePath("cfg");
    QString title;
    QString openedIn;
    const auto answer = [&](bool accept) {
        whenModalOpens([&, accept](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return click(modal, QMessageBox::Ok);
            title = dialog->windowTitle();
            openedIn = dialog->directory().absolutePath();
            accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
    };
    QtFolderChooser chooser;
    answer(true);
    EXPECT_EQ(chooser.chooseFolder("Choose the folder:", start), QDir::toNativeSeparators(start));
    EXPECT_EQ(title, "Choose the folder:");
    EXPECT_EQ(openedIn, QDir(start).absolutePath());

    const QString missing = root.filePath("gone");
    answer(false);
    EXPECT_EQ(chooser.chooseFolder("Choose the folder:", missing), QString());
    EXPECT_NE(openedIn, missing);
}

// Escape and closing a box are no answer of their own: a two-way question waits for a button,
// the three-way one takes them as Cancel.
void escape(QWidget* modal)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(modal, &key);
}

void escapeAndClose(QWidget* modal)
{
    escape(modal);
    modal->close();
}

void clickText(QWidget* modal, const char* text)
{
    for (QAbstractButton* button : qobject_cast<QMessageBox*>(modal)->buttons()) {
        if (button->text() == QLatin1String(text))
            button->click();
    }
}

enum class Ask { YesNo, YesNoCancel, Choice, Ok };

struct BoxRow
{
    const char* id;
    Ask ask;
    std::function<void(QWidget*)> act;
    int answer; // the bool, or the three-way answer
    int buttons;
};

using QtMessageBoxesTest = ::testing::TestWithParam<BoxRow>;

TEST_P(QtMessageBoxesTest, AnswersAsTheUserDid)
{
    const BoxRow& row = GetParam();
    const QString question = "Save before exit?";
    QtMessageBoxes boxes;
    QString title;
    QString text;
    int buttons = 0;
    whenModalOpens([&](QWidget* modal) {
        title = modal->windowTitle();
        text = qobject_cast<QMessageBox*>(modal)->text();
        buttons = static_cast<int>(qobject_cast<QMessageBox*>(modal)->buttons().size());
        row.act(modal);
        // Still open: Yes ends it, and a row that expected another answer fails.
        if (QWidget* still = QApplication::activeModalWidget())
            click(still, QMessageBox::Yes);
    });
    const int answer = row.ask == Ask::YesNo    ? boxes.askYesNo(question)
                       : row.ask == Ask::Choice ? boxes.askChoice(question, "Overwrite", "Cancel")
                       : row.ask == Ask::Ok     ? (boxes.showOk(question), 0)
                                                : static_cast<int>(boxes.askYesNoCancel(question));
    EXPECT_EQ(answer, row.answer);
    EXPECT_EQ(buttons, row.buttons);
    EXPECT_EQ(text, question);
    EXPECT_EQ(title, QApplication::applicationDisplayName());
}

constexpr int kYes = static_cast<int>(MessageBoxes::Answer::Yes);
constexpr int kNo = static_cast<int>(MessageBoxes::Answer::No);
constexpr int kCancel = static_cast<int>(MessageBoxes::Answer::Cancel);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Acts, QtMessageBoxesTest, ::testing::Values(
    BoxRow{"YesNoEscapeThenYes", Ask::YesNo, escapeAndClose, true, 2},
    BoxRow{"YesNoNo", Ask::YesNo, [](QWidget* m) { click(m, QMessageBox::No); }, false, 2},
    BoxRow{"Ok", Ask::Ok, [](QWidget* m) { click(m, QMessageBox::Ok); }, 0, 1},
    BoxRow{"Overwrite", Ask::Choice, [](QWidget* m) {
        escapeAndClose(m);
        clickText(m, "Overwrite"); }, true, 2},
    BoxRow{"Cancel", Ask::Choice, [](QWidget* m) {
        escapeAndClose(m);
        clickText(m, "Cancel"); }, false, 2},
    BoxRow{"ThreeWayYes", Ask::YesNoCancel, [](QWidget* m) { click(m, QMessageBox::Yes); }, kYes, 3},
    BoxRow{"ThreeWayNo", Ask::YesNoCancel, [](QWidget* m) { click(m, QMessageBox::No); }, kNo, 3},
    BoxRow{"ThreeWayEscape", Ask::YesNoCancel, escape, kCancel, 3},
    BoxRow{"ThreeWayCloseButton", Ask::YesNoCancel, [](QWidget* m) { m->close(); }, kCancel, 3}),
    [](const auto& info) { return std::string(info.param.id); });
// clang-format on

} // namespace
} // namespace tarn

#include "ui/QtPlatform.h"

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
    QtFolderChooser chooser(nullptr);
    answer(true);
    EXPECT_EQ(chooser.chooseFolder("Choose the folder:", start), QDir::toNativeSeparators(start));
    EXPECT_EQ(title, "Choose the folder:");
    EXPECT_EQ(openedIn, QDir(start).absolutePath());

    const QString missing = root.filePath("gone");
    answer(false);
    EXPECT_EQ(chooser.chooseFolder("Choose the folder:", missing), QString());
    EXPECT_NE(openedIn, missing);
}

TEST(QtMessageBoxes, OnlyTheButtonsAnswerAndEscapeDoesNotCountAsNo)
{
    QtMessageBoxes boxes(nullptr);
    QString title;
    QString text;
    whenModalOpens([&](QWidget* modal) {
        title = modal->windowTitle();
        text = qobject_cast<QMessageBox*>(modal)->text();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(modal, &escape);
        modal->close();
        // Still open: only a button answers.
        if (QWidget* still = QApplication::activeModalWidget())
            click(still, QMessageBox::Yes);
    });
    EXPECT_TRUE(boxes.askYesNo("Save before exit?"));
    EXPECT_EQ(text, "Save before exit?");
    EXPECT_EQ(title, QApplication::applicationDisplayName());

    whenModalOpens([](QWidget* modal) { click(modal, QMessageBox::No); });
    EXPECT_FALSE(boxes.askYesNo("Save before exit?"));

    int buttons = 0;
    whenModalOpens([&](QWidget* modal) {
        buttons = static_cast<int>(qobject_cast<QMessageBox*>(modal)->buttons().size());
        click(modal, QMessageBox::Ok);
    });
    boxes.showOk("Warning! There are invalid control assignments");
    EXPECT_EQ(buttons, 1);

    // Two named answers; Escape and closing answer neither.
    for (const char* answer : {"Overwrite", "Cancel"}) {
        whenModalOpens([answer](QWidget* modal) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(modal, &escape);
            modal->close();
            for (QAbstractButton* button : qobject_cast<QMessageBox*>(modal)->buttons()) {
                if (button->text() == QLatin1String(answer))
                    button->click();
            }
        });
        EXPECT_EQ(boxes.askChoice("Overwrite them?", "Overwrite", "Cancel"),
                  QLatin1String(answer) == QLatin1String("Overwrite"));
    }
}

// The three-way question: each button answers for itself; Escape and the close button Cancel.
struct ThreeWayRow
{
    const char* id;
    std::function<void(QWidget*)> act;
    MessageBoxes::Answer answer;
};

using QtMessageBoxesThreeWay = ::testing::TestWithParam<ThreeWayRow>;

TEST_P(QtMessageBoxesThreeWay, AnswersAsTheUserDid)
{
    QtMessageBoxes boxes(nullptr);
    int buttons = 0;
    whenModalOpens([&](QWidget* modal) {
        buttons = static_cast<int>(qobject_cast<QMessageBox*>(modal)->buttons().size());
        GetParam().act(modal);
        // Still open: the row's act did not answer; Yes ends it, and the row fails.
        if (QWidget* still = QApplication::activeModalWidget())
            click(still, QMessageBox::Yes);
    });
    EXPECT_EQ(boxes.askYesNoCancel("Save before exit?"), GetParam().answer);
    EXPECT_EQ(buttons, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Acts, QtMessageBoxesThreeWay,
    ::testing::Values(
        ThreeWayRow{"Yes", [](QWidget* m) { click(m, QMessageBox::Yes); },
                    MessageBoxes::Answer::Yes},
        ThreeWayRow{"No", [](QWidget* m) { click(m, QMessageBox::No); }, MessageBoxes::Answer::No},
        ThreeWayRow{"Escape",
                    [](QWidget* m) {
                        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                        QApplication::sendEvent(m, &escape);
                    },
                    MessageBoxes::Answer::Cancel},
        ThreeWayRow{"CloseButton", [](QWidget* m) { m->close(); }, MessageBoxes::Answer::Cancel}),
    [](const auto& info) { return std::string(info.param.id); });

} // namespace
} // namespace tarn

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

// Ends a dialog that is not the expected one, so that a failing test does not hang.
void dismiss(QWidget* modal)
{
    ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected);
}

TEST(QtSettingsStore, KeepsThePathUnderApplicationSectionAndKey)
{
    const QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());

    QtSettingsStore store;
    const QString application = QStringLiteral("Kestrand Tarnconfig");
    EXPECT_EQ(store.value(application, "settings", "path", "0"), QStringLiteral("0"));
    store.setValue(application, "settings", "path", QStringLiteral("/data/cfg"));
    EXPECT_EQ(store.value(application, "settings", "path", "0"), QStringLiteral("/data/cfg"));

    QFile file(home.filePath(QStringLiteral("Kestrand Tarnconfig.conf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(QString::fromUtf8(file.readAll()).simplified(),
              QStringLiteral("[settings] path=/data/cfg"));

    // Another application's entry is kept apart.
    EXPECT_EQ(store.value(QStringLiteral("Other"), "settings", "path", "0"), QStringLiteral("0"));
}

TEST(QtFolderChooser, OpensInAnExistingStartFolderAndReturnsIt)
{
    const QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("cfg")));
    const QString start = root.filePath(QStringLiteral("cfg"));

    QString title;
    QString openedIn;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return dismiss(modal);
        title = dialog->windowTitle();
        openedIn = dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();
    });
    QtFolderChooser chooser(nullptr);
    const QString chosen = chooser.chooseFolder(QStringLiteral("Choose the folder:"), start);
    EXPECT_EQ(title, QStringLiteral("Choose the folder:"));
    EXPECT_EQ(openedIn, QDir(start).absolutePath());
    EXPECT_EQ(chosen, QDir::toNativeSeparators(start));
}

TEST(QtFolderChooser, CancelGivesEmptyAndAMissingStartIsNotOpened)
{
    const QTemporaryDir root;
    const QString missing = root.filePath(QStringLiteral("gone"));
    QString openedIn;
    whenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return dismiss(modal);
        openedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    QtFolderChooser chooser(nullptr);
    EXPECT_EQ(chooser.chooseFolder(QStringLiteral("Choose the folder:"), missing), QString());
    EXPECT_NE(openedIn, missing);
    EXPECT_FALSE(openedIn.isEmpty());
}

QAbstractButton* buttonOf(QWidget* modal, QMessageBox::StandardButton which)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box ? box->button(which) : nullptr;
}

TEST(QtMessageBoxes, YesNoAnswersAndEscapeDoesNotCountAsNo)
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
        if (QAbstractButton* yes = buttonOf(QApplication::activeModalWidget(), QMessageBox::Yes))
            yes->click();
        else if (QApplication::activeModalWidget())
            dismiss(QApplication::activeModalWidget());
    });
    EXPECT_TRUE(boxes.askYesNo(QStringLiteral("Save before exit?")));
    EXPECT_EQ(text, QStringLiteral("Save before exit?"));
    EXPECT_EQ(title, QApplication::applicationDisplayName());

    whenModalOpens([&](QWidget* modal) {
        if (QAbstractButton* no = buttonOf(modal, QMessageBox::No))
            no->click();
        else
            dismiss(modal);
    });
    EXPECT_FALSE(boxes.askYesNo(QStringLiteral("Save before exit?")));
}

TEST(QtMessageBoxes, ShowOkHasOnlyAnOkButton)
{
    QtMessageBoxes boxes(nullptr);
    int buttons = 0;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        buttons = box ? static_cast<int>(box->buttons().size()) : 0;
        if (box && box->button(QMessageBox::Ok))
            box->button(QMessageBox::Ok)->click();
        else
            dismiss(modal);
    });
    boxes.showOk(QStringLiteral("Warning! There are invalid control assignments"));
    EXPECT_EQ(buttons, 1);
}

} // namespace
} // namespace tarn

#include "ui/QtPlatform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace tarn {

namespace {

// Only Yes or No answers: Escape or closing the box must not count as No, which may discard
// data.
class YesNoBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            event->ignore();
        else
            QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QString messageTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Tarnconfig") : name;
}

} // namespace

QString QtFolderChooser::chooseFolder(const QString& prompt, const QString& start)
{
    QFileDialog dialog(m_owner, prompt);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Opening inside the start folder preselects it: accepting at once returns it.
    if (!start.isEmpty() && QFileInfo(start).isDir())
        dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    return QDir::toNativeSeparators(chosen.first());
}

void QtMessageBoxes::showOk(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool QtMessageBoxes::askYesNo(const QString& text)
{
    YesNoBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Yes | QMessageBox::No,
                 m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

MessageBoxes::Answer QtMessageBoxes::askYesNoCancel(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    // The box's close button answers as its escape button does.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace tarn

namespace tarn {

bool QtMessageBoxes::askChoice(const QString& text, const QString& accept, const QString& reject)
{
    YesNoBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::NoButton, m_owner);
    QPushButton* acceptButton = box.addButton(accept, QMessageBox::AcceptRole);
    box.addButton(reject, QMessageBox::RejectRole);
    box.setDefaultButton(acceptButton);
    box.exec();
    return box.clickedButton() == acceptButton;
}

} // namespace tarn

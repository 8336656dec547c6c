#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"

#include <QCloseEvent>
#include <QStringList>

namespace tarn {

void Form1::SaveCommand_Click()
{
    // Saved as shown, so the loss at the next load is said now, not found then.
    if (saveFolder() && !holdLossNote().isEmpty())
        m_services.messages.showOk(holdLossNote());
}

// Writes the four files; a failure names each file not written and why, and those that were.
// The model keeps the edits either way, so the user can try again.
bool Form1::saveFolder()
{
    if (!confirmOverwrite())
        return false;
    const SaveReport report = SaveAll(m_model, m_model.configFolder, m_load->unreadFiles);
    noteSave(report);
    if (report.complete()) {
        m_savedModel = m_model;
        updateModifiedMark();
        return true;
    }
    QStringList lines{QLatin1String(kSaveFailedIntro)};
    for (const FileProblem& problem : report.notWritten)
        lines.append(problem.message());
    if (!report.written.empty()) {
        lines.append(QLatin1String(kSaveWrittenIntro));
        lines.append(QStringList(report.written.begin(), report.written.end()));
    }
    lines.append(QLatin1String(kSaveFailedOutro));
    m_services.messages.showOk(lines.join(QLatin1Char('\n')));
    return false;
}

bool Form1::settleUnsavedChanges(const char* question)
{
    switch (m_services.messages.askYesNoCancel(QLatin1String(question))) {
    case MessageBoxes::Answer::Yes:
        // A failed save keeps the window and its edits, so that they are not lost.
        return saveFolder();
    case MessageBoxes::Answer::No:
        // The edits are given up, so nothing is left to recover after a crash.
        forgetUnsavedEdits();
        return true;
    case MessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending || !m_loaded) {
        event->accept();
        return;
    }
    event->setAccepted(settleUnsavedChanges(kSaveBeforeExitQuestion));
}

} // namespace tarn

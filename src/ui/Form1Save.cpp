#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"

#include <QCloseEvent>
#include <QStringList>

namespace tarn {

void Form1::SaveCommand_Click()
{
    saveFolder();
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

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending || !m_loaded) {
        event->accept();
        return;
    }
    // A save that failed at exit keeps the window, so that the edits are not lost with it.
    const bool save = m_services.messages.askYesNo(QLatin1String(kSaveBeforeExitQuestion));
    if (save && !saveFolder()) {
        event->ignore();
        return;
    }
    if (!save)
        forgetUnsavedEdits();
    event->accept();
}

} // namespace tarn

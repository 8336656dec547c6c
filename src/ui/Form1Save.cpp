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

// Writes the four files; a failure names each file not written and why. The model keeps the
// edits either way, so the user can try again.
bool Form1::saveFolder()
{
    const std::vector<FileProblem> problems = SaveAll(m_model, m_model.configFolder);
    if (problems.empty())
        return true;
    QStringList lines{QLatin1String(kSaveFailedIntro)};
    for (const FileProblem& problem : problems)
        lines.append(problem.message());
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
    if (m_services.messages.askYesNo(QLatin1String(kSaveBeforeExitQuestion)) && !saveFolder()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tarn

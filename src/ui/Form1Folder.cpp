#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "app/StartupFolder.h"
#include "controls/ControlSearch.h"
#include "controls/ControlTreeModel.h"
#include "ui/Form1.h"
#include "ui/Form1Texts.h"

#include <cmath>

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QUndoStack>

namespace tarn {

bool Form1::start(const QString& argumentFolder)
{
    m_model.captionBase = windowTitle();
    // Taken from the design size before the window is first shown.
    m_model.initialTabHeight = static_cast<std::int16_t>(std::lround(m_geometry.tabStrip.height));
    m_model.initialTabWidth = static_cast<std::int16_t>(std::lround(m_geometry.tabStrip.width));
    show();

    const FolderChoice choice = ResolveConfigFolder(m_services.settings, m_services.chooser,
                                                    m_services.messages, argumentFolder);
    m_declinedFolder = choice.declined;
    if (choice.folder.isEmpty()) {
        setWindowTitle(m_model.captionBase);
        // No folder, no program: nothing was loaded, so nothing is asked or saved.
        m_ending = true;
        close();
        return false;
    }
    if (!loadFolder(choice.folder)) {
        setWindowTitle(m_model.captionBase);
        m_ending = true;
        close();
        return false;
    }
    return true;
}

bool Form1::loadFolder(const QString& folder)
{
    if (!confirmSecondEditor(folder))
        return false;
    m_model.configFolder = folder;
    m_caption = m_model.captionBase + folder;
    setWindowTitle(m_caption);
    showLoadedFolder();
    offerRecovery();
    return true;
}

void Form1::connectFolderShortcut()
{
    auto* action = new QAction(this);
    action->setShortcuts(QKeySequence::keyBindings(QKeySequence::Open));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, &Form1::openOtherFolder);
}

// Ctrl+O: unsaved edits are settled first; a cancelled dialog keeps the folder shown.
void Form1::openOtherFolder()
{
    if (isModified() && !settleUnsavedChanges(kSaveBeforeOpenQuestion))
        return;
    const FolderChoice choice =
        ResolveConfigFolder(m_services.settings, m_services.chooser, m_services.messages);
    if (!choice.folder.isEmpty())
        loadFolder(choice.folder);
}

// Lets go of what the last load showed, so that a load into a running window starts as a new
// window's does. The trees point into the load's sets, so they let go first.
void Form1::forgetLoadedFolder()
{
    if (!m_load)
        return;
    if (m_findPanel && m_findPanel->isVisible())
        closeFindField();
    for (auto& search : m_search)
        search.reset();
    for (ControlTreeModel* model : m_controlTreeModel)
        model->setControlSet(nullptr);
    for (QComboBox* combo : m_mixOutputCombo)
        combo->clear();
    for (QComboBox* combo : m_meterCombo)
        combo->clear();
    m_loaded = false;
}

} // namespace tarn

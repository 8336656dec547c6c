#include "ui/CrossPointMenu.h"

#include "editors/CrosspointEditor.h"
#include "texts/WindowTexts.h"

namespace tarn {

CrossPointMenu::CrossPointMenu(QWidget* window) : QMenu(QLatin1String(kPopupMenuTitle), window)
{
    setObjectName(QStringLiteral("mnuCrossPointGrid"));
    const auto addItem = [this](const char* caption, const char* name,
                                const FixedAssignment& assignment) {
        QAction* item = addAction(QLatin1String(caption));
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [this, &assignment] {
            emit assignRequested(m_mixer, assignment.pointer, QLatin1String(assignment.text));
        });
    };
    addItem(kMuteItem, "mnuMUTE", kMuteAssignment);
    addItem(kUnityItem, "mnuLu", kUnityAssignment);
}

void CrossPointMenu::popUpOver(int mixer, const QPoint& at)
{
    m_mixer = mixer;
    popup(at);
}

} // namespace tarn

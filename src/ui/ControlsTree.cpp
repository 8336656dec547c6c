#include "ui/ControlsTree.h"

#include "controls/ControlTreeModel.h"
#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTreeView>

namespace tarn {

ControlsTree::ControlsTree(int set, const QString& accessibleName, QWidget* parent)
    : m_view(new QTreeView(parent)), m_model(new ControlTreeModel(m_view))
{
    setParent(m_view);
    m_view->setObjectName(QStringLiteral("ControlsTree_") + QString::number(set));
    m_view->setAccessibleName(accessibleName);
    m_view->setHeaderHidden(true);
    m_view->setFont(sixPixelFixedFont());
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    // A set may hold 32767 entries; rows of one height keep scrolling cheap.
    m_view->setUniformRowHeights(true);
    m_view->setModel(m_model);
    m_view->installEventFilter(this);
    connect(m_view, &QTreeView::clicked, this, [this](const QModelIndex& entry) {
        emit entryChosen(ControlTreeModel::entryIndexOf(entry));
    });
}

void ControlsTree::showControlSet(const ControlSet* set)
{
    m_model->setControlSet(set);
    if (set)
        m_view->collapseAll();
}

void ControlsTree::revealEntry(int entryIndex, bool makeCurrent)
{
    const QModelIndex entry = m_model->indexOfEntry(entryIndex);
    for (QModelIndex ancestor = entry.parent(); ancestor.isValid(); ancestor = ancestor.parent())
        m_view->expand(ancestor);
    m_view->scrollTo(entry);
    if (!makeCurrent)
        return;
    {
        const QSignalBlocker quiet(m_view->selectionModel());
        m_view->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    }
    m_view->viewport()->update();
}

bool ControlsTree::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        emit focusEntered();
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    emit entryChosen(ControlTreeModel::entryIndexOf(m_view->currentIndex()));
    return true;
}

} // namespace tarn

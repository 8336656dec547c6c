#include "app/LoadSequence.h"
#include "controls/ControlTreeModel.h"
#include "ui/Form1.h"

#include <algorithm>

#include <QKeyEvent>
#include <QTreeView>

namespace tarn {

void Form1::ControlsTree_NodeClick(int set, const QModelIndex& entry)
{
    const int index = ControlTreeModel::entryIndexOf(entry);
    const ControlSet& controls = m_load->sets[static_cast<std::size_t>(set)];
    if (index < 1 || index > controls.entryCount())
        return;
    const int pointer = controls.NodeToPointer(index);
    const QString text = controls.text(index);
    if (set == crosspointSetOf(0) || set == crosspointSetOf(1))
        assignToCrossPointSelection(set, pointer, text);
    else
        assignToLoopSelection(set - loopSetOf(0), pointer, text);
}

bool Form1::handleTreeKey(QObject* watched, const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const auto tree = std::find(m_controlsTree.begin(), m_controlsTree.end(), watched);
    if (tree == m_controlsTree.end())
        return false;
    ControlsTree_NodeClick(static_cast<int>(tree - m_controlsTree.begin()),
                           (*tree)->currentIndex());
    return true;
}

// Shows the entry that carries `pointer` without selecting it: its ancestors are expanded and
// the tree scrolls to it. A pointer no entry carries has nothing to show.
void Form1::revealControl(int set, int pointer)
{
    if (pointer < 0 || pointer > kMaxPointer)
        return;
    const auto s = static_cast<std::size_t>(set);
    const int index = m_load->sets[s].PointerToNode(pointer);
    if (index == 0)
        return;
    const QModelIndex entry = m_controlTreeModel[s]->indexOfEntry(index);
    QTreeView* tree = m_controlsTree[s];
    for (QModelIndex ancestor = entry.parent(); ancestor.isValid(); ancestor = ancestor.parent())
        tree->expand(ancestor);
    tree->scrollTo(entry);
}

} // namespace tarn

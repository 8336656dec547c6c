#include "controls/ControlSet.h"

namespace tarn {

ControlSet::ControlSet() = default;

int ControlSet::append(int parent, const QString& text, int line)
{
    if (isFull())
        return 0;
    ControlNode node;
    node.text = text;
    node.index = entryCount() + 1;
    node.parent = parent;
    node.depth = parent == 0 ? 0 : entry(parent).depth + 1;
    node.line = line;
    m_nodes.push_back(std::move(node));
    const int index = entryCount();
    if (parent == 0)
        m_roots.push_back(index);
    else
        m_nodes[static_cast<std::size_t>(parent - 1)].children.push_back(index);
    return index;
}

int ControlSet::appendRoot(const QString& text, int line)
{
    return append(0, text, line);
}

int ControlSet::appendChild(int parent, const QString& text, int line)
{
    if (parent < 1 || parent > entryCount())
        return 0;
    return append(parent, text, line);
}

int ControlSet::appendSiblingAfter(int sibling, const QString& text, int line)
{
    if (sibling < 1 || sibling > entryCount())
        return 0;
    // The current entry is always the last among its siblings, so "after it" is "last".
    return append(entry(sibling).parent, text, line);
}

void ControlSet::setPointerToNode(int pointer, int index)
{
    if (pointer < 0 || pointer >= kPointerSlots || index < 0 || index > entryCount())
        return;
    const auto slot = static_cast<std::size_t>(pointer);
    if (slot >= m_pointerToNode.size())
        m_pointerToNode.resize(slot + 1, 0);
    m_pointerToNode[slot] = static_cast<std::int16_t>(index);
}

void ControlSet::rebuildNodeToPointer()
{
    // Entry indexes stop at entryCount(); every slot above it holds -1 anyway.
    m_nodeToPointer.assign(static_cast<std::size_t>(entryCount()) + 1, -1);
    for (std::size_t p = 0; p < m_pointerToNode.size(); ++p) {
        const int index = m_pointerToNode[p];
        if (index != 0)
            m_nodeToPointer[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(p);
    }
}

} // namespace tarn

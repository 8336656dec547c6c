#include "controls/ControlSet.h"

#include <algorithm>

namespace tarn {

ControlSet::ControlSet() = default;

int ControlSet::append(int parent, QString&& text, int line)
{
    if (isFull())
        return 0;
    ControlNode& node = m_nodes.emplace_back();
    node.text = std::move(text);
    node.index = entryCount();
    node.parent = parent;
    node.depth = parent == 0 ? 0 : m_nodes[static_cast<std::size_t>(parent - 1)].depth + 1;
    node.line = line;
    m_treeStale = true;
    return node.index;
}

int ControlSet::appendRoot(const QString& text, int line)
{
    return append(0, QString(text), line);
}

int ControlSet::appendChild(int parent, const QString& text, int line)
{
    if (parent < 1 || parent > entryCount())
        return 0;
    return append(parent, QString(text), line);
}

int ControlSet::appendSiblingAfter(int sibling, const QString& text, int line)
{
    if (sibling < 1 || sibling > entryCount())
        return 0;
    // The current entry is always the last among its siblings, so "after it" is "last".
    return append(parentOf(sibling), QString(text), line);
}

void ControlSet::reserveEntries(int count)
{
    m_nodes.reserve(static_cast<std::size_t>(std::min(count, kMaxEntries)));
}

int ControlSet::appendEncoded(int parent, QByteArrayView windows1252, int line)
{
    if (isFull() || parent < 0 || parent > entryCount())
        return 0;
    return append(parent, m_texts.add(windows1252), line);
}

void ControlSet::layOutChildren() const
{
    // Counting sort by parent: entries come in index order, so each list keeps file order.
    const std::size_t count = m_nodes.size();
    std::vector<int> start(count + 2, 0);
    for (const ControlNode& node : m_nodes)
        ++start[static_cast<std::size_t>(node.parent) + 1];
    for (std::size_t k = 1; k < start.size(); ++k)
        start[k] += start[k - 1];
    m_childStore.assign(count, 0);
    std::vector<int> next(start.begin(), start.end() - 1);
    for (const ControlNode& node : m_nodes)
        m_childStore[static_cast<std::size_t>(next[static_cast<std::size_t>(node.parent)]++)] =
            node.index;
    const std::span<const int> all(m_childStore);
    m_rootCount = static_cast<std::size_t>(start[1]);
    for (ControlNode& node : m_nodes) {
        const auto first = static_cast<std::size_t>(start[static_cast<std::size_t>(node.index)]);
        const auto last = static_cast<std::size_t>(start[static_cast<std::size_t>(node.index) + 1]);
        node.children = all.subspan(first, last - first);
    }
    m_treeStale = false;
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

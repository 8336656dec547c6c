#include "controls/ControlSet.h"

#include "model/Index.h"
#include "model/NativeFiles.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tarn {

ControlSet::ControlSet() = default;

ControlNode ControlSet::entry(int index) const
{
    settleTree();
    const Stored& stored = at(m_nodes, index - 1);
    ControlNode node;
    node.textBytes = textBytes(index);
    node.index = index;
    node.parent = stored.parent;
    node.depth = stored.depth;
    node.line = stored.line;
    node.children = childrenOf(index);
    return node;
}

std::span<const int> ControlSet::childrenOf(int index) const
{
    settleTree();
    const auto first = static_cast<std::size_t>(at(m_childStart, index));
    const auto last = static_cast<std::size_t>(m_childStart[static_cast<std::size_t>(index) + 1]);
    return std::span<const int>(m_childStore).subspan(first, last - first);
}

int ControlSet::appendOwned(int parent, QByteArrayView text, int line)
{
    // Offsets must stay below the mark; no set comes near 2 GB of text.
    if (isFull() || m_ownTexts.size() + text.size() >= qsizetype(kOwnText))
        return 0;
    const auto start = static_cast<std::uint32_t>(m_ownTexts.size());
    m_ownTexts.append(text);
    return append(parent, start | kOwnText, text.size(), line);
}

int ControlSet::appendRoot(const QString& text, int line)
{
    return appendOwned(0, encodeWindows1252(text), line);
}

int ControlSet::appendChild(int parent, const QString& text, int line)
{
    if (parent < 1 || parent > entryCount())
        return 0;
    return appendOwned(parent, encodeWindows1252(text), line);
}

int ControlSet::appendSiblingAfter(int sibling, const QString& text, int line)
{
    if (sibling < 1 || sibling > entryCount())
        return 0;
    // The current entry is always the last among its siblings, so "after it" is "last".
    return appendOwned(parentOf(sibling), encodeWindows1252(text), line);
}

QByteArrayView ControlSet::keepSource(const QByteArray& bytes)
{
    // Shared, never changed, so its data stays where it is for the life of the set; bytes that
    // only wrap someone else's memory (fromRawData) are copied. data_ptr() only looks.
    const bool wrapsForeignMemory = !const_cast<QByteArray&>(bytes).data_ptr().isMutable();
    m_source = wrapsForeignMemory ? QByteArray(bytes.constData(), bytes.size()) : bytes;
    return m_source;
}

void ControlSet::reserveEntries(int count)
{
    m_nodes.reserve(static_cast<std::size_t>(std::min(count, kMaxEntries)));
    // A large file fills most of what it reserves; back it in one call, not a fault a page.
    const std::size_t bytes = m_nodes.capacity() * sizeof(Stored);
    if (bytes >= 256 * 1024)
        native::prefault(m_nodes.data(), bytes);
}

void ControlSet::layOutChildren() const
{
    // Counting sort by parent: entries come in index order, so each list keeps file order.
    const std::size_t count = m_nodes.size();
    m_childStart.assign(count + 2, 0);
    for (const Stored& node : m_nodes)
        ++m_childStart[static_cast<std::size_t>(node.parent) + 1];
    for (std::size_t k = 1; k < m_childStart.size(); ++k)
        m_childStart[k] += m_childStart[k - 1];
    m_childStore.assign(count, 0);
    std::vector<int> next(m_childStart.begin(), m_childStart.end() - 1);
    for (std::size_t k = 0; k < count; ++k)
        at(m_childStore, at(next, m_nodes[k].parent)++) = static_cast<int>(k + 1);
    m_rootCount = static_cast<std::size_t>(m_childStart[1]);
    m_treeStale = false;
}

void ControlSet::setPointerToNodeGrowing(int pointer, int index)
{
    if (pointer < 0 || pointer >= kPointerSlots || index < 0 || index > entryCount())
        return;
    const auto slot = static_cast<std::size_t>(pointer);
    // Pointers mostly rise by one; grow by doubling rather than slot by slot.
    if (slot >= m_pointerToNode.size())
        m_pointerToNode.resize(
            std::max(slot + 1, std::min(2 * m_pointerToNode.size(), std::size_t(kPointerSlots))),
            0);
    m_pointerToNode[slot] = static_cast<std::int16_t>(index);
}

void ControlSet::rebuildNodeToPointer()
{
    // Entry indexes stop at entryCount(); every slot above it holds -1 anyway.
    m_nodeToPointer.assign(static_cast<std::size_t>(entryCount()) + 1, -1);
    for (std::size_t p = 0; p < m_pointerToNode.size(); ++p) {
        const int index = m_pointerToNode[p];
        if (index != 0)
            at(m_nodeToPointer, index) = static_cast<std::int16_t>(p);
    }
}

} // namespace tarn

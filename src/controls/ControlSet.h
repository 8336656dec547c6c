#pragma once

#include "controls/EntryTexts.h"

#include <cstdint>
#include <span>
#include <vector>

#include <QByteArrayView>
#include <QString>

namespace tarn {

inline constexpr int kPointerSlots = 32768;
inline constexpr int kMaxEntries = 32767;

inline constexpr int kSetCount = 4;
// Set numbers: crosspoints of mixer m use set m, its loops set m + 2.
constexpr int crosspointSetOf(int mixer)
{
    return mixer;
}
constexpr int loopSetOf(int mixer)
{
    return mixer + 2;
}

// One entry of a control tree. Indexes count from 1 in file order; 0 means "none".
struct ControlNode
{
    QString text;
    int index = 0;
    int parent = 0;
    int depth = 0;
    int line = 0; // line of the description file that created the entry
    std::span<const int> children;
};

// One control description file's tree with its two pointer maps.
class ControlSet
{
public:
    ControlSet();
    // Children are views into the set's own storage.
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;
    ControlSet(ControlSet&&) = default;
    ControlSet& operator=(ControlSet&&) = default;

    int entryCount() const { return static_cast<int>(m_nodes.size()); }
    bool isFull() const { return entryCount() >= kMaxEntries; }
    // Entry by index 1..entryCount().
    const ControlNode& entry(int index) const
    {
        settleTree();
        return m_nodes[static_cast<std::size_t>(index - 1)];
    }
    std::span<const int> roots() const
    {
        settleTree();
        return std::span<const int>(m_childStore).first(m_rootCount);
    }

    // Tree building; each returns the new entry's index, or 0 when the set is full.
    int appendRoot(const QString& text, int line = 0);
    int appendChild(int parent, const QString& text, int line = 0);
    int appendSiblingAfter(int sibling, const QString& text, int line = 0);
    // For the parser: room for `count` entries, the parent of an entry while the tree grows, and
    // an entry under `parent` (0 for a root) whose text is 8-bit Windows-1252.
    void reserveEntries(int count);
    int parentOf(int index) const { return m_nodes[static_cast<std::size_t>(index - 1)].parent; }
    int appendEncoded(int parent, QByteArrayView windows1252, int line);

    // PointerToNode: the entry index that carries a pointer 0..32767, or 0 when none does.
    int PointerToNode(int pointer) const
    {
        if (pointer < 0 || pointer >= static_cast<int>(m_pointerToNode.size()))
            return 0;
        return m_pointerToNode[static_cast<std::size_t>(pointer)];
    }
    bool hasEntryFor(int pointer) const { return PointerToNode(pointer) != 0; }
    void setPointerToNode(int pointer, int index);

    // NodeToPointer: the pointer of entry index 0..32767, or -1.
    std::int16_t NodeToPointer(int index) const
    {
        if (index < 0 || index >= static_cast<int>(m_nodeToPointer.size()))
            return -1;
        return m_nodeToPointer[static_cast<std::size_t>(index)];
    }
    // Rebuilds NodeToPointer from PointerToNode; an entry named by several pointers keeps the
    // highest.
    void rebuildNodeToPointer();

    // Whether the set's file was read at all; a set that was not has an empty tree.
    bool loaded = false;

private:
    int append(int parent, QString&& text, int line);
    // Lays out every entry's children (and the roots) in one array after entries were added.
    void settleTree() const
    {
        if (m_treeStale)
            layOutChildren();
    }
    void layOutChildren() const;

    // Mutable: the child lists are laid out on first reading after the tree grew.
    mutable std::vector<ControlNode> m_nodes;
    // The roots, then each entry's children, in index order.
    mutable std::vector<int> m_childStore;
    mutable std::size_t m_rootCount = 0;
    mutable bool m_treeStale = false;
    EntryTexts m_texts;
    // Both maps cover 0..32767 but hold only the slots up to the highest one in use: slots
    // beyond read as empty (0) and -1. Four sets of two full tables each would cost every load
    // half a megabyte to clear.
    std::vector<std::int16_t> m_pointerToNode;
    std::vector<std::int16_t> m_nodeToPointer;
};

} // namespace tarn

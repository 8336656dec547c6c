#pragma once

#include "model/Index.h"
#include "model/Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <QByteArray>
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

// One entry of a control tree, as ControlSet::entry assembles it. Indexes count from 1 in file
// order; 0 means "none".
struct ControlNode
{
    // The entry text as the file holds it, 8-bit Windows-1252; its bytes belong to the set.
    QByteArrayView textBytes;
    int index = 0;
    int parent = 0;
    int depth = 0;
    int line = 0; // line of the description file that created the entry
    std::span<const int> children;

    // Decoded when a view asks: most of a large file's texts are never shown.
    QString text() const { return decodeWindows1252(textBytes); }
};

// One control description file's tree with its two pointer maps.
class ControlSet
{
public:
    ControlSet();
    // Texts and children are views into the set's own storage.
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;
    ControlSet(ControlSet&&) = default;
    ControlSet& operator=(ControlSet&&) = default;

    int entryCount() const { return static_cast<int>(m_nodes.size()); }
    bool isFull() const { return entryCount() >= kMaxEntries; }
    // Entry by index 1..entryCount().
    ControlNode entry(int index) const;
    // An entry's text alone, which needs no tree: as the file holds it, or decoded.
    QByteArrayView textBytes(int index) const
    {
        const Stored& node = at(m_nodes, index - 1);
        const QByteArray& bytes = (node.textStart & kOwnText) ? m_ownTexts : m_source;
        return QByteArrayView(bytes).sliced(node.textStart & ~kOwnText, node.textSize);
    }
    QString text(int index) const { return decodeWindows1252(textBytes(index)); }
    // The children of entry `index` in file order, without assembling the entry.
    std::span<const int> childrenOf(int index) const;
    std::span<const int> roots() const
    {
        settleTree();
        return std::span<const int>(m_childStore).first(m_rootCount);
    }

    // Tree building; each returns the new entry's index, or 0 when the set is full. Texts are
    // kept as Windows-1252; a character it lacks becomes "?".
    int appendRoot(const QString& text, int line = 0);
    int appendChild(int parent, const QString& text, int line = 0);
    int appendSiblingAfter(int sibling, const QString& text, int line = 0);
    // For the parser: the description's bytes, which the set keeps so that entry texts taken
    // from them need no copy (returns the kept bytes); room for `count` entries; the parent of
    // an entry while the tree grows; and an entry under `parent` (0 for a root) whose text is
    // 8-bit Windows-1252, copied unless it lies within the kept bytes.
    QByteArrayView keepSource(const QByteArray& bytes);
    void reserveEntries(int count);
    int parentOf(int index) const { return at(m_nodes, index - 1).parent; }
    // Inline: the parser calls it once an entry.
    int appendEncoded(int parent, QByteArrayView windows1252, int line)
    {
        if (isFull() || parent < 0 || parent > entryCount())
            return 0;
        const auto at = reinterpret_cast<std::uintptr_t>(windows1252.data());
        const auto source = reinterpret_cast<std::uintptr_t>(m_source.constData());
        // Offsets into the kept bytes stay below kOwnText: the parser reads at most 64 MB.
        if (at >= source &&
            at + std::uintptr_t(windows1252.size()) <= source + std::uintptr_t(m_source.size()) &&
            at - source < kOwnText)
            return append(parent, static_cast<std::uint32_t>(at - source), windows1252.size(),
                          line);
        return appendOwned(parent, windows1252, line);
    }

    // PointerToNode: the entry index that carries a pointer 0..32767, or 0 when none does.
    int PointerToNode(int pointer) const
    {
        if (pointer < 0 || pointer >= static_cast<int>(m_pointerToNode.size()))
            return 0;
        return at(m_pointerToNode, pointer);
    }
    bool hasEntryFor(int pointer) const { return PointerToNode(pointer) != 0; }
    void setPointerToNode(int pointer, int index)
    {
        // Inline for the parser, which sets one a line; the slot is mostly there already.
        const auto slot = static_cast<std::size_t>(pointer);
        if (pointer >= 0 && slot < m_pointerToNode.size() && index >= 0 && index <= entryCount())
            m_pointerToNode[slot] = static_cast<std::int16_t>(index);
        else
            setPointerToNodeGrowing(pointer, index);
    }

    // NodeToPointer: the pointer of entry index 0..32767, or -1.
    std::int16_t NodeToPointer(int index) const
    {
        if (index < 0 || index >= static_cast<int>(m_nodeToPointer.size()))
            return -1;
        return at(m_nodeToPointer, index);
    }
    // Rebuilds NodeToPointer from PointerToNode; an entry named by several pointers keeps the
    // highest.
    void rebuildNodeToPointer();

    // Whether the set's file was read at all; a set that was not has an empty tree.
    bool loaded = false;

private:
    // An entry as the set keeps it: 20 bytes, so that a large file's entries touch few pages.
    // textStart is an offset into m_source, or with kOwnText set into m_ownTexts.
    struct Stored
    {
        std::uint32_t textStart;
        std::uint32_t textSize;
        int parent;
        int depth;
        int line;
    };
    static constexpr std::uint32_t kOwnText = 0x8000'0000;

    int append(int parent, std::uint32_t textStart, qsizetype textSize, int line)
    {
        if (isFull())
            return 0;
        const int depth = parent == 0 ? 0 : at(m_nodes, parent - 1).depth + 1;
        m_nodes.push_back({textStart, static_cast<std::uint32_t>(textSize), parent, depth, line});
        m_treeStale = true;
        return entryCount();
    }
    int appendOwned(int parent, QByteArrayView text, int line);
    void setPointerToNodeGrowing(int pointer, int index);
    // Lays out every entry's children (and the roots) in one array after entries were added.
    void settleTree() const
    {
        if (m_treeStale)
            layOutChildren();
    }
    void layOutChildren() const;

    std::vector<Stored> m_nodes;
    // Mutable: the child lists are laid out on first reading after the tree grew.
    // The roots, then each entry's children, in index order; entry i's children start at
    // m_childStart[i] and end where entry i + 1's start.
    mutable std::vector<int> m_childStore;
    mutable std::vector<int> m_childStart;
    mutable std::size_t m_rootCount = 0;
    mutable bool m_treeStale = false;
    QByteArray m_source;
    // Texts that do not lie in m_source, one after the other.
    QByteArray m_ownTexts;
    // Both maps cover 0..32767 but hold only the slots up to the highest one in use: slots
    // beyond read as empty (0) and -1. Four sets of two full tables each would cost every load
    // half a megabyte to clear.
    std::vector<std::int16_t> m_pointerToNode;
    std::vector<std::int16_t> m_nodeToPointer;
};

} // namespace tarn

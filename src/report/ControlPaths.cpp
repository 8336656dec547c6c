#include "report/ControlPaths.h"

#include "controls/ControlSet.h"
#include "model/Index.h"
#include "report/HtmlText.h"

#include <algorithm>

namespace tarn {

namespace {

// Written as it stands: a ">" after a blank can never close "]]>" in the SVG titles.
constexpr char kSeparator[] = " > ";
constexpr qsizetype kSeparatorCharacters = 3;

} // namespace

ControlPaths::ControlPaths(const ControlSet& set)
    : m_set(set), m_roots(static_cast<std::size_t>(set.entryCount()) + 1),
      m_paths(static_cast<std::size_t>(kPointerSlots)),
      m_built(static_cast<std::size_t>(kPointerSlots), false)
{
    // A parent always comes before its children, so one pass in index order finds every root
    // without walking a deep chain again for each entry.
    for (int index = 1; index <= set.entryCount(); ++index) {
        const int parent = set.parentOf(index);
        at(m_roots, index) = parent > 0 && parent < index ? at(m_roots, parent) : index;
    }
}

const std::string& ControlPaths::path(int pointer)
{
    static const std::string none;
    const int index = m_set.PointerToNode(pointer);
    if (index == 0)
        return none;
    const auto slot = static_cast<std::size_t>(pointer);
    if (!m_built[slot]) {
        m_paths[slot] = build(index);
        m_built[slot] = true;
    }
    return m_paths[slot];
}

std::string ControlPaths::build(int index) const
{
    // The entries from `index` up, as long as they fit; the walk stops at the budget, so a deep
    // chain costs no more than a shallow one.
    std::vector<int> tail;
    qsizetype characters = 0;
    int k = index;
    for (; k != 0; k = m_set.parentOf(k)) {
        const qsizetype added =
            m_set.textBytes(k).size() + (tail.empty() ? 0 : kSeparatorCharacters);
        if (!tail.empty() && characters + added > kPathCharacters)
            break;
        tail.push_back(k);
        characters += added;
    }
    std::string out;
    if (k != 0) {
        const int root = at(m_roots, index);
        appendHtmlText(out, m_set.textBytes(root));
        // Only what lies between the root and the tail is left out.
        if (k != root)
            out += " > \u2026";
        out += kSeparator;
    }
    for (auto it = tail.rbegin(); it != tail.rend(); ++it) {
        appendHtmlText(out, m_set.textBytes(*it));
        if (it + 1 != tail.rend())
            out += kSeparator;
    }
    return out;
}

} // namespace tarn

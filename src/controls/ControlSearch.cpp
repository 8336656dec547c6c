#include "controls/ControlSearch.h"

#include "controls/ControlSet.h"

#include <QStringList>

namespace tarn {

namespace {

// "#" and one to five digits; anything else is searched as text.
int pointerQuery(const QString& text)
{
    if (text.size() < 2 || text.size() > 6 || text.front() != QLatin1Char('#'))
        return -1;
    int pointer = 0;
    for (qsizetype k = 1; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        pointer = pointer * 10 + (c.unicode() - u'0');
    }
    return pointer;
}

} // namespace

ControlSearch::ControlSearch(const ControlSet& set) : m_set(set)
{
    m_order.reserve(static_cast<std::size_t>(set.entryCount()));
    // Depth first without recursion: a control file may nest as deep as it has lines.
    std::vector<int> pending(set.roots().rbegin(), set.roots().rend());
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        m_order.push_back(index);
        const std::span<const int> children = set.entry(index).children;
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    m_folded.reserve(m_order.size());
    for (const int index : m_order)
        m_folded.push_back(set.text(index).toCaseFolded());
}

std::vector<int> ControlSearch::find(const QString& text) const
{
    std::vector<int> matches;
    if (text.isEmpty())
        return matches;
    const int pointer = pointerQuery(text);
    if (pointer >= 0) {
        if (pointer <= kPointerSlots - 1 && m_set.PointerToNode(pointer) != 0)
            matches.push_back(m_set.PointerToNode(pointer));
        return matches;
    }
    const QString needle = text.toCaseFolded();
    for (std::size_t k = 0; k < m_order.size(); ++k) {
        if (m_folded[k].contains(needle))
            matches.push_back(m_order[k]);
    }
    return matches;
}

QString controlPath(const ControlSet& set, int index)
{
    QStringList texts;
    for (int k = index; k != 0; k = set.entry(k).parent)
        texts.prepend(set.text(k));
    return texts.join(QStringLiteral(" > "));
}

} // namespace tarn

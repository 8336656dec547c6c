#pragma once

#include <vector>

#include <QString>

namespace tarn {

class ControlSet;

// Finds entries of a control set by text, over every entry whether its branch is open or not.
// The entries' folded texts and the tree order are worked out once, so each search is one pass.
class ControlSearch
{
public:
    explicit ControlSearch(const ControlSet& set);

    // The indexes of the matching entries in tree order (depth first, as the tree shows them).
    // "#73" is the entry that carries pointer 73; any other text matches entries whose text
    // holds it, ignoring case. An empty text matches nothing.
    std::vector<int> find(const QString& text) const;

    // Entry indexes in tree order.
    const std::vector<int>& treeOrder() const { return m_order; }

private:
    const ControlSet& m_set;
    std::vector<int> m_order;
    std::vector<QString> m_folded; // in tree order
};

// "Desk faders > Desk A > Fader 2": the texts from the root down to entry `index`.
QString controlPath(const ControlSet& set, int index);

} // namespace tarn

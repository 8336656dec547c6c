#include "controls/ControlTreeModel.h"

#include "controls/ControlSet.h"
#include "model/Index.h"

namespace tarn {

ControlTreeModel::ControlTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void ControlTreeModel::setControlSet(const ControlSet* set)
{
    beginResetModel();
    m_set = set;
    m_rowOfEntry.assign(set ? static_cast<std::size_t>(set->entryCount()) + 1 : 0, 0);
    if (set) {
        // Children are listed in index order, so an entry's row is how many of its siblings
        // came before it.
        std::vector<int> nextRow(m_rowOfEntry.size(), 0);
        for (int i = 1; i <= set->entryCount(); ++i)
            at(m_rowOfEntry, i) = at(nextRow, set->parentOf(i))++;
    }
    endResetModel();
}

QModelIndex ControlTreeModel::indexOfEntry(int entryIndex) const
{
    if (!m_set || entryIndex < 1 || entryIndex > m_set->entryCount())
        return {};
    return createIndex(at(m_rowOfEntry, entryIndex), 0, static_cast<quintptr>(entryIndex));
}

int ControlTreeModel::entryIndexOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<int>(index.internalId()) : 0;
}

QModelIndex ControlTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!m_set || column != 0 || row < 0 || parent.column() > 0)
        return {};
    const std::span<const int> siblings =
        parent.isValid() ? m_set->childrenOf(entryIndexOf(parent)) : m_set->roots();
    if (row >= static_cast<int>(siblings.size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(at(siblings, row)));
}

QModelIndex ControlTreeModel::parent(const QModelIndex& child) const
{
    if (!m_set || !child.isValid())
        return {};
    return indexOfEntry(m_set->parentOf(entryIndexOf(child)));
}

int ControlTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!m_set || parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return static_cast<int>(m_set->roots().size());
    return static_cast<int>(m_set->childrenOf(entryIndexOf(parent)).size());
}

int ControlTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant ControlTreeModel::data(const QModelIndex& index, int role) const
{
    if (!m_set || !index.isValid())
        return {};
    // The pointer reaches keyboard and screen-reader users as the entry's description.
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        const int pointer = m_set->NodeToPointer(entryIndexOf(index));
        return pointer < 0 ? QStringLiteral("a heading: no pointer, a click assigns nothing")
                           : QStringLiteral("pointer %1").arg(pointer);
    }
    if (role != Qt::DisplayRole)
        return {};
    return m_set->text(entryIndexOf(index));
}

Qt::ItemFlags ControlTreeModel::flags(const QModelIndex& index) const
{
    if (!m_set || !index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // Lets the tree view skip asking leaves for children.
    if (m_set->childrenOf(entryIndexOf(index)).empty())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

} // namespace tarn

#pragma once

#include <vector>

#include <QAbstractItemModel>

namespace tarn {

class ControlSet;

// A read-only item model over a control set's tree, so that a set of 32767 entries opens as
// fast as a small one. Column 0 shows the entry text; the internal id is the entry index.
class ControlTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit ControlTreeModel(QObject* parent = nullptr);

    // Shows `set` (not owned; must outlive the model or be replaced first).
    void setControlSet(const ControlSet* set);

    QModelIndex indexOfEntry(int entryIndex) const;
    static int entryIndexOf(const QModelIndex& index); // 0 for an invalid index

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const ControlSet* m_set = nullptr;
    // Position of each entry among its siblings, by entry index (slot 0 unused).
    std::vector<int> m_rowOfEntry;
};

} // namespace tarn

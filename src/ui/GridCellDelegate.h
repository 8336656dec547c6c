#pragma once

#include <QStyledItemDelegate>

namespace tarn {

// Paints a grid cell as its background and one line of text, the way the style does for a
// plain item but without the per-cell style work and eliding: a grid repaints 325 cells at a
// time, and the column-width rule already makes every text fit.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // The style's text margin, asked once.
    mutable int m_textMargin = -1;
};

} // namespace tarn

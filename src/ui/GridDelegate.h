#pragma once

#include "ui/CellTextPainter.h"

#include <QAbstractItemDelegate>

class QStyle;

namespace tarn {

// Paints a grid cell as its background (the highlight when selected) and one line of text,
// which is all a cell shows; the text goes through the fast painter, since a grid repaints 256
// cells at a time. Cells are never edited in place.
class GridDelegate : public QAbstractItemDelegate
{
    Q_OBJECT

public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int textMargin(const QStyleOptionViewItem& option) const;
    void paintFocus(QPainter& painter, const QStyleOptionViewItem& option) const;

    mutable CellTextPainter m_text;
    mutable const QStyle* m_marginStyle = nullptr;
    mutable int m_margin = 1;
};

} // namespace tarn

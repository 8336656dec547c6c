#include "ui/GridPainter.h"

#include <algorithm>
#include <vector>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

namespace tarn {

struct GridPainter::Pass
{
    QPainter& painter;
    const QTableView& view;
    const QStyleOptionViewItem& viewOption;
    const QItemSelectionModel* selection;
    QModelIndex current;
    bool focus;
    int textMargin;
};

namespace {

QPalette::ColorGroup colorGroup(QStyle::State state)
{
    if (!(state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

} // namespace

GridPainter::VisualRange GridPainter::visibleSections(const QHeaderView& header, int extent,
                                                      bool reversed)
{
    int first = header.visualIndexAt(0);
    int last = header.visualIndexAt(extent);
    if (reversed)
        std::swap(first, last);
    return {first < 0 ? 0 : first, last < 0 ? header.count() - 1 : last};
}

void GridPainter::paint(QTableView& view, const QRegion& region,
                        const QStyleOptionViewItem& viewOption)
{
    const QHeaderView& columns = *view.horizontalHeader();
    const QHeaderView& rows = *view.verticalHeader();
    QPainter painter(view.viewport());
    if (columns.count() == 0 || rows.count() == 0 || !view.model())
        return;
    painter.setFont(viewOption.font);

    const bool rightToLeft = view.isRightToLeft();
    const bool showGrid = view.showGrid();
    const int gridSize = showGrid ? 1 : 0;
    const QStyle* style = view.style();
    const Pass pass{painter,
                    view,
                    viewOption,
                    view.selectionModel(),
                    view.currentIndex(),
                    (view.hasFocus() || view.viewport()->hasFocus()) &&
                        view.currentIndex().isValid(),
                    style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1};
    const QColor gridColor =
        static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &viewOption, &view));

    // Where the rows and columns end: past them the viewport keeps its background.
    const int lastX = columns.length() - columns.offset() - (rightToLeft ? 0 : 1);
    const int lastY = rows.length() - rows.offset() - 1;

    // A cell under two rectangles of the region is painted once, or its text would darken.
    const VisualRange visibleRows = visibleSections(rows, rows.viewport()->height(), false);
    const VisualRange visibleColumns =
        visibleSections(columns, columns.viewport()->width(), rightToLeft);
    const int rowSpan = visibleRows.last - visibleRows.first + 1;
    const int columnSpan = visibleColumns.last - visibleColumns.first + 1;
    std::vector<bool> drawn(static_cast<std::size_t>(std::max(0, rowSpan * columnSpan)));

    for (QRect dirty : region) {
        dirty.setBottom(std::min(dirty.bottom(), lastY));
        if (rightToLeft)
            dirty.setLeft(std::max(dirty.left(), view.viewport()->width() - lastX));
        else
            dirty.setRight(std::min(dirty.right(), lastX));

        int left = columns.visualIndexAt(dirty.left());
        int right = columns.visualIndexAt(dirty.right());
        if (rightToLeft)
            std::swap(left, right);
        left = left < 0 ? 0 : left;
        right = right < 0 ? columns.count() - 1 : right;
        int bottom = rows.visualIndexAt(dirty.bottom());
        bottom = bottom < 0 ? rows.count() - 1 : bottom;
        const int top = rows.visualIndexAt(dirty.top());
        if (top < 0 || top > bottom)
            continue;

        for (int v = top; v <= bottom; ++v) {
            const int row = rows.logicalIndex(v);
            if (rows.isSectionHidden(row))
                continue;
            const int rowY = view.rowViewportPosition(row);
            const int rowHeight = view.rowHeight(row) - gridSize;
            for (int h = left; h <= right; ++h) {
                const int bit = (v - visibleRows.first) * columnSpan + h - visibleColumns.first;
                if (bit < 0 || bit >= static_cast<int>(drawn.size()) ||
                    drawn[static_cast<std::size_t>(bit)])
                    continue;
                drawn[static_cast<std::size_t>(bit)] = true;
                const int column = columns.logicalIndex(h);
                if (columns.isSectionHidden(column))
                    continue;
                const QModelIndex index = view.model()->index(row, column, view.rootIndex());
                if (!index.isValid())
                    continue;
                const int columnX = view.columnViewportPosition(column);
                paintCell(pass, index,
                          QRect(columnX + (showGrid && rightToLeft ? 1 : 0), rowY,
                                view.columnWidth(column) - gridSize, rowHeight));
            }
        }

        if (showGrid)
            paintGridLines(pass, dirty, {top, bottom}, {left, right}, gridColor);
    }
}

void GridPainter::paintGridLines(const Pass& pass, const QRect& dirty, VisualRange visibleRows,
                                 VisualRange visibleColumns, const QColor& color)
{
    const QTableView& view = pass.view;
    const QHeaderView& columns = *view.horizontalHeader();
    const QHeaderView& rows = *view.verticalHeader();
    int bottom = visibleRows.last;
    while (bottom > 0 && rows.isSectionHidden(rows.logicalIndex(bottom)))
        --bottom;
    // One pixel wide, so filled: the same pixels as the view's stroked lines, far cheaper.
    // A line outside this rectangle would only be clipped away.
    for (int v = visibleRows.first; v <= bottom; ++v) {
        const int row = rows.logicalIndex(v);
        if (rows.isSectionHidden(row))
            continue;
        const int y = view.rowViewportPosition(row) + view.rowHeight(row) - 1;
        if (y >= dirty.top() && y <= dirty.bottom())
            pass.painter.fillRect(QRect(dirty.left(), y, dirty.width(), 1), color);
    }
    for (int h = visibleColumns.first; h <= visibleColumns.last; ++h) {
        const int column = columns.logicalIndex(h);
        if (columns.isSectionHidden(column))
            continue;
        int x = view.columnViewportPosition(column);
        if (!view.isRightToLeft())
            x += view.columnWidth(column) - 1;
        if (x >= dirty.left() && x <= dirty.right())
            pass.painter.fillRect(QRect(x, dirty.top(), 1, dirty.height()), color);
    }
    // Without headers the view draws the top and left edges too.
    if (columns.isHidden() && view.verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        pass.painter.fillRect(QRect(dirty.left(), 0, dirty.width(), 1), color);
    if (rows.isHidden() && view.horizontalScrollMode() == QAbstractItemView::ScrollPerItem)
        pass.painter.fillRect(QRect(0, dirty.top(), 1, dirty.height()), color);
}

void GridPainter::paintCell(const Pass& pass, const QModelIndex& index, const QRect& rect)
{
    QStyle::State state = pass.viewOption.state;
    const bool selected = pass.selection && pass.selection->isSelected(index);
    const bool enabled = !(state & QStyle::State_Enabled) || (index.flags() & Qt::ItemIsEnabled);
    if (!enabled)
        state &= ~QStyle::State_Enabled;
    const QPalette& palette = pass.viewOption.palette;
    const QPalette::ColorGroup group = colorGroup(state);

    QColor foreground;
    if (selected) {
        pass.painter.fillRect(rect, palette.brush(group, QPalette::Highlight));
        foreground = palette.color(group, QPalette::HighlightedText);
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid()) {
            const QBrush brush = qvariant_cast<QBrush>(background);
            if (brush.style() != Qt::NoBrush)
                pass.painter.fillRect(rect, brush);
        }
        const QVariant text = index.data(Qt::ForegroundRole);
        foreground = text.isValid() ? qvariant_cast<QBrush>(text).color()
                                    : palette.color(group, QPalette::Text);
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    m_text.draw(pass.painter, rect, rect.adjusted(pass.textMargin, 0, -pass.textMargin, 0), text,
                foreground);

    if (pass.focus && index == pass.current)
        paintFocus(pass, rect, selected, enabled);
}

void GridPainter::paintFocus(const Pass& pass, const QRect& rect, bool selected, bool enabled) const
{
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(pass.viewOption);
    focus.rect = rect;
    if (selected)
        focus.state |= QStyle::State_Selected;
    if (pass.viewOption.state & QStyle::State_Enabled) {
        if (!enabled)
            focus.state &= ~QStyle::State_Enabled;
        focus.palette.setCurrentColorGroup(enabled ? QPalette::Normal : QPalette::Disabled);
    }
    focus.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    focus.backgroundColor = focus.palette.color(colorGroup(focus.state),
                                                selected ? QPalette::Highlight : QPalette::Window);
    pass.view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &pass.painter, &pass.view);
}

} // namespace tarn

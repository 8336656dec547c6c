#include "ui/GridDelegate.h"

#include "ui/GridView.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace tarn {

namespace {

QPalette::ColorGroup colorGroup(QStyle::State state)
{
    if (!(state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

const QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : nullptr;
}

// The frame marks the grid's current cell, where its selection started, while Qt's current
// index is the corner that Shift and the mouse move.
bool showsFocusFrame(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const auto* grid = qobject_cast<const GridView*>(option.widget);
    if (!grid)
        return option.state & QStyle::State_HasFocus;
    const CellRect cells = grid->selection();
    return (grid->hasFocus() || grid->viewport()->hasFocus()) && index.row() == cells.row &&
           index.column() == cells.column;
}

} // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const QPalette::ColorGroup group = colorGroup(option.state);
    QColor foreground;
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        foreground = option.palette.color(group, QPalette::HighlightedText);
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid())
            painter->fillRect(option.rect, qvariant_cast<QBrush>(background));
        const QVariant text = index.data(Qt::ForegroundRole);
        foreground = text.isValid() ? qvariant_cast<QBrush>(text).color()
                                    : option.palette.color(group, QPalette::Text);
    }
    const int margin = textMargin(option);
    if (painter->font() != option.font)
        painter->setFont(option.font);
    m_text.draw(*painter, option.rect, option.rect.adjusted(margin, 0, -margin, 0),
                index.data(Qt::DisplayRole).toString(), foreground);
    if (showsFocusFrame(option, index))
        paintFocus(*painter, option);
}

int GridDelegate::textMargin(const QStyleOptionViewItem& option) const
{
    // Asked once per style: through the grid's style sheet each question is a rule lookup.
    const QStyle* style = styleOf(option);
    if (style != m_marginStyle) {
        m_marginStyle = style;
        m_margin =
            (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) : 0) +
            1;
    }
    return m_margin;
}

void GridDelegate::paintFocus(QPainter& painter, const QStyleOptionViewItem& option) const
{
    const QStyle* style = styleOf(option);
    if (!style)
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    focus.backgroundColor = option.palette.color(
        colorGroup(option.state),
        (option.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, option.widget);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    return {option.fontMetrics.horizontalAdvance(text), option.fontMetrics.height()};
}

} // namespace tarn

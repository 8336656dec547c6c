#include "ui/GridCellDelegate.h"

#include <QPainter>
#include <QStyle>

namespace tarn {

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    if (m_textMargin < 0)
        m_textMargin =
            (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) : 0) + 1;

    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    QBrush background;
    QColor foreground;
    if (option.state & QStyle::State_Selected) {
        background = option.palette.brush(group, QPalette::Highlight);
        foreground = option.palette.color(group, QPalette::HighlightedText);
    } else {
        background = qvariant_cast<QBrush>(index.data(Qt::BackgroundRole));
        const QVariant text = index.data(Qt::ForegroundRole);
        foreground = text.isValid() ? qvariant_cast<QBrush>(text).color()
                                    : option.palette.color(group, QPalette::Text);
    }
    if (background.style() != Qt::NoBrush)
        painter->fillRect(option.rect, background);

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        painter->save();
        painter->setFont(option.font);
        painter->setPen(foreground);
        painter->setClipRect(option.rect);
        painter->drawText(option.rect.adjusted(m_textMargin, 0, -m_textMargin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }

    if ((option.state & QStyle::State_HasFocus) && style) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(group, (option.state & QStyle::State_Selected)
                                                                ? QPalette::Highlight
                                                                : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

} // namespace tarn

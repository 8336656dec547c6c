#include "ui/FrameStyle.h"

#include <algorithm>

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace tarn {

namespace {

// Room between the border line and the caption on either side of it.
constexpr int kCaptionGap = 2;
constexpr int kCaptionIndent = 6;

} // namespace

FrameStyle::FrameStyle() = default;

QRect FrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                 SubControl subControl, const QWidget* widget) const
{
    const QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty())
        return rect;
    // The caption stands a little in from the frame's corner, on its top line, as far in as
    // leaves a piece of that line beside a caption nearly as wide as the frame.
    QRect label = QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget);
    const int room = option->rect.right() - label.right() - kCaptionGap - 2;
    label.translate(std::clamp(room, 0, kCaptionIndent), 0);
    if (subControl == SC_GroupBoxLabel)
        return label;
    if (subControl != SC_GroupBoxFrame)
        return rect;
    QRect frame = option->rect;
    frame.setTop(label.center().y());
    return frame;
}

void FrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The border first, a plain line left open where the caption cuts it; then the caption
    // alone. The base style's frame primitive would put its own caption room on top again.
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    painter->save();
    QRegion around(option->rect);
    around -= label.adjusted(-kCaptionGap, 0, kCaptionGap, 0);
    painter->setClipRegion(around);
    painter->setPen(option->palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame.adjusted(0, 0, -1, -1));
    painter->restore();

    QStyleOptionGroupBox caption(*box);
    caption.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &caption, painter, widget);
}

} // namespace tarn

#pragma once

#include <QProxyStyle>

namespace tarn {

// Frames drawn the way the window was designed: the caption sits on the top border line and
// the border starts at the caption's middle, so that the widgets placed inside a frame (a meter
// list 240 twips below its top) stand within its border. Only the painting changes; the
// frames keep their geometry.
class FrameStyle : public QProxyStyle
{
public:
    FrameStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};

} // namespace tarn

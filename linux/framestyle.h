#pragma once

#include <QProxyStyle>

// Draws a frame's caption in its top line, as Windows does, whatever the
// desktop's style. Styles such as Fusion put the line below the caption, where
// it runs through controls placed near the frame's top.
class FrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
};

#pragma once

#include <QProxyStyle>

// Draws a frame's caption in its top line, as Windows does, whatever the
// desktop's style. Styles such as Fusion put the caption above the line, which
// then runs through controls placed near the frame's top.
class FrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
};

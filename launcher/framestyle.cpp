#include "framestyle.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

int FrameStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                          QStyleHintReturn *returnData) const
{
    if (hint == SH_GroupBox_TextLabelVerticalAlignment)
        return Qt::AlignVCenter;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void FrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                    QPainter *painter, const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !frame || frame->text.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }

    // The line first, broken where the caption stands, then the caption.
    QStyleOptionGroupBox line = *frame;
    line.subControls = SC_GroupBoxFrame;
    const QRect caption = subControlRect(CC_GroupBox, frame, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setClipRegion(QRegion(frame->rect) - caption.adjusted(-2, 0, 2, 0));
    QProxyStyle::drawComplexControl(control, &line, painter, widget);
    painter->restore();

    QStyleOptionGroupBox title = *frame;
    title.subControls = frame->subControls & ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &title, painter, widget);
}

#include "framestyle.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace {
constexpr int captionIndent = 6;
} // namespace

QRect FrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                 SubControl subControl, const QWidget *widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control != CC_GroupBox
        || (subControl != SC_GroupBoxLabel && subControl != SC_GroupBoxCheckBox))
        return rect;
    // Lift the caption so that its letters, not the empty space above them,
    // start at the frame's top: frames are as tall as the old system font
    // needed, and a larger font's descenders would otherwise touch the
    // controls. The tallest letter's top, not the capitals', and a pixel
    // below the top, so that none is cut off where the screen's pixels are
    // not the layout's.
    const QFontMetrics &metrics = option->fontMetrics;
    const auto *frame = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    const int inkTop = metrics.ascent()
            + (frame ? metrics.tightBoundingRect(frame->text).top() : -metrics.capHeight());
    rect.setHeight(metrics.height());
    rect.moveTop(qMin(0, 1 - inkTop));
    // Set the caption in from the frame's corner, where the line begins.
    if (option->direction == Qt::RightToLeft) {
        if (rect.right() > option->rect.right() - captionIndent)
            rect.translate(-captionIndent, 0);
    } else if (rect.left() < option->rect.left() + captionIndent) {
        rect.translate(captionIndent, 0);
    }
    return rect;
}

void FrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                    QPainter *painter, const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !frame || frame->text.isEmpty()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }

    // The line runs through the middle of the caption and breaks for it.
    const QRect caption = subControlRect(CC_GroupBox, frame, SC_GroupBoxLabel, widget);
    QRectF line = frame->rect;
    line.setTop(caption.center().y());
    painter->save();
    painter->setClipRegion(QRegion(frame->rect) - caption.adjusted(-2, 0, 2, 0));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(frame->palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(line.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();

    // The caption, drawn here rather than by the style, which may put it
    // elsewhere (Breeze centres it above the line).
    proxy()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          frame->palette, frame->state & State_Enabled, frame->text,
                          QPalette::WindowText);
}

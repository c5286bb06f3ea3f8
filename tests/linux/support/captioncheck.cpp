#include "captioncheck.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

namespace {

QRect captionOf(const QGroupBox *frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.textAlignment = frame->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          frame);
}

// The frame's caption drawn alone on the frame's background, the size of
// its rectangle, at the window's pixel ratio.
QImage captionAlone(const QGroupBox *frame, const QRect &caption, qreal ratio)
{
    QImage image((QSizeF(caption.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(frame->palette().color(frame->backgroundRole()));
    QPainter painter(&image);
    painter.setFont(frame->font());
    frame->style()->drawItemText(&painter, QRect(QPoint(), caption.size()),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                                 frame->palette(), frame->isEnabled(), frame->title(),
                                 QPalette::WindowText);
    return image;
}

// Rows of the image (in device pixels) in which anything differs from its
// first pixel, the background.
QList<int> inkedRows(const QImage &image)
{
    QList<int> rows;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                rows << y;
                break;
            }
    return rows;
}

QString frameFault(QGroupBox *frame, const QImage &shown, const QPoint &at, qreal ratio)
{
    const QString name = frame->objectName();
    const QRect caption = captionOf(frame);
    if (caption.left() < 0 || caption.right() > frame->width() - 1)
        return name + QStringLiteral(": the caption runs past the frame's sides");
    for (const QWidget *inside : frame->findChildren<QWidget *>())
        if (!inside->objectName().isEmpty() && inside->y() < caption.y() + caption.height())
            return QStringLiteral("%1: the caption reaches %2 px down, %3 starts at %4")
                    .arg(name)
                    .arg(caption.y() + caption.height())
                    .arg(inside->objectName())
                    .arg(inside->y());

    // What shows of the caption's rectangle within the frame, against the
    // caption drawn alone: nothing may be cut off above or drawn over it.
    const QImage alone = captionAlone(frame, caption, ratio);
    const int above = qRound(-qMin(0, caption.y()) * ratio);
    for (const int row : inkedRows(alone))
        if (row < above)
            return name + QStringLiteral(": the caption's top is cut off");
    const QRect device(qRound((at.x() + caption.x()) * ratio),
                       qRound((at.y() + qMax(0, caption.y())) * ratio),
                       alone.width(), alone.height() - above);
    const QImage visible = shown.copy(device).convertToFormat(alone.format());
    const QImage expected = alone.copy(0, above, alone.width(), alone.height() - above);
    if (visible != expected)
        return name + QStringLiteral(": the caption on the screen differs from the caption "
                                     "drawn alone");
    return {};
}

QString buttonFault(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool box = qobject_cast<const QCheckBox *>(button);
    const QRect room = button->style()->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (room.width() < text.width() || room.height() < text.height()
        || !button->rect().contains(room))
        return QStringLiteral("%1: its caption needs %2x%3 px, its style leaves %4x%5")
                .arg(button->objectName())
                .arg(text.width())
                .arg(text.height())
                .arg(room.width())
                .arg(room.height());
    return {};
}

} // namespace

QString captionsFault(QWidget *window)
{
    const QPixmap grabbed = window->grab();
    const QImage shown = grabbed.toImage();
    const qreal ratio = grabbed.devicePixelRatio();

    QList<QPair<QString, QRect>> parts;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || !widget->isVisibleTo(window))
            continue;
        const QPoint at = widget->mapTo(window, QPoint(0, 0));
        if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            const QString fault = frameFault(frame, shown, at, ratio);
            if (!fault.isEmpty())
                return fault;
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            const QString fault = buttonFault(button);
            if (!fault.isEmpty())
                return fault;
        }
        if (!qobject_cast<QGroupBox *>(widget))
            parts.append({widget->objectName(), QRect(at, widget->size())});
    }
    for (int i = 0; i < parts.size(); ++i)
        for (int j = i + 1; j < parts.size(); ++j)
            if (parts[i].second.intersects(parts[j].second))
                return parts[i].first + QStringLiteral(" overlaps ") + parts[j].first;
    return {};
}

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
#include <QtMath>

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

// The frame's caption drawn alone on the frame's background, over the
// screen's pixels that its rectangle at place (in the window) covers, at
// the same fraction of a pixel where the window's scale is not whole.
QImage captionAlone(const QGroupBox *frame, const QRect &caption, const QPointF &place,
                    const QRect &device, qreal ratio)
{
    QImage image(device.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(frame->palette().color(frame->backgroundRole()));
    QPainter painter(&image);
    painter.translate(place - QPointF(device.topLeft()) / ratio);
    painter.setFont(frame->font());
    frame->style()->drawItemText(&painter, QRect(QPoint(), caption.size()),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                                 frame->palette(), frame->isEnabled(), frame->title(),
                                 QPalette::WindowText);
    return image;
}

// Rows of the image in which anything differs from its first pixel, the
// background.
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

// Whether two images are the same, one perhaps a row of pixels above or
// below the other: where the window's scale is not whole, the screen and
// the image each put the text on the pixel row nearest to it, and nearest
// need not be the same. A row left over on the screen must be empty.
bool sameUpToARow(const QImage &shown, const QImage &alone)
{
    if (shown.size() != alone.size())
        return false;
    const QRgb background = alone.pixel(0, 0);
    for (const int by : {0, -1, 1}) {
        bool same = true;
        for (int y = 0; same && y < shown.height(); ++y) {
            const int from = y - by;
            for (int x = 0; same && x < shown.width(); ++x)
                same = shown.pixel(x, y)
                        == (from >= 0 && from < alone.height() ? alone.pixel(x, from) : background);
        }
        if (same)
            return true;
    }
    return false;
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

    // What shows of the caption's rectangle, against the caption drawn
    // alone: nothing may be cut off above the frame or drawn over it.
    const QPointF place = at + caption.topLeft();
    const QRectF scaled(place * ratio, QSizeF(caption.size()) * ratio);
    const QRect device(QPoint(qFloor(scaled.left()), qFloor(scaled.top())),
                       QPoint(qCeil(scaled.right()) - 1, qCeil(scaled.bottom()) - 1));
    const QImage alone = captionAlone(frame, caption, place, device, ratio);
    const int frameTop = qRound(at.y() * ratio) - device.top();
    for (const int row : inkedRows(alone))
        if (row < frameTop)
            return name + QStringLiteral(": the caption's top is cut off");
    const int from = qMax(0, frameTop);
    const QImage visible = shown.copy(device.adjusted(0, from, 0, 0)).convertToFormat(alone.format());
    const QImage expected = alone.copy(0, from, alone.width(), alone.height() - from);
    if (!sameUpToARow(visible, expected))
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

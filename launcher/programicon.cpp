#include "programicon.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace {

// The icon images are kept as Windows stores them in an icon (a 40-byte header,
// 24-bit colour rows, then 1-bit mask rows, both bottom-up, rows padded to four
// bytes), the same bytes the Windows build compiles in. Reading them directly
// spares start-up the image decoders' first-use cost.
QImage imageFromDib(const QByteArray &dib, int size)
{
    const int colourStride = (size * 3 + 3) & ~3;
    const int maskStride = ((size + 31) / 32) * 4;
    if (dib.size() != 40 + size * (colourStride + maskStride)
        || qFromLittleEndian<quint16>(dib.constData() + 14) != 24)
        return QImage();

    QImage image(size, size, QImage::Format_ARGB32);
    const auto *colour = reinterpret_cast<const uchar *>(dib.constData()) + 40;
    const uchar *mask = colour + size * colourStride;
    for (int row = 0; row < size; ++row) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(size - 1 - row));
        for (int x = 0; x < size; ++x) {
            const uchar *bgr = colour + row * colourStride + x * 3;
            const bool transparent = mask[row * maskStride + x / 8] & (0x80 >> (x % 8));
            line[x] = transparent ? 0u : qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QFile file(QStringLiteral(":/corvane/icons/corvane-%1.dib").arg(size));
        if (file.open(QIODevice::ReadOnly))
            icon.addPixmap(QPixmap::fromImage(imageFromDib(file.readAll(), size)));
    }
    return icon;
}

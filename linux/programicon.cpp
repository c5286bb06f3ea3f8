#include "programicon.h"

#include "icondib.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace {

// Reading the images' bytes directly spares start-up the image decoders'
// first-use cost.
QImage imageFromDib(const QByteArray &dib, int size)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(dib.constData());
    if (!IconDib::isImage(bytes, std::size_t(dib.size()), size))
        return QImage();

    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const IconDib::Pixel pixel = IconDib::pixel(bytes, size, x, y);
            line[x] = pixel.transparent ? 0u : qRgb(pixel.red, pixel.green, pixel.blue);
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

// Renders Corvane's artwork: the icon at 16, 32, 48 and 64 pixels (PNG files,
// one Windows .ico, and the icon images for the Windows resource script) and
// the About picture (and a double-size one for screens scaled by two). Run through render.sh; its
// output is committed so that building Corvane needs no image tools.
//
// The logo is a red crow on a weather-vane arrow, on a black tile, in the red
// and black of the Virtual Boy. Each size is drawn for its own pixel grid: the
// tile's edge is never smoothed, because the icon's transparency is a 1-bit
// mask, and the 16-pixel icon is drawn without smoothing at all.

#include "identity.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>

namespace {

const QColor tileColor(0x12, 0x02, 0x03);
const QColor rimColor(0x6a, 0x08, 0x0c);
const QColor crowColor(0xe8, 0x14, 0x1e);
const QColor shadeColor(0x9c, 0x0c, 0x12);

// The crow and its vane on a 64-unit grid, facing right.
QPainterPath crowPath(bool detailed)
{
    QPainterPath crow;
    crow.setFillRule(Qt::WindingFill);
    crow.addEllipse(QPointF(41, 20), 8, 8); // head
    QPolygonF beak {{47, 15}, {59, 21}, {47, 25}};
    crow.addPolygon(beak);
    QPolygonF body {{35, 18}, {47, 24}, {47, 34}, {41, 43}, {28, 46},
                    {15, 50}, {7, 50},  {17, 41}, {23, 29}};
    crow.addPolygon(body);
    if (detailed) {
        crow.addRect(QRectF(33, 43, 3, 8)); // legs
        crow.addRect(QRectF(39, 41, 3, 10));
    } else {
        crow.addRect(QRectF(32, 44, 5, 7));
        crow.addRect(QRectF(38, 42, 5, 9));
    }
    // The vane: a bar with an arrowhead to the right and a fin to the left.
    crow.addRect(QRectF(8, 51, 44, detailed ? 4 : 5));
    crow.addPolygon(QPolygonF {{50, 46}, {60, 53}, {50, 60}});
    crow.addPolygon(QPolygonF {{4, 47}, {12, 51}, {12, 55}, {4, 59}});
    return crow.simplified();
}

QPainterPath tilePath(int size)
{
    QPainterPath tile;
    const qreal radius = size <= 16 ? 3 : size / 7.0;
    tile.addRoundedRect(QRectF(0, 0, size, size), radius, radius);
    return tile;
}

// At 16 pixels the crow is drawn pixel by pixel: '#' crow, 'w' wing, 'e' eye.
const char *const crow16[] = {
        "................", "................", ".........###....", "........#####...",
        "........#e####..", "........#######.", "......#######...", "....#########...",
        "...###www###....", "..###www###.....", ".##########.....", "......#..#..##..",
        ".#############..", "##....#..#..##..", "................", "................",
};

void drawCrow(QPainter &p, int size);
QImage withBinaryMask(QImage image);

// The icon at one size: colour image plus a mask of the pixels it covers.
QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);

    // Hard tile edge: a pixel is either icon or background.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(tilePath(size), tileColor);
    if (size >= 32) {
        p.setPen(QPen(rimColor, size / 32));
        p.setBrush(Qt::NoBrush);
        const qreal inset = size / 32 / 2.0 + size / 32;
        const qreal radius = size / 7.0 - inset;
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), radius, radius);
    }

    if (size == 16) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                switch (crow16[y][x]) {
                case '#':
                    p.fillRect(x, y, 1, 1, crowColor);
                    break;
                case 'w':
                    p.fillRect(x, y, 1, 1, shadeColor);
                    break;
                case 'e':
                    p.fillRect(x, y, 1, 1, tileColor);
                    break;
                default:
                    break;
                }
            }
        }
    } else {
        drawCrow(p, size);
    }
    p.end();
    return withBinaryMask(image);
}

void drawCrow(QPainter &p, int size)
{
    const bool detailed = size >= 32;
    p.setRenderHint(QPainter::Antialiasing, detailed);
    p.scale(size / 64.0, size / 64.0);
    p.fillPath(crowPath(detailed), crowColor);
    if (detailed) {
        // A darker wing and an eye, where there are pixels enough to show them.
        QPainterPath wing;
        wing.addPolygon(QPolygonF {{27, 31}, {41, 30}, {37, 40}, {20, 45}});
        p.fillPath(wing, shadeColor);
        p.setBrush(tileColor);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(44, 18), 2, 2);
    }
}

// The 1-bit mask: whatever the tile covers is opaque.
QImage withBinaryMask(QImage image)
{
    const int size = image.width();
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xff000000u) : 0u;
    }
    return image;
}

// One icon image as Windows stores it: a BITMAPINFOHEADER, the 24-bit colour
// rows and then the 1-bit mask rows, both bottom-up and padded to 4 bytes.
QByteArray iconDib(const QImage &icon)
{
    const int size = icon.width();
    const int colourStride = (size * 3 + 3) & ~3;
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray dib(40 + size * colourStride + size * maskStride, '\0');
    char *header = dib.data();
    qToLittleEndian<quint32>(40, header); // biSize
    qToLittleEndian<qint32>(size, header + 4); // biWidth
    qToLittleEndian<qint32>(size * 2, header + 8); // biHeight: colour and mask
    qToLittleEndian<quint16>(1, header + 12); // biPlanes
    qToLittleEndian<quint16>(24, header + 14); // biBitCount
    qToLittleEndian<quint32>(size * colourStride + size * maskStride, header + 20); // biSizeImage

    uchar *colour = reinterpret_cast<uchar *>(dib.data()) + 40;
    uchar *mask = colour + size * colourStride;
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row;
        const auto *line = reinterpret_cast<const QRgb *>(icon.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = line[x];
            uchar *bgr = colour + row * colourStride + x * 3;
            if (qAlpha(pixel)) {
                bgr[0] = uchar(qBlue(pixel));
                bgr[1] = uchar(qGreen(pixel));
                bgr[2] = uchar(qRed(pixel));
            } else {
                mask[row * maskStride + x / 8] |= uchar(0x80 >> (x % 8));
            }
        }
    }
    return dib;
}

QByteArray icoFile(const QList<QImage> &icons)
{
    QByteArray directory(6 + 16 * icons.size(), '\0');
    qToLittleEndian<quint16>(1, directory.data() + 2); // type: icon
    qToLittleEndian<quint16>(quint16(icons.size()), directory.data() + 4);
    QByteArray images;
    for (int i = 0; i < icons.size(); ++i) {
        const QByteArray dib = iconDib(icons[i]);
        char *entry = directory.data() + 6 + 16 * i;
        entry[0] = char(icons[i].width());
        entry[1] = char(icons[i].height());
        qToLittleEndian<quint16>(1, entry + 4); // planes
        qToLittleEndian<quint16>(24, entry + 6); // bits per pixel
        qToLittleEndian<quint32>(quint32(dib.size()), entry + 8);
        qToLittleEndian<quint32>(quint32(directory.size() + images.size()), entry + 12);
        images += dib;
    }
    return directory + images;
}

// The About picture at scale 1 (370 x 239) or 2, for screens that scale by two.
QImage renderAboutPicture(int scale)
{
    QImage picture(370 * scale, 239 * scale, QImage::Format_RGB888);
    picture.fill(QColor(0x08, 0x00, 0x01));
    QPainter p(&picture);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Faint scanlines, as on the Virtual Boy's mirror display.
    for (int y = 0; y < 239; y += 3)
        p.fillRect(0, y, 370, 1, QColor(0x1a, 0x02, 0x04));

    // The logo drawn at its final size in pixels.
    p.drawImage(QRect(24, 40, 128, 128), renderIcon(128 * scale));

    auto font = [](int pixelSize, bool bold) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        return font;
    };
    p.setFont(font(40, true));
    p.setPen(crowColor);
    p.drawText(QRect(170, 52, 190, 48), Qt::AlignLeft | Qt::AlignVCenter,
               QLatin1String(Identity::name));

    p.setFont(font(13, false));
    p.setPen(QColor(0xd0, 0x40, 0x44));
    p.drawText(QRect(172, 104, 190, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version %1").arg(QLatin1String(Identity::versionText)));
    p.drawText(QRect(172, 124, 190, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QLatin1String(Identity::comment));

    p.setFont(font(11, false));
    p.setPen(QColor(0x90, 0x28, 0x2c));
    p.drawText(QRect(0, 200, 370, 18), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("\u00a9 2026 %1. Ruxa is a separate program.")
                       .arg(QLatin1String(Identity::company)));
    p.setPen(QPen(rimColor, 1));
    p.drawLine(QPointF(24, 190.5), QPointF(346, 190.5));
    return picture;
}

bool save(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: renderartwork OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("icons"));

    QList<QImage> icons;
    for (int size : {16, 32, 48, 64}) {
        const QImage icon = renderIcon(size);
        icons << icon;
        if (!icon.save(out.filePath(QStringLiteral("icons/corvane-%1.png").arg(size))))
            return 1;
        if (!save(out.filePath(QStringLiteral("icons/corvane-%1.dib").arg(size)), iconDib(icon)))
            return 1;
    }
    if (!save(out.filePath(QStringLiteral("icons/corvane.ico")), icoFile(icons)))
        return 1;

    if (!renderAboutPicture(1).save(out.filePath(QStringLiteral("about.png")))
        || !renderAboutPicture(2).save(out.filePath(QStringLiteral("about@2x.png"))))
        return 1;
    return 0;
}

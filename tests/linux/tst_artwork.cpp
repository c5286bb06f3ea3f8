// Checks the rendered artwork that is committed beside its source: sizes,
// colour depth and masks of the icons, size and depth of the About picture.

#include "icondib.h"
#include "testfiles.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

QString resource(const QString &name)
{
    return QStringLiteral(CORVANE_RESOURCES_DIR "/") + name;
}

struct PngHeader
{
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = -1; // 2: RGB, 6: RGB with alpha
};

PngHeader pngHeader(const QByteArray &png)
{
    PngHeader header;
    if (png.size() < 33 || !png.startsWith("\x89PNG\r\n\x1a\n") || png.mid(12, 4) != "IHDR")
        return header;
    header.width = int(qFromBigEndian<quint32>(png.constData() + 16));
    header.height = int(qFromBigEndian<quint32>(png.constData() + 20));
    header.bitDepth = quint8(png[24]);
    header.colourType = quint8(png[25]);
    return header;
}

// The colours of the opaque pixels and whether every pixel is fully opaque or
// fully transparent, as a 1-bit mask allows.
struct Coverage
{
    bool binaryAlpha = true;
    int opaque = 0;
    int transparent = 0;
    QSet<QRgb> colours;
};

Coverage coverage(const QImage &image)
{
    Coverage result;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                ++result.opaque;
                result.colours.insert(pixel);
            } else if (qAlpha(pixel) == 0) {
                ++result.transparent;
            } else {
                result.binaryAlpha = false;
            }
        }
    }
    return result;
}

} // namespace

class tst_Artwork : public QObject
{
    Q_OBJECT

private slots:
    void iconPngs_data();
    void iconPngs();
    void sixteenPixelsIsPixelArt();
    void icoMatchesPngs();
    void aboutPictures_data();
    void aboutPictures();
};

void tst_Artwork::iconPngs_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64})
        QTest::addRow("%d", size) << size;
}

void tst_Artwork::iconPngs()
{
    QFETCH(int, size);
    const QString path = resource(QStringLiteral("icons/corvane-%1.png").arg(size));
    const PngHeader header = pngHeader(TestFiles::read(path));
    QCOMPARE(header.width, size);
    QCOMPARE(header.height, size);
    QCOMPARE(header.bitDepth, 8);
    QCOMPARE(header.colourType, 6);

    const Coverage pixels = coverage(QImage(path));
    QVERIFY(pixels.binaryAlpha);
    QVERIFY(pixels.transparent > 0); // the tile's rounded corners
    QVERIFY(pixels.opaque > size * size * 9 / 10);
}

void tst_Artwork::sixteenPixelsIsPixelArt()
{
    // Drawn for its grid, not shrunk: a handful of flat colours, no blends.
    const Coverage pixels = coverage(QImage(resource(QStringLiteral("icons/corvane-16.png"))));
    QVERIFY2(pixels.colours.size() <= 4, qPrintable(QString::number(pixels.colours.size())));
}

void tst_Artwork::icoMatchesPngs()
{
    const QByteArray ico = TestFiles::read(resource(QStringLiteral("icons/corvane.ico")));
    QVERIFY(ico.size() > 6);
    QCOMPARE(qFromLittleEndian<quint16>(ico.constData() + 2), quint16(1));
    QCOMPARE(qFromLittleEndian<quint16>(ico.constData() + 4), quint16(4));

    const int sizes[] = {16, 32, 48, 64};
    for (int i = 0; i < 4; ++i) {
        const char *entry = ico.constData() + 6 + 16 * i;
        const int size = sizes[i];
        QCOMPARE(int(quint8(entry[0])), size);
        QCOMPARE(int(quint8(entry[1])), size);
        QCOMPARE(qFromLittleEndian<quint16>(entry + 6), quint16(24));
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        const QByteArray dib = ico.mid(offset, length);
        QCOMPARE(dib, TestFiles::read(resource(QStringLiteral("icons/corvane-%1.dib").arg(size))));

        // Pixel by pixel, colour and mask agree with the PNG of that size.
        const QImage png = QImage(resource(QStringLiteral("icons/corvane-%1.png").arg(size)))
                                   .convertToFormat(QImage::Format_ARGB32);
        const auto *bytes = reinterpret_cast<const unsigned char *>(dib.constData());
        QVERIFY(IconDib::isImage(bytes, std::size_t(dib.size()), size));
        int mismatches = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb expected = png.pixel(x, y);
                const IconDib::Pixel pixel = IconDib::pixel(bytes, size, x, y);
                if (pixel.transparent != (qAlpha(expected) == 0))
                    ++mismatches;
                else if (!pixel.transparent
                         && qRgb(pixel.red, pixel.green, pixel.blue) != (expected | 0xff000000u))
                    ++mismatches;
            }
        }
        QCOMPARE(mismatches, 0);
    }
}

void tst_Artwork::aboutPictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    QTest::newRow("scale 1") << "about.png" << QSize(370, 239);
    QTest::newRow("scale 2") << "about@2x.png" << QSize(740, 478);
}

void tst_Artwork::aboutPictures()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const PngHeader header = pngHeader(TestFiles::read(resource(name)));
    QCOMPARE(QSize(header.width, header.height), size);
    QCOMPARE(header.bitDepth, 8);
    QCOMPARE(header.colourType, 2); // 24-bit colour, no alpha
}

QTEST_GUILESS_MAIN(tst_Artwork)
#include "tst_artwork.moc"

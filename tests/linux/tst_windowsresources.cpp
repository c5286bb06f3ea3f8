// Reads the compiled Windows resources (a .res file made by windres from the
// program's resource script) and checks the version block and the icon.

#include "icondib.h"
#include "testfiles.h"

#include <QFile>
#include <QMap>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

namespace {

struct ResourceId
{
    bool numeric = true;
    quint16 number = 0;
    QString name;
};

struct Resource
{
    ResourceId type;
    ResourceId name;
    quint16 language = 0;
    QByteArray data;
};

quint16 word(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qsizetype alignedTo4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// A NUL-terminated UTF-16 string; returns it and moves at past its NUL.
QString utf16(const QByteArray &bytes, qsizetype &at)
{
    QString text;
    while (at + 1 < bytes.size()) {
        const quint16 unit = word(bytes, at);
        at += 2;
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

ResourceId resourceId(const QByteArray &bytes, qsizetype &at)
{
    ResourceId id;
    if (word(bytes, at) == 0xffff) {
        id.number = word(bytes, at + 2);
        at += 4;
    } else {
        id.numeric = false;
        id.name = utf16(bytes, at);
    }
    return id;
}

QList<Resource> readRes(const QByteArray &bytes)
{
    QList<Resource> resources;
    qsizetype at = 0;
    while (at + 8 <= bytes.size()) {
        const quint32 dataSize = dword(bytes, at);
        const quint32 headerSize = dword(bytes, at + 4);
        qsizetype field = at + 8;
        Resource resource;
        resource.type = resourceId(bytes, field);
        resource.name = resourceId(bytes, field);
        field = alignedTo4(field);
        resource.language = word(bytes, field + 6);
        resource.data = bytes.mid(at + headerSize, dataSize);
        if (dataSize > 0) // the file opens with an empty entry
            resources << resource;
        at = alignedTo4(at + headerSize + dataSize);
    }
    return resources;
}

// One node of a version block: key, value and children.
struct VersionNode
{
    QString key;
    quint16 type = 0;
    QByteArray value;
    QList<VersionNode> children;
};

VersionNode readVersionNode(const QByteArray &bytes, qsizetype at)
{
    VersionNode node;
    const quint16 length = word(bytes, at);
    const quint16 valueLength = word(bytes, at + 2);
    node.type = word(bytes, at + 4);
    qsizetype field = at + 6;
    node.key = utf16(bytes, field);
    field = alignedTo4(field);
    // Text values count UTF-16 units, binary values bytes.
    const qsizetype valueBytes = node.type == 1 ? valueLength * 2 : valueLength;
    node.value = bytes.mid(field, valueBytes);
    field = alignedTo4(field + valueBytes);
    while (field < at + length) {
        const VersionNode child = readVersionNode(bytes, field);
        node.children << child;
        field = alignedTo4(field + word(bytes, field));
    }
    return node;
}

QString textValue(const VersionNode &node)
{
    QString text;
    for (qsizetype i = 0; i + 1 < node.value.size(); i += 2) {
        const quint16 unit = word(node.value, i);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

const Resource *find(const QList<Resource> &resources, quint16 type, quint16 name)
{
    for (const Resource &resource : resources)
        if (resource.type.numeric && resource.type.number == type && resource.name.numeric
            && resource.name.number == name)
            return &resource;
    return nullptr;
}

constexpr quint16 rtIcon = 3;
constexpr quint16 rtRcData = 10;
constexpr quint16 rtGroupIcon = 14;
constexpr quint16 rtVersion = 16;
constexpr quint16 rtManifest = 24;

// The manifest's settings that matter, as "element attribute=value" or
// "element=text" lines, in document order.
QStringList manifestSettings(const QByteArray &manifest)
{
    QStringList settings;
    QXmlStreamReader xml(manifest);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == QLatin1String("requestedExecutionLevel"))
            settings << name + QStringLiteral(" level=") + attributes.value("level").toString();
        else if (name == QLatin1String("supportedOS"))
            settings << name + QStringLiteral(" Id=") + attributes.value("Id").toString();
        else if (name == QLatin1String("assemblyIdentity")
                 && attributes.value("name") == QLatin1String("Microsoft.Windows.Common-Controls"))
            settings << QStringLiteral("Common-Controls version=")
                            + attributes.value("version").toString();
        else if (name == QLatin1String("dpiAwareness") || name == QLatin1String("longPathAware"))
            settings << name + QLatin1Char('=') + xml.readElementText();
    }
    if (xml.hasError())
        settings << QStringLiteral("error: ") + xml.errorString();
    return settings;
}

} // namespace

class tst_WindowsResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheExpectedResources();
    void fixedVersionInfo();
    void versionStrings();
    void translation();
    void iconGroup();
    void iconImages_data();
    void iconImages();
    void manifest();

private:
    VersionNode versionBlock() const
    {
        const Resource *version = find(m_resources, rtVersion, 1);
        return version ? readVersionNode(version->data, 0) : VersionNode();
    }

    QList<Resource> m_resources;
};

void tst_WindowsResources::initTestCase()
{
    const QByteArray res = TestFiles::read(QStringLiteral(CORVANE_RES_PATH));
    QVERIFY(!res.isEmpty());
    m_resources = readRes(res);
}

void tst_WindowsResources::onlyTheExpectedResources()
{
    QList<QPair<quint16, quint16>> found;
    for (const Resource &resource : m_resources) {
        QVERIFY(resource.type.numeric && resource.name.numeric);
        found << qMakePair(resource.type.number, resource.name.number);
    }
    std::sort(found.begin(), found.end());
    const QList<QPair<quint16, quint16>> expected {
            {rtIcon, 30001},  {rtIcon, 30002},  {rtIcon, 30003}, {rtIcon, 30004}, {rtRcData, 2001},
            {rtRcData, 2002}, {rtGroupIcon, 1}, {rtVersion, 1},  {rtManifest, 1}};
    QCOMPARE(found, expected);
}

void tst_WindowsResources::fixedVersionInfo()
{
    const VersionNode root = versionBlock();
    QCOMPARE(root.key, QStringLiteral("VS_VERSION_INFO"));
    QCOMPARE(root.value.size(), 52);
    const QByteArray &fixed = root.value;
    QCOMPARE(dword(fixed, 0), 0xfeef04bdu); // signature
    QCOMPARE(dword(fixed, 8), 0x00010000u); // file version 1.0
    QCOMPARE(dword(fixed, 12), 0x00000002u); // .0.2
    QCOMPARE(dword(fixed, 16), 0x00010000u); // product version 1.0
    QCOMPARE(dword(fixed, 20), 0x00000002u); // .0.2
    QCOMPARE(dword(fixed, 24), 0u); // file flags mask
    QCOMPARE(dword(fixed, 28), 0u); // file flags
    QCOMPARE(dword(fixed, 32), 4u); // 32-bit Windows
    QCOMPARE(dword(fixed, 36), 1u); // application
    QCOMPARE(dword(fixed, 40), 0u); // subtype
    QCOMPARE(dword(fixed, 44), 0u); // file date
    QCOMPARE(dword(fixed, 48), 0u);
}

void tst_WindowsResources::versionStrings()
{
    const VersionNode root = versionBlock();
    const VersionNode *strings = nullptr;
    for (const VersionNode &child : root.children)
        if (child.key == QLatin1String("StringFileInfo"))
            strings = &child;
    QVERIFY(strings);
    QCOMPARE(strings->children.size(), 1);
    const VersionNode &table = strings->children.constFirst();
    QCOMPARE(table.key, QStringLiteral("040904B0"));

    QMap<QString, QString> values;
    for (const VersionNode &entry : table.children)
        values.insert(entry.key, textValue(entry));
    const QMap<QString, QString> expected {
            {QStringLiteral("Comments"), QStringLiteral("A simple front end for Ruxa.")},
            {QStringLiteral("CompanyName"), QStringLiteral("Corvane Labs")},
            {QStringLiteral("ProductName"), QStringLiteral("Corvane")},
            {QStringLiteral("FileVersion"), QStringLiteral("1.00.0002")},
            {QStringLiteral("ProductVersion"), QStringLiteral("1.00.0002")},
            {QStringLiteral("InternalName"), QStringLiteral("Corvane")},
            {QStringLiteral("OriginalFilename"), QStringLiteral("Corvane.exe")},
    };
    QCOMPARE(values, expected);
}

void tst_WindowsResources::translation()
{
    const VersionNode root = versionBlock();
    const VersionNode *vars = nullptr;
    for (const VersionNode &child : root.children)
        if (child.key == QLatin1String("VarFileInfo"))
            vars = &child;
    QVERIFY(vars);
    QCOMPARE(vars->children.size(), 1);
    const VersionNode &translation = vars->children.constFirst();
    QCOMPARE(translation.key, QStringLiteral("Translation"));
    QCOMPARE(translation.value.size(), 4);
    QCOMPARE(word(translation.value, 0), quint16(0x0409));
    QCOMPARE(word(translation.value, 2), quint16(1200));
}

void tst_WindowsResources::iconGroup()
{
    const Resource *group = find(m_resources, rtGroupIcon, 1);
    QVERIFY(group);
    const QByteArray &data = group->data;
    QCOMPARE(data.size(), 6 + 4 * 14);
    QCOMPARE(word(data, 0), quint16(0));
    QCOMPARE(word(data, 2), quint16(1)); // icons
    QCOMPARE(word(data, 4), quint16(4));
    const int sizes[] = {16, 32, 48, 64};
    for (int i = 0; i < 4; ++i) {
        const qsizetype entry = 6 + 14 * i;
        QCOMPARE(int(quint8(data[entry])), sizes[i]);
        QCOMPARE(int(quint8(data[entry + 1])), sizes[i]);
        QCOMPARE(int(quint8(data[entry + 2])), 0); // colour count: not a palette
        QCOMPARE(word(data, entry + 4), quint16(1)); // planes
        QCOMPARE(word(data, entry + 6), quint16(24)); // bits per pixel
        const quint16 image = word(data, entry + 12);
        QCOMPARE(image, quint16(30001 + i));
        const Resource *icon = find(m_resources, rtIcon, image);
        QVERIFY(icon);
        QCOMPARE(qsizetype(dword(data, entry + 8)), icon->data.size());
    }
}

void tst_WindowsResources::iconImages_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("size");

    QTest::newRow("16") << 30001 << 16;
    QTest::newRow("32") << 30002 << 32;
    QTest::newRow("48") << 30003 << 48;
    QTest::newRow("64") << 30004 << 64;
}

void tst_WindowsResources::iconImages()
{
    QFETCH(int, number);
    QFETCH(int, size);
    const Resource *icon = find(m_resources, rtIcon, quint16(number));
    QVERIFY(icon);
    const QByteArray &dib = icon->data;
    QCOMPARE(dword(dib, 0), 40u); // BITMAPINFOHEADER
    QCOMPARE(int(dword(dib, 4)), size);
    QCOMPARE(int(dword(dib, 8)), 2 * size); // colour and mask
    QCOMPARE(word(dib, 14), quint16(24));
    QCOMPARE(std::size_t(dib.size()), IconDib::byteSize(size));
    // The same image as the icon file the program and the desktop use.
    QCOMPARE(dib, TestFiles::read(QStringLiteral(CORVANE_ICONS_DIR "/corvane-%1.dib").arg(size)));
}

void tst_WindowsResources::manifest()
{
    const Resource *manifest = find(m_resources, rtManifest, 1);
    QVERIFY(manifest);
    const QStringList expected {
            QStringLiteral("requestedExecutionLevel level=asInvoker"),
            // Vista, 7, 8, 8.1, and 10 and 11.
            QStringLiteral("supportedOS Id={e2011457-1546-43c5-a5fe-008deee3d3f0}"),
            QStringLiteral("supportedOS Id={35138b9a-5d96-4fbd-8e2d-a2440225f93a}"),
            QStringLiteral("supportedOS Id={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"),
            QStringLiteral("supportedOS Id={1f676c76-80e1-4239-95bb-83d0f6d0da78}"),
            QStringLiteral("supportedOS Id={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),
            QStringLiteral("dpiAwareness=PerMonitorV2, PerMonitor"),
            QStringLiteral("longPathAware=true"),
            QStringLiteral("Common-Controls version=6.0.0.0"),
    };
    QCOMPARE(manifestSettings(manifest->data).join(QLatin1Char('\n')),
             expected.join(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(tst_WindowsResources)
#include "tst_windowsresources.moc"

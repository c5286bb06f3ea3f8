// Real program starts on Windows: a recorder stands in for the emulator and
// writes down the arguments Windows handed it and how its window was to show.

#include "programstart.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <qt_windows.h>

class tst_WinLaunching : public QObject
{
    Q_OBJECT

private slots:
    void romPathArrivesWholeInANormalWindow_data();
    void romPathArrivesWholeInANormalWindow();
};

void tst_WinLaunching::romPathArrivesWholeInANormalWindow_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("spaces") << "Mario Clash  (USA).vb";
    QTest::newRow("ampersand") << "Tom & Jerry.vb";
    QTest::newRow("percent signs") << "%PATH% 100%.vb";
    QTest::newRow("caret and bang") << "a^b!c!.vb";
    QTest::newRow("brackets") << "Wario [v1.1] (J).vb";
    QTest::newRow("leading dash") << "-h.vb";
    QTest::newRow("non-ASCII letters") << "Télé 3D ワリオ.vb";
}

void tst_WinLaunching::romPathArrivesWholeInANormalWindow()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString rom = QDir::toNativeSeparators(dir.filePath(name));
    QVERIFY(TestFiles::make(rom));
    const QString record = QDir::toNativeSeparators(dir.filePath(QStringLiteral("record.txt")));
    qputenv("WINRECORDER_FILE", record.toUtf8());

    QString reason;
    QVERIFY2(startDetachedProgram(QStringLiteral(WINRECORDER_PATH), {rom}, &reason),
             qPrintable(reason));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);

    const QList<QByteArray> lines = TestFiles::read(record).split('\n');
    QVERIFY(lines.size() >= 3);
    QCOMPARE(lines[0], QByteArray("1")); // one argument
    QCOMPARE(QString::fromUtf8(lines[1]), rom); // byte for byte
    // Shown normally and given the focus: the window style is asked for.
    const QList<QByteArray> shown = lines[2].split(' ');
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0].mid(6).toULong() & STARTF_USESHOWWINDOW);
    QCOMPARE(shown[1], QByteArray("show=") + QByteArray::number(SW_SHOWNORMAL));
}

QTEST_GUILESS_MAIN(tst_WinLaunching)
#include "tst_winlaunching.moc"

// Starting a program that cannot run: the reason a user is given.

#include "programstart.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_ProgramStart : public QObject
{
    Q_OBJECT

private slots:
    void failedStartSaysWhy_data();
    void failedStartSaysWhy();
};

void tst_ProgramStart::failedStartSaysWhy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("windowsReason");

    QTest::newRow("missing") << "missing" << "There is no such file.";
    QTest::newRow("a folder") << "folder" << "It is a folder, not a program.";
    QTest::newRow("not a program") << "text" << "It is not a Windows program.";
}

void tst_ProgramStart::failedStartSaysWhy()
{
    QFETCH(QString, kind);
    QFETCH(QString, windowsReason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString program = QDir::toNativeSeparators(dir.filePath(kind + QStringLiteral(".exe")));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(kind + QStringLiteral(".exe")));
    else if (kind == QLatin1String("text"))
        QVERIFY(TestFiles::make(program, TestFiles::executable));

    QString reason;
    QVERIFY(!startDetachedProgram(program, {QStringLiteral("game.vb")}, &reason));
#ifdef Q_OS_WIN
    QCOMPARE(reason, windowsReason);
#else
    // The system's own words, never Qt's bare "failed to start".
    QVERIFY2(reason.contains(QLatin1Char(':')), qPrintable(reason));
#endif
}

QTEST_GUILESS_MAIN(tst_ProgramStart)
#include "tst_programstart.moc"

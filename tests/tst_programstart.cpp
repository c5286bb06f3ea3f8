// Starting a program that cannot run: the reason a user is given.

#include "programstart.h"
#include "qttext.h"
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
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "missing"
                             << "There is no such file.";
    QTest::newRow("a folder") << "folder"
                              << "It is a folder, not a program.";
    QTest::newRow("not executable") << "plain"
                                    << "It is not allowed to run: it is not marked as executable.";
    QTest::newRow("not a program") << "text"
                                   << "It is not a program this system can run.";
}

void tst_ProgramStart::failedStartSaysWhy()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString program = dir.filePath(kind);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(kind));
    else if (kind == QLatin1String("plain"))
        QVERIFY(TestFiles::make(program));
    else if (kind == QLatin1String("text"))
        QVERIFY(TestFiles::make(program, TestFiles::executable));

    Text given;
    QVERIFY(!startDetachedProgram(toText(program), "game.vb", &given));
    QCOMPARE(toQString(given), reason);
}

QTEST_GUILESS_MAIN(tst_ProgramStart)
#include "tst_programstart.moc"

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

    for (const TestFiles::Unrunnable &program : TestFiles::unrunnable)
        QTest::newRow(program.row) << program.kind << program.reason;
}

void tst_ProgramStart::failedStartSaysWhy()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString program = dir.filePath(kind);
    QVERIFY(TestFiles::makeUnrunnable(program, kind));

    Text given;
    QVERIFY(!startDetachedProgram(toText(program), "game.vb", {}, &given));
    QCOMPARE(toQString(given), reason);
}

QTEST_GUILESS_MAIN(tst_ProgramStart)
#include "tst_programstart.moc"

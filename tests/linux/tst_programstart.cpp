// Starting a program that cannot run: the reason a user is given.

#include "programstart.h"
#include "qttext.h"
#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

class tst_ProgramStart : public QObject
{
    Q_OBJECT

private slots:
    void failedStartSaysWhy_data();
    void failedStartSaysWhy();
    void programOnNoexecDriveIsSaidSo();
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

void tst_ProgramStart::programOnNoexecDriveIsSaidSo()
{
    // Only root mounts a drive: elsewhere the test runs again as root of a
    // user and mount namespace of its own.
    if (::geteuid() != 0) {
        QProcess again;
        again.setProcessChannelMode(QProcess::ForwardedChannels);
        again.start(QStringLiteral("unshare"),
                    {QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                     QStringLiteral("--mount"), QCoreApplication::applicationFilePath(),
                     QStringLiteral("programOnNoexecDriveIsSaidSo")});
        QVERIFY(again.waitForFinished(30000));
        QCOMPARE(again.exitCode(), 0);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray drive = QFile::encodeName(dir.path());
    QVERIFY2(::mount("tmpfs", drive.constData(), "tmpfs", MS_NOEXEC, "size=64k") == 0,
             std::strerror(errno));
    const auto unmount = qScopeGuard([&] { ::umount2(drive.constData(), MNT_DETACH); });
    const QString program = dir.filePath(QStringLiteral("ruxa"));
    QVERIFY(TestFiles::make(program, TestFiles::executable));

    Text given;
    QVERIFY(!startDetachedProgram(toText(program), "game.vb", {}, &given));
    QCOMPARE(toQString(given),
             QStringLiteral("It is not allowed to run: the drive it is on is mounted so that no "
                            "program there may run (noexec)."));
}

QTEST_GUILESS_MAIN(tst_ProgramStart)
#include "tst_programstart.moc"

#include "recordedruns.h"
#include "testfiles.h"

#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

// ./dev test installs everything the suite needs: there, a test that would
// be skipped fails instead.
#define SKIP_UNLESS_ALL_INSTALLED(why)                                                             \
    do {                                                                                           \
        if (qEnvironmentVariableIsSet("CORVANE_NO_SKIPS"))                                         \
            QFAIL(why);                                                                            \
        QSKIP(why);                                                                                \
    } while (false)

namespace {

const QString driver = QStringLiteral(LAUNCHERDRIVER_PATH);
const QString recorder = QStringLiteral(ARGRECORDER_PATH);

struct Outcome
{
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString output;
};

// Runs the launcher in its own process, in this test's environment: the fresh
// home and runtime folder that CTest's wrapper made for it.
Outcome drive(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(driver, arguments);
    Outcome outcome;
    outcome.finished = process.waitForFinished(30000);
    if (!outcome.finished)
        process.kill();
    outcome.exitCode = process.exitCode();
    outcome.exitStatus = process.exitStatus();
    outcome.output = QString::fromUtf8(process.readAllStandardOutput());
    return outcome;
}

// The same, with the user's language set to lang.
Outcome driveIn(const QString &lang, const QString &scenario)
{
    qputenv("LANG", lang.toLatin1());
    for (const char *overriding : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(overriding);
    const Outcome outcome = drive({scenario});
    qunsetenv("LANG");
    return outcome;
}

bool translationInstalled(const QString &language)
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                         + QStringLiteral("/qtbase_%1.qm").arg(language));
}

QStringList filesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace

class tst_Lifetime : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void endings_data();
    void endings();
    void exitOnStartLeavesEmulatorRunning();
    void emulatorOutlivesTheTerminal();
    void failedStartDoesNotExit();
    void toolkitSpeaksTheUsersLanguage_data();
    void toolkitSpeaksTheUsersLanguage();
    void windowsStayLeftToRight_data();
    void windowsStayLeftToRight();
    void nothingIsWritten_data();
    void nothingIsWritten();

private:
    const QString m_home = qEnvironmentVariable("HOME");
    std::unique_ptr<QTemporaryDir> m_files;
};

void tst_Lifetime::init()
{
    // Each case starts from an empty home, so that what it finds written is its own.
    QVERIFY2(filesBelow(m_home).isEmpty(), "run it through tests/fresh-home.sh");
    m_files = std::make_unique<QTemporaryDir>();
    QVERIFY(m_files->isValid());
}

void tst_Lifetime::cleanup()
{
    // Empty the home again, so that one case's leftovers cannot fail the next.
    QDir home(m_home);
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &entry : home.entryInfoList(all)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            home.remove(entry.fileName());
    }
}

void tst_Lifetime::endings_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("unloads");

    QTest::newRow("Alt+Q") << "quit-key" << false;
    QTest::newRow("Alt+F, X") << "exit-menu" << false;
    QTest::newRow("close box") << "close" << true;
    QTest::newRow("Alt+Q with About showing") << "about-quit" << false;
    QTest::newRow("close box with About showing") << "about-close" << true;
    QTest::newRow("close box after About, OK") << "about-hide-close" << true;
}

void tst_Lifetime::endings()
{
    QFETCH(QString, scenario);
    QFETCH(bool, unloads);

    const Outcome outcome = drive({scenario});
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.exitStatus, QProcess::NormalExit);
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(!outcome.output.contains(QLatin1String("still running")), qPrintable(outcome.output));
    // The immediate endings close no window, so the unload never runs.
    QCOMPARE(outcome.output.contains(QLatin1String("close event")), unloads);
    if (scenario == QLatin1String("about-hide-close"))
        QVERIFY2(outcome.output.startsWith(QLatin1String("about hidden\n")),
                 qPrintable(outcome.output));
}

void tst_Lifetime::exitOnStartLeavesEmulatorRunning()
{
    RecordedRuns runs;
    qputenv("ARGRECORDER_LINGER", "30");
    const QString rom = m_files->filePath(QStringLiteral("Red Alarm.vb"));
    QVERIFY(TestFiles::make(rom));
    const Outcome outcome = drive({QStringLiteral("run-exit"), recorder, rom});
    qunsetenv("ARGRECORDER_LINGER");

    QVERIFY(outcome.finished);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.output, QString()); // no message, no carrying on, no unload
    const QList<RecordedRuns::Run> recorded = runs.waitFor(1);
    QCOMPARE(recorded.size(), 1);
    QCOMPARE(recorded[0].arguments, QByteArrayList {QFile::encodeName(rom)});
    QVERIFY(processIsAlive(recorded[0].pid));
    ::kill(pid_t(recorded[0].pid), SIGTERM);
}

void tst_Lifetime::emulatorOutlivesTheTerminal()
{
    // The launcher runs in a terminal of its own, as from a terminal
    // window, and the emulator is started from it. Closing that terminal
    // hangs it up: the launcher ends, and so would everything in its
    // session, but the emulator has a session of its own.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(terminal >= 0);
    auto closeTerminal = qScopeGuard([terminal] { ::close(terminal); });
    QVERIFY(::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    const QByteArray side = ::ptsname(terminal);

    RecordedRuns runs;
    const QString rom = m_files->filePath(QStringLiteral("Red Alarm.vb"));
    QVERIFY(TestFiles::make(rom));
    QProcess launcher;
    launcher.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ARGRECORDER_LINGER"), QStringLiteral("30"));
    launcher.setProcessEnvironment(environment);
    launcher.setChildProcessModifier([&side] {
        ::setsid();
        const int own = ::open(side.constData(), O_RDWR);
        ::ioctl(own, TIOCSCTTY, 0);
        ::dup2(own, STDIN_FILENO);
    });
    launcher.start(driver, {QStringLiteral("run-stay"), recorder, rom});
    QVERIFY(launcher.waitForStarted());
    const QList<RecordedRuns::Run> recorded = runs.waitFor(1);
    QCOMPARE(recorded.size(), 1);
    const pid_t emulator = pid_t(recorded[0].pid);
    auto stopEmulator = qScopeGuard([emulator] { ::kill(emulator, SIGTERM); });

    closeTerminal.dismiss();
    ::close(terminal);
    QVERIFY(launcher.waitForFinished(10000));
    QCOMPARE(launcher.exitStatus(), QProcess::CrashExit); // the hang-up ended it
    QTest::qWait(200);
    QVERIFY2(processIsAlive(emulator), "the emulator ended with the launcher's terminal");
}

void tst_Lifetime::failedStartDoesNotExit()
{
    const QString exe = m_files->filePath(QStringLiteral("ruxa"));
    const QString rom = m_files->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(exe));
    QVERIFY(TestFiles::make(rom));

    const Outcome outcome = drive({QStringLiteral("run-fail"), exe, rom});
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(outcome.output.startsWith(
                     QStringLiteral("message: Corvane: Could not start \"%1\":\n").arg(exe)),
             qPrintable(outcome.output));
    QVERIFY2(outcome.output.contains(QLatin1String("\ncarried on\nclose event\n")),
             qPrintable(outcome.output));
}

void tst_Lifetime::toolkitSpeaksTheUsersLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("words");

    // Corvane's own caption stays; Qt's buttons follow the language.
    QTest::newRow("German") << "de_DE.UTF-8"
                            << "Select Ruxa Executable|Öffnen|Abbrechen|OK";
    QTest::newRow("no translation") << "xx_XX.UTF-8"
                                    << "Select Ruxa Executable|Open|Cancel|OK";
}

void tst_Lifetime::toolkitSpeaksTheUsersLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QString, words);
    if (lang.startsWith(QLatin1String("de")) && !translationInstalled(QStringLiteral("de")))
        SKIP_UNLESS_ALL_INSTALLED(
                "Qt's German translation is not installed (qt6-translations-l10n)");

    const Outcome outcome = driveIn(lang, QStringLiteral("words"));
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.output, words + QLatin1Char('\n'));
}

void tst_Lifetime::windowsStayLeftToRight_data()
{
    QTest::addColumn<QString>("lang");

    QTest::newRow("Hebrew") << "he_IL.UTF-8";
    QTest::newRow("Arabic") << "ar_EG.UTF-8";
}

void tst_Lifetime::windowsStayLeftToRight()
{
    // Qt's translation for a right-to-left language turns the whole program
    // round; Corvane's own windows are in English, laid out left to right.
    QFETCH(QString, lang);
    if (!translationInstalled(lang.left(2)))
        SKIP_UNLESS_ALL_INSTALLED("Qt's translations are not installed (qt6-translations-l10n)");

    const Outcome outcome = driveIn(lang, QStringLiteral("directions"));
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.output,
             QStringLiteral("frmMain ltr|mnuFile ltr|mnuHelp ltr|fraExecute ltr|chkExit ltr|"
                            "frmAbout ltr\n"));
}

void tst_Lifetime::nothingIsWritten_data()
{
    QTest::addColumn<QString>("scenario");

    QTest::newRow("choose both, then Quit") << "choose-quit";
    QTest::newRow("choose both, then close") << "choose-close";
}

void tst_Lifetime::nothingIsWritten()
{
    QFETCH(QString, scenario);
    const QString exe = m_files->filePath(QStringLiteral("ruxa"));
    const QString rom = m_files->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(exe, TestFiles::executable));
    QVERIFY(TestFiles::make(rom));
    const QStringList before = filesBelow(m_files->path());

    const Outcome outcome = drive({scenario, exe, rom});
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(!outcome.output.contains(QLatin1String("still running")), qPrintable(outcome.output));

    QCOMPARE(filesBelow(m_home), QStringList());
    QCOMPARE(filesBelow(m_files->path()), before);
}

QTEST_GUILESS_MAIN(tst_Lifetime)
#include "tst_lifetime.moc"

#include "dialogdriver.h"
#include "launcherwindow.h"
#include "launchhost.h"
#include "launchlogic.h"
#include "programstart.h"
#include "qttext.h"
#include "recordedruns.h"
#include "shownlauncher.h"
#include "testfiles.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

using DialogDriver::Action;

namespace {

const QString recorder = QStringLiteral(ARGRECORDER_PATH);

bool copyExecutable(const QString &from, const QString &to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, TestFiles::executable);
}

// Real program start, everything else recorded.
class RealStartHost : public LaunchHost
{
public:
    QString exe;
    QString rom;
    QStringList messages;
    int endCalls = 0;

    bool showOpenDialog(Selector) override { return true; }
    Text selectorFileName(Selector selector) const override
    {
        return toText(selector == Selector::Executable ? exe : rom);
    }
    void setSelectorText(Selector, const Text &) override { }
    void setPreviewText(const Text &) override { }
    int exitOnStartValue() const override { return 1; }
    void showMessage(const Text &text) override { messages << toQString(text); }
    bool startProgram(const Text &program, const Text &argument, Text *reason) override
    {
        return startDetachedProgram(program, argument, {}, reason);
    }
    void showAbout() override { }
    void unloadAbout() override { }
    void endImmediately() override { ++endCalls; }
};

} // namespace

class tst_Launching : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void awkwardRomPathArrivesByteExact_data();
    void awkwardRomPathArrivesByteExact();
    void executablePathWithSpaces();
    void runTwiceStartsTwoIndependentProcesses();
    void spentStartupIdsAreNotHandedOn();
    void launchersDescriptorsAreNotHandedOn();
    void badExecutableIsReported_data();
    void badExecutableIsReported();
    void launcherCarriesOnAfterFailedStart();

private:
    bool choose(const char *button, const QString &path, Action how = Action::SelectFile);
    void clickRun() { m_window->findChild<QPushButton *>("cmdRun")->click(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordedRuns> m_runs;
    std::unique_ptr<LauncherWindow> m_window;
};

void tst_Launching::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_runs = std::make_unique<RecordedRuns>();
    QVERIFY(m_dir->isValid() && m_runs->isValid());
    m_window = ShownLauncher::open();
    QVERIFY(m_window);
}

void tst_Launching::cleanup()
{
    m_window.reset();
    m_runs.reset();
    m_dir.reset();
}

bool tst_Launching::choose(const char *button, const QString &path, Action how)
{
    return DialogDriver::clickAndDrive(m_window->findChild<QPushButton *>(button), how, path);
}

void tst_Launching::awkwardRomPathArrivesByteExact_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("spaces") << "Mario Clash  (USA).vb";
    QTest::newRow("quotes") << "it's \"quoted\".vb";
    QTest::newRow("command substitution") << "$(touch pwned).vb";
    QTest::newRow("semicolon") << "a; touch pwned.vb";
    QTest::newRow("backquotes") << "`touch pwned`.vb";
    QTest::newRow("newline") << "two\nlines.vb";
    QTest::newRow("non-ASCII letters") << "Télé 3D ワリオ.vb";
    QTest::newRow("leading dash") << "-h.vb";
}

void tst_Launching::awkwardRomPathArrivesByteExact()
{
    QFETCH(QString, name);
    const QString exe = m_dir->filePath(QStringLiteral("ruxa"));
    const QString rom = m_dir->filePath(name);
    QVERIFY(copyExecutable(recorder, exe));
    QVERIFY(TestFiles::make(rom));

    QVERIFY(choose("cmdExecute", exe));
    QVERIFY(choose("cmdROM", rom));
    QCOMPARE(m_window->findChild<QLineEdit *>("txtROM")->text(), rom);
    clickRun();

    const QList<RecordedRuns::Run> runs = m_runs->waitFor(1);
    // Nothing in the name was run by a shell, which would have made one of
    // these, in the emulator's folder or in the current one.
    for (const QString &made : {QStringLiteral("pwned"), QStringLiteral("pwned.vb")}) {
        QVERIFY2(!QFile::exists(m_dir->filePath(made)), qPrintable(made));
        QVERIFY2(!QFile::exists(made), qPrintable(made));
    }
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].arguments, QByteArrayList {QFile::encodeName(rom)});
}

void tst_Launching::executablePathWithSpaces()
{
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("My Emulators/Ruxa 1.0")));
    const QString exe = m_dir->filePath(QStringLiteral("My Emulators/Ruxa 1.0/ruxa"));
    const QString rom = m_dir->filePath(QStringLiteral("game.vb"));
    QVERIFY(copyExecutable(recorder, exe));
    QVERIFY(TestFiles::make(rom));

    QVERIFY(choose("cmdROM", rom, Action::TypeName));
    QVERIFY(choose("cmdExecute", exe, Action::TypeName));
    clickRun();

    const QList<RecordedRuns::Run> runs = m_runs->waitFor(1);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].arguments, QByteArrayList {QFile::encodeName(rom)});
}

void tst_Launching::runTwiceStartsTwoIndependentProcesses()
{
    qputenv("ARGRECORDER_LINGER", "30");
    const QString rom = m_dir->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(rom));
    QVERIFY(choose("cmdExecute", recorder));
    QVERIFY(choose("cmdROM", rom));
    clickRun();
    clickRun();
    qunsetenv("ARGRECORDER_LINGER");

    const QList<RecordedRuns::Run> runs = m_runs->waitFor(2);
    QCOMPARE(runs.size(), 2);
    QVERIFY(runs[0].pid != runs[1].pid);
    for (const RecordedRuns::Run &run : runs) {
        QCOMPARE(run.arguments, QByteArrayList {QFile::encodeName(rom)});
        QVERIFY(processIsAlive(run.pid));
    }
    // Both run on their own: neither is this process's child, so none can
    // linger as its zombie.
    QCOMPARE(childProcesses(), QList<qint64>());
    for (const RecordedRuns::Run &run : runs)
        ::kill(pid_t(run.pid), SIGTERM);
}

void tst_Launching::spentStartupIdsAreNotHandedOn()
{
    // The launcher's own startup id and activation token were spent on its
    // own window: the emulator gets neither (and here, with no window system
    // to give fresh ones, nothing else).
    qputenv("DESKTOP_STARTUP_ID", "launcher_TIME0");
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token");
    const QString rom = m_dir->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(rom));
    QVERIFY(choose("cmdExecute", recorder));
    QVERIFY(choose("cmdROM", rom));
    clickRun();
    qunsetenv("DESKTOP_STARTUP_ID");
    qunsetenv("XDG_ACTIVATION_TOKEN");

    const QList<RecordedRuns::Run> runs = m_runs->waitFor(1);
    QCOMPARE(runs.size(), 1);
    QVERIFY(!runs[0].environment.isEmpty());
    for (const QByteArray &variable : runs[0].environment)
        QVERIFY2(!variable.startsWith("DESKTOP_STARTUP_ID=")
                         && !variable.startsWith("XDG_ACTIVATION_TOKEN="),
                 variable.constData());
}

void tst_Launching::launchersDescriptorsAreNotHandedOn()
{
    // Whatever the launcher holds open, as a careless parent may leave it:
    // low and high numbers, a file, a pipe, a socket.
    QFile file(m_dir->filePath(QStringLiteral("held.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    int pipe[2];
    int sockets[2];
    QVERIFY(::pipe(pipe) == 0);
    QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets) == 0);
    const int high = ::dup2(sockets[0], 1000);
    QCOMPARE(high, 1000);
    const auto closeAll = qScopeGuard([&] {
        for (int descriptor : {pipe[0], pipe[1], sockets[0], sockets[1], high})
            ::close(descriptor);
    });

    const QString rom = m_dir->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(rom));
    QVERIFY(choose("cmdExecute", recorder));
    QVERIFY(choose("cmdROM", rom));
    clickRun();

    const QList<RecordedRuns::Run> runs = m_runs->waitFor(1);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].descriptors, (QByteArrayList {"0", "1", "2"}));
}

void tst_Launching::badExecutableIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    for (const TestFiles::Unrunnable &program : TestFiles::unrunnable)
        QTest::newRow(program.row) << program.kind << program.reason;
}

void tst_Launching::badExecutableIsReported()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString exe = m_dir->filePath(kind);
    QVERIFY(TestFiles::makeUnrunnable(exe, kind));

    RealStartHost host;
    host.exe = exe;
    host.rom = m_dir->filePath(QStringLiteral("game.vb"));
    LaunchLogic logic(host);
    logic.Form_Load();
    logic.cmdExecute_Click();
    logic.cmdROM_Click();
    logic.cmdRun_Click();

    QCOMPARE(host.messages,
             QStringList {QStringLiteral("Could not start \"%1\":\n").arg(exe) + reason});
    QCOMPARE(host.endCalls, 0);
    QCOMPARE(childProcesses(), QList<qint64>());
}

void tst_Launching::launcherCarriesOnAfterFailedStart()
{
    // Named with markup, which the message must show as typed.
    const QString exe = m_dir->filePath(QStringLiteral("<b>ruxa &lt;1&gt;"));
    const QString rom = m_dir->filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(exe)); // not executable
    QVERIFY(TestFiles::make(rom));
    QVERIFY(choose("cmdExecute", exe));
    QVERIFY(choose("cmdROM", rom));

    const DialogDriver::MessageBoxAnswerer answerer;
    clickRun();
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen()[0].title, QStringLiteral("Corvane"));
    QCOMPARE(answerer.seen()[0].shown,
             QStringLiteral("Could not start \"%1\":\nIt is not allowed to run: it is not marked "
                            "as executable.")
                     .arg(exe));
    QCOMPARE(m_window->findChild<QLineEdit *>("txtExecute")->text(), exe);
    QCOMPARE(toQString(m_window->logic().exeSelected()), QStringLiteral("True"));

    // A working emulator chosen afterwards starts as usual.
    QVERIFY(copyExecutable(recorder, exe + QStringLiteral("-good")));
    QVERIFY(choose("cmdExecute", exe + QStringLiteral("-good")));
    clickRun();
    QCOMPARE(m_runs->waitFor(1).size(), 1);
}

QTEST_MAIN(tst_Launching)
#include "tst_launching.moc"

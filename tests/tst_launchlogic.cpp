#include "launchhost.h"
#include "launchlogic.h"

#include <QTest>

namespace {

// Records what the logic asks of its window and platform.
class FakeHost : public LaunchHost
{
public:
    QString exeFileName = QStringLiteral("*.exe");
    QString romFileName = QStringLiteral("*.vb");
    QString previewText;
    int checkBox = 0;
    int checkBoxReads = 0;
    QStringList messages;
    struct Start
    {
        QString program;
        QStringList arguments;
    };
    QList<Start> starts;
    QString failWith; // empty: starts succeed
    int endCalls = 0;

    QString selectorFileName(Selector selector) const override
    {
        return selector == Selector::Executable ? exeFileName : romFileName;
    }
    void setPreviewText(const QString &text) override { previewText = text; }
    int exitOnStartValue() const override
    {
        ++const_cast<FakeHost *>(this)->checkBoxReads;
        return checkBox;
    }
    void showMessage(const QString &text) override { messages << text; }
    bool startProgram(const QString &program, const QStringList &arguments,
                      QString *reason) override
    {
        starts.append({program, arguments});
        if (failWith.isEmpty())
            return true;
        *reason = failWith;
        return false;
    }
    void endImmediately() override { ++endCalls; }
};

const QString prompt = QStringLiteral("Please make sure to select the Executable and a ROM image.");

} // namespace

class tst_LaunchLogic : public QObject
{
    Q_OBJECT

private slots:
    void loadSetsPromptAndClearsFlags();
    void previewComposesCommandLine_data();
    void previewComposesCommandLine();
    void runNeedsBothSelections_data();
    void runNeedsBothSelections();
    void runStartsProgramWithRomAsOneArgument();
    void runComposesAfreshIgnoringPreview();
    void exitOnStart_data();
    void exitOnStart();
    void failedStartIsReportedAndNeverEnds();
    void runTwiceStartsTwice();
};

void tst_LaunchLogic::loadSetsPromptAndClearsFlags()
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    QCOMPARE(logic.strPrompt, prompt);
    QCOMPARE(logic.strExeSelected, QStringLiteral("False"));
    QCOMPARE(logic.strRomSelected, QStringLiteral("False"));

    logic.markExecutableSelected();
    logic.markRomSelected();
    QCOMPARE(logic.strExeSelected, QStringLiteral("True"));
    QCOMPARE(logic.strRomSelected, QStringLiteral("True"));
}

void tst_LaunchLogic::previewComposesCommandLine_data()
{
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing chosen") << "*.exe"
                                    << "*.vb"
                                    << "*.exe *.vb";
    QTest::newRow("only the ROM") << "*.exe"
                                  << "C:\\ROMS\\GAME.VB"
                                  << "*.exe C:\\ROMS\\GAME.VB";
    QTest::newRow("both") << "C:\\EMU\\EMU.EXE"
                          << "C:\\ROMS\\GAME.VB"
                          << "C:\\EMU\\EMU.EXE C:\\ROMS\\GAME.VB";
    QTest::newRow("spaces kept unquoted") << "/opt/my emu/ruxa"
                                          << "/roms/Mario Clash.vb"
                                          << "/opt/my emu/ruxa /roms/Mario Clash.vb";
    QTest::newRow("percent signs are not placeholders") << "/e/%1"
                                                        << "/r/%2 100%.vb"
                                                        << "/e/%1 /r/%2 100%.vb";
}

void tst_LaunchLogic::previewComposesCommandLine()
{
    QFETCH(QString, exe);
    QFETCH(QString, rom);
    QFETCH(QString, expected);

    FakeHost host;
    host.exeFileName = exe;
    host.romFileName = rom;
    LaunchLogic logic(host);
    logic.Form_Load();
    logic.cmdPreview_Click();

    QCOMPARE(host.previewText, expected);
    QVERIFY(host.starts.isEmpty());
    QCOMPARE(logic.strExeSelected, QStringLiteral("False"));
}

void tst_LaunchLogic::runNeedsBothSelections_data()
{
    QTest::addColumn<bool>("exeChosen");
    QTest::addColumn<bool>("romChosen");
    QTest::addColumn<int>("exitOnStart");

    QTest::newRow("nothing chosen") << false << false << 0;
    QTest::newRow("only the ROM") << false << true << 0;
    QTest::newRow("only the executable") << true << false << 0;
    QTest::newRow("exit on start, ROM missing") << true << false << 1;
}

void tst_LaunchLogic::runNeedsBothSelections()
{
    QFETCH(bool, exeChosen);
    QFETCH(bool, romChosen);
    QFETCH(int, exitOnStart);

    FakeHost host;
    host.checkBox = exitOnStart;
    LaunchLogic logic(host);
    logic.Form_Load();
    if (exeChosen) {
        host.exeFileName = QStringLiteral("/emu/ruxa");
        logic.markExecutableSelected();
    }
    if (romChosen) {
        host.romFileName = QStringLiteral("/roms/game.vb");
        logic.markRomSelected();
    }
    logic.cmdRun_Click();

    QCOMPARE(host.messages, QStringList {prompt});
    QVERIFY(host.starts.isEmpty());
    QCOMPARE(host.checkBoxReads, 0);
    QCOMPARE(host.endCalls, 0);
}

void tst_LaunchLogic::runStartsProgramWithRomAsOneArgument()
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    // Chosen in the other order: the ROM first.
    host.romFileName = QStringLiteral("/roms/Wario Land \"$(rm -rf ~)\"; `x`.vb");
    logic.markRomSelected();
    host.exeFileName = QStringLiteral("/opt/my emu/ruxa");
    logic.markExecutableSelected();
    logic.cmdRun_Click();

    QVERIFY(host.messages.isEmpty());
    QCOMPARE(host.starts.size(), 1);
    QCOMPARE(host.starts[0].program, host.exeFileName);
    QCOMPARE(host.starts[0].arguments, QStringList {host.romFileName});
    QCOMPARE(host.endCalls, 0);
}

void tst_LaunchLogic::runComposesAfreshIgnoringPreview()
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    host.exeFileName = QStringLiteral("/emu/old");
    host.romFileName = QStringLiteral("/roms/old.vb");
    logic.markExecutableSelected();
    logic.markRomSelected();
    logic.cmdPreview_Click();
    host.exeFileName = QStringLiteral("/emu/new");
    host.romFileName = QStringLiteral("/roms/new.vb");
    logic.cmdRun_Click();

    QCOMPARE(host.previewText, QStringLiteral("/emu/old /roms/old.vb"));
    QCOMPARE(host.starts.size(), 1);
    QCOMPARE(host.starts[0].program, QStringLiteral("/emu/new"));
    QCOMPARE(host.starts[0].arguments, QStringList {QStringLiteral("/roms/new.vb")});
}

void tst_LaunchLogic::exitOnStart_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expectedEnds");

    QTest::newRow("unchecked") << 0 << 0;
    QTest::newRow("checked") << 1 << 1;
    QTest::newRow("greyed") << 2 << 0;
}

void tst_LaunchLogic::exitOnStart()
{
    QFETCH(int, value);
    QFETCH(int, expectedEnds);

    FakeHost host;
    host.checkBox = value;
    LaunchLogic logic(host);
    logic.Form_Load();
    logic.markExecutableSelected();
    logic.markRomSelected();
    logic.cmdRun_Click();

    QCOMPARE(host.starts.size(), 1);
    QCOMPARE(host.endCalls, expectedEnds);
}

void tst_LaunchLogic::failedStartIsReportedAndNeverEnds()
{
    FakeHost host;
    host.checkBox = 1;
    host.failWith = QStringLiteral("execv: No such file or directory");
    LaunchLogic logic(host);
    logic.Form_Load();
    host.exeFileName = QStringLiteral("/gone/ruxa");
    logic.markExecutableSelected();
    logic.markRomSelected();
    logic.cmdRun_Click();

    QCOMPARE(host.starts.size(), 1);
    QCOMPARE(host.messages.size(), 1);
    QVERIFY(host.messages[0].contains(QStringLiteral("/gone/ruxa")));
    QVERIFY(host.messages[0].contains(host.failWith));
    QCOMPARE(host.checkBoxReads, 0);
    QCOMPARE(host.endCalls, 0);
    QCOMPARE(logic.strExeSelected, QStringLiteral("True"));
    QCOMPARE(logic.strRomSelected, QStringLiteral("True"));
}

void tst_LaunchLogic::runTwiceStartsTwice()
{
    FakeHost host;
    LaunchLogic logic(host);
    logic.Form_Load();
    logic.markExecutableSelected();
    logic.markRomSelected();
    logic.cmdRun_Click();
    logic.cmdRun_Click();

    QCOMPARE(host.starts.size(), 2);
    QVERIFY(host.messages.isEmpty());
    QCOMPARE(host.endCalls, 0);
}

QTEST_GUILESS_MAIN(tst_LaunchLogic)
#include "tst_launchlogic.moc"

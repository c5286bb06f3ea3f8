#include "dialogdriver.h"
#include "launcherwindow.h"
#include "qttext.h"
#include "shownlauncher.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using DialogDriver::Action;

namespace {
const QString emulatorName = QStringLiteral("ruxa");
} // namespace

class tst_FileSelectors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void dialogsCarryTheirSettings_data();
    void dialogsCarryTheirSettings();
    void choosingShowsPathAndSetsFlag_data();
    void choosingShowsPathAndSetsFlag();
    void cancelChangesNothing();
    void secondChoiceReplacesFirst();
    void romDialogMatchesAnyCase();
    void executableDialogListsPrograms();
    void userSettingsAreNeitherReadNorWritten();

private:
    QPushButton *button(const char *name) { return m_window->findChild<QPushButton *>(name); }
    QLineEdit *field(const char *name) { return m_window->findChild<QLineEdit *>(name); }
    QString native(const QString &name) const
    {
        return QDir::toNativeSeparators(m_dir->filePath(name));
    }

    std::unique_ptr<LauncherWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_FileSelectors::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_window = ShownLauncher::open();
    QVERIFY(m_window);
}

void tst_FileSelectors::dialogsCarryTheirSettings_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("wildcard");

    QTest::newRow("executable") << "cmdExecute"
                                << "cmnExecute"
                                << "Select Ruxa Executable"
                                << "VirtualBoy Executable"
                                // Executables here carry no extension: list every file.
                                << "*";
    QTest::newRow("ROM") << "cmdROM"
                         << "cmnROM"
                         << "Select Ruxa Rom Image"
                         << "VirtualBoy ROM Images"
                         << "*.vb";
}

void tst_FileSelectors::dialogsCarryTheirSettings()
{
    QFETCH(QString, button);
    QFETCH(QString, dialogName);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(QString, wildcard);

    QString seenTitle, seenFilter, seenName;
    bool openOnWildcard = false;
    QString seenObject, suffix = QStringLiteral("?");
    QFileDialog::FileMode mode = QFileDialog::Directory;
    auto look = [&](DialogDriver::ShownDialog &dialog) {
        seenTitle = dialog.title();
        seenFilter = dialog.filter();
        seenName = dialog.nameShown();
        seenObject = dialog.qtDialog()->objectName();
        mode = dialog.qtDialog()->fileMode();
        suffix = dialog.qtDialog()->defaultSuffix();
        // Enter on the wildcard itself chooses nothing.
        openOnWildcard = dialog.enterKeepsItOpen();
    };
    QVERIFY(DialogDriver::clickAndDrive(this->button(qPrintable(button)), Action::Cancel, QString(),
                                        look));

    QCOMPARE(seenTitle, title);
    QCOMPARE(seenFilter, filter);
    // The name field shows the wildcard, and typing a name replaces it.
    QCOMPARE(seenName, wildcard);
    QVERIFY(openOnWildcard);
    QCOMPARE(seenObject, dialogName);
    QCOMPARE(mode, QFileDialog::ExistingFile);
    // A typed "ruxa" stays "ruxa" here; a typed ROM name gets ".vb".
    QCOMPARE(suffix, dialogName == QLatin1String("cmnROM") ? QStringLiteral("vb") : QString());
    QCOMPARE(toQString(m_window->logic().exeSelected()), QStringLiteral("False"));
    QCOMPARE(toQString(m_window->logic().romSelected()), QStringLiteral("False"));
}

void tst_FileSelectors::choosingShowsPathAndSetsFlag_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("action");

    QTest::newRow("executable, typed") << "cmdExecute"
                                       << "txtExecute" << emulatorName << int(Action::TypeName);
    QTest::newRow("executable, clicked") << "cmdExecute"
                                         << "txtExecute" << emulatorName << int(Action::SelectFile);
    QTest::newRow("ROM, typed") << "cmdROM"
                                << "txtROM"
                                << "Mario Clash.vb" << int(Action::TypeName);
    QTest::newRow("ROM, clicked") << "cmdROM"
                                  << "txtROM"
                                  << "Mario Clash.vb" << int(Action::SelectFile);
    QTest::newRow("ROM, typed without extension") << "cmdROM"
                                                  << "txtROM"
                                                  << "Mario Clash" << int(Action::TypeName);
}

void tst_FileSelectors::choosingShowsPathAndSetsFlag()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, file);
    QFETCH(int, action);

    QVERIFY(TestFiles::make(m_dir->filePath(emulatorName), TestFiles::executable));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("Mario Clash.vb"))));
    // A name typed without its extension gets the default one.
    const QString expected = QDir::toNativeSeparators(
            m_dir->filePath(file == emulatorName || file.endsWith(QLatin1String(".vb"))
                                    ? file
                                    : file + QStringLiteral(".vb")));

    QVERIFY(DialogDriver::clickAndDrive(this->button(qPrintable(button)), Action(action),
                                        m_dir->filePath(file)));

    QCOMPARE(this->field(qPrintable(field))->text(), expected);
    const LaunchLogic &logic = m_window->logic();
    const bool executable = button == QLatin1String("cmdExecute");
    QCOMPARE(toQString(executable ? logic.exeSelected() : logic.romSelected()),
             QStringLiteral("True"));
    QCOMPARE(toQString(executable ? logic.romSelected() : logic.exeSelected()),
             QStringLiteral("False"));
}

void tst_FileSelectors::cancelChangesNothing()
{
    QVERIFY(DialogDriver::clickAndDrive(button("cmdExecute"), Action::Cancel));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::Cancel));

    QCOMPARE(field("txtExecute")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(field("txtROM")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(toQString(m_window->logic().exeSelected()), QStringLiteral("False"));
    QCOMPARE(toQString(m_window->logic().romSelected()), QStringLiteral("False"));
    button("cmdPreview")->click();
    QCOMPARE(field("txtCommand")->text(), QStringLiteral("*.exe *.vb"));

    // A cancel after a choice keeps the choice.
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("game.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::SelectFile,
                                        m_dir->filePath(QStringLiteral("game.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::Cancel));
    QCOMPARE(field("txtROM")->text(), native(QStringLiteral("game.vb")));
    QCOMPARE(toQString(m_window->logic().romSelected()), QStringLiteral("True"));
}

void tst_FileSelectors::secondChoiceReplacesFirst()
{
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("first.vb"))));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("second.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::TypeName,
                                        m_dir->filePath(QStringLiteral("first.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::TypeName,
                                        m_dir->filePath(QStringLiteral("second.vb"))));

    QCOMPARE(field("txtROM")->text(), native(QStringLiteral("second.vb")));
    QCOMPARE(toQString(m_window->logic().romSelected()), QStringLiteral("True"));
    button("cmdPreview")->click();
    QCOMPARE(field("txtCommand")->text(),
             QStringLiteral("*.exe ") + native(QStringLiteral("second.vb")));
}

void tst_FileSelectors::romDialogMatchesAnyCase()
{
    for (const char *name : {"a.vb", "B.VB", "c.Vb", "notes.txt", "d.vbx"})
        QVERIFY(TestFiles::make(m_dir->filePath(QLatin1String(name))));
    const QStringList expected {QStringLiteral("B.VB"), QStringLiteral("a.vb"),
                                QStringLiteral("c.Vb")};

    QStringList listed;
    const QString folder = m_dir->path();
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::Cancel, QString(),
                                        [&](DialogDriver::ShownDialog &dialog) {
                                            listed = dialog.listingOf(folder, expected);
                                        }));

    QCOMPARE(listed, expected);
}

void tst_FileSelectors::executableDialogListsPrograms()
{
    // Emulators here carry no extension; typing an existing name picks that
    // file, not "ruxa.exe".
    const QStringList files {QStringLiteral("ruxa"), QStringLiteral("ruxa-sdl")};
    for (const QString &name : files)
        QVERIFY(TestFiles::make(m_dir->filePath(name), TestFiles::executable));

    QStringList listed;
    const QString folder = m_dir->path();
    QVERIFY(DialogDriver::clickAndDrive(
            button("cmdExecute"), Action::TypeName, m_dir->filePath(QStringLiteral("ruxa")),
            [&](DialogDriver::ShownDialog &dialog) { listed = dialog.listingOf(folder, files); }));

    QCOMPARE(listed, files);
    QCOMPARE(field("txtExecute")->text(), native(QStringLiteral("ruxa")));
}

void tst_FileSelectors::userSettingsAreNeitherReadNorWritten()
{
    // Qt's dialog keeps its folder, history and layout in the user's settings;
    // a file planted there must change nothing, and never be opened.
    const QString folder = m_dir->path();
    QVERIFY(QDir(folder).mkdir(QStringLiteral("planted")));
    const QString settings
            = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/QtProject.conf");
    QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
    const QByteArray planted = QStringLiteral("[FileDialog]\n"
                                              "history=file://%1/planted\n"
                                              "lastVisited=file://%1/planted\n"
                                              "sidebarWidth=300\n"
                                              "viewMode=List\n")
                                       .arg(folder)
                                       .toUtf8();
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(planted);
    file.close();
    // Whoever reads the file moves its access time on from long ago.
    const QDateTime longAgo(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc());
    auto setLongAgo = [&] {
        QFile touched(settings);
        return touched.open(QIODevice::ReadWrite)
                && touched.setFileTime(longAgo, QFileDevice::FileAccessTime);
    };
    QVERIFY(setLongAgo());
    QVERIFY(TestFiles::read(settings) == planted);
    // Only where the file system keeps access times can a read be seen.
    const bool readsShow = QFileInfo(settings).lastRead() != longAgo;
    QVERIFY(setLongAgo());
    const QDateTime written = QFileInfo(settings).lastModified();

    QString directory;
    QStringList history;
    QFileDialog::ViewMode mode = QFileDialog::List;
    int sidebar = 300;
    QVERIFY(DialogDriver::clickAndDrive(
            button("cmdROM"), Action::Cancel, QString(), [&](DialogDriver::ShownDialog &dialog) {
                directory = dialog.qtDialog()->directory().path();
                history = dialog.qtDialog()->history();
                mode = dialog.qtDialog()->viewMode();
                sidebar = dialog.qtDialog()->findChild<QSplitter *>()->sizes().value(0);
            }));
    // Closing the launcher is when Qt would save them.
    m_window.reset();

    QVERIFY(!directory.endsWith(QLatin1String("/planted")));
    QVERIFY(!history.join(QLatin1Char(' ')).contains(QLatin1String("planted")));
    QCOMPARE(mode, QFileDialog::Detail);
    QVERIFY(sidebar != 300);
    if (readsShow)
        QCOMPARE(QFileInfo(settings).lastRead(), longAgo);
    else
        qInfo("This file system keeps no access times: a read of the settings would not show");
    QCOMPARE(QFileInfo(settings).lastModified(), written);
    QCOMPARE(QDir(QFileInfo(settings).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("QtProject.conf")});
}

QTEST_MAIN(tst_FileSelectors)
#include "tst_fileselectors.moc"

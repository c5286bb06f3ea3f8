#include "dialogdriver.h"
#include "launcherwindow.h"
#include "testfiles.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using DialogDriver::Action;

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
    void executableDialogListsExtensionlessPrograms();

private:
    QPushButton *button(const char *name) { return m_window->findChild<QPushButton *>(name); }
    QLineEdit *field(const char *name) { return m_window->findChild<QLineEdit *>(name); }

    std::unique_ptr<LauncherWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_FileSelectors::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_window = std::make_unique<LauncherWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_FileSelectors::dialogsCarryTheirSettings_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");

    QTest::newRow("executable") << "cmdExecute"
                                << "cmnExecute"
                                << "Select Ruxa Executable"
                                << "VirtualBoy Executable";
    QTest::newRow("ROM") << "cmdROM"
                         << "cmnROM"
                         << "Select Ruxa Rom Image"
                         << "VirtualBoy ROM Images";
}

void tst_FileSelectors::dialogsCarryTheirSettings()
{
    QFETCH(QString, button);
    QFETCH(QString, dialogName);
    QFETCH(QString, title);
    QFETCH(QString, filter);

    QString seenObject, seenTitle, seenFilter, seenName;
    QFileDialog::FileMode mode = QFileDialog::Directory;
    DialogDriver::onNextFileDialog(Action::Cancel, QString(), [&](QFileDialog *dialog) {
        seenObject = dialog->objectName();
        seenTitle = dialog->windowTitle();
        seenFilter = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
        seenName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        mode = dialog->fileMode();
    });
    this->button(qPrintable(button))->click();

    QCOMPARE(seenObject, dialogName);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenFilter, filter);
    // The wildcard is the pattern, never offered as if it were a file.
    QCOMPARE(seenName, QString());
    QCOMPARE(mode, QFileDialog::ExistingFile);
}

void tst_FileSelectors::choosingShowsPathAndSetsFlag_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("action");

    QTest::newRow("executable, typed") << "cmdExecute"
                                       << "txtExecute"
                                       << "ruxa" << int(Action::TypeName);
    QTest::newRow("executable, clicked") << "cmdExecute"
                                         << "txtExecute"
                                         << "ruxa" << int(Action::SelectFile);
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

    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("ruxa")), TestFiles::executable));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("Mario Clash.vb"))));
    const QString expected
            = m_dir->filePath(file.endsWith(QLatin1String(".vb")) || file == QLatin1String("ruxa")
                                      ? file
                                      : file + QStringLiteral(".vb"));

    DialogDriver::onNextFileDialog(Action(action), m_dir->filePath(file));
    this->button(qPrintable(button))->click();

    QCOMPARE(this->field(qPrintable(field))->text(), expected);
    const LaunchLogic &logic = m_window->logic();
    const bool executable = button == QLatin1String("cmdExecute");
    QCOMPARE(executable ? logic.strExeSelected : logic.strRomSelected, QStringLiteral("True"));
    QCOMPARE(executable ? logic.strRomSelected : logic.strExeSelected, QStringLiteral("False"));
}

void tst_FileSelectors::cancelChangesNothing()
{
    DialogDriver::onNextFileDialog(Action::Cancel);
    button("cmdExecute")->click();
    DialogDriver::onNextFileDialog(Action::Cancel);
    button("cmdROM")->click();

    QCOMPARE(field("txtExecute")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(field("txtROM")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(m_window->logic().strExeSelected, QStringLiteral("False"));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("False"));
    button("cmdPreview")->click();
    QCOMPARE(field("txtCommand")->text(), QStringLiteral("*.exe *.vb"));

    // A cancel after a choice keeps the choice.
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("game.vb"))));
    DialogDriver::onNextFileDialog(Action::SelectFile, m_dir->filePath(QStringLiteral("game.vb")));
    button("cmdROM")->click();
    DialogDriver::onNextFileDialog(Action::Cancel);
    button("cmdROM")->click();
    QCOMPARE(field("txtROM")->text(), m_dir->filePath(QStringLiteral("game.vb")));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("True"));
}

void tst_FileSelectors::secondChoiceReplacesFirst()
{
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("first.vb"))));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("second.vb"))));
    DialogDriver::onNextFileDialog(Action::TypeName, m_dir->filePath(QStringLiteral("first.vb")));
    button("cmdROM")->click();
    DialogDriver::onNextFileDialog(Action::TypeName, m_dir->filePath(QStringLiteral("second.vb")));
    button("cmdROM")->click();

    QCOMPARE(field("txtROM")->text(), m_dir->filePath(QStringLiteral("second.vb")));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("True"));
    button("cmdPreview")->click();
    QCOMPARE(field("txtCommand")->text(),
             QStringLiteral("*.exe ") + m_dir->filePath(QStringLiteral("second.vb")));
}

void tst_FileSelectors::romDialogMatchesAnyCase()
{
    for (const char *name : {"a.vb", "B.VB", "c.Vb", "notes.txt", "d.vbx"})
        QVERIFY(TestFiles::make(m_dir->filePath(QLatin1String(name))));
    const QStringList expected {QStringLiteral("B.VB"), QStringLiteral("a.vb"),
                                QStringLiteral("c.Vb")};

    QStringList listed;
    const QString folder = m_dir->path();
    DialogDriver::onNextFileDialog(Action::Cancel, QString(), [&](QFileDialog *dialog) {
        listed = DialogDriver::listingOf(dialog, folder, expected);
    });
    button("cmdROM")->click();

    QCOMPARE(listed, expected);
}

void tst_FileSelectors::executableDialogListsExtensionlessPrograms()
{
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("ruxa")), TestFiles::executable));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("ruxa-sdl")), TestFiles::executable));

    QStringList listed;
    const QString folder = m_dir->path();
    const QStringList expected {QStringLiteral("ruxa"), QStringLiteral("ruxa-sdl")};
    DialogDriver::onNextFileDialog(Action::TypeName, m_dir->filePath(QStringLiteral("ruxa")),
                                   [&](QFileDialog *dialog) {
                                       listed = DialogDriver::listingOf(dialog, folder, expected);
                                   });
    button("cmdExecute")->click();

    QCOMPARE(listed, expected);
    // Typing an existing name picks that file, not "ruxa.exe".
    QCOMPARE(field("txtExecute")->text(), m_dir->filePath(QStringLiteral("ruxa")));
}

QTEST_MAIN(tst_FileSelectors)
#include "tst_fileselectors.moc"

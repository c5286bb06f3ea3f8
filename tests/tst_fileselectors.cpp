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
    QTest::addColumn<QString>("wildcard");

    // Executables here carry no extension, so that dialog lists every file.
    QTest::newRow("executable") << "cmdExecute"
                                << "cmnExecute"
                                << "Select Ruxa Executable"
                                << "VirtualBoy Executable"
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

    QString seenObject, seenTitle, seenFilter, seenName;
    bool openOnWildcard = true;
    QFileDialog::FileMode mode = QFileDialog::Directory;
    QVERIFY(DialogDriver::clickAndDrive(
            this->button(qPrintable(button)), Action::Cancel, QString(), [&](QFileDialog *dialog) {
                seenObject = dialog->objectName();
                seenTitle = dialog->windowTitle();
                seenFilter = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))
                                     ->currentText();
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                seenName = name->text().isEmpty() ? name->placeholderText() : QString();
                mode = dialog->fileMode();
                // Enter on the wildcard itself chooses nothing.
                QTest::keyClick(name, Qt::Key_Return);
                openOnWildcard = dialog->isVisible();
            }));

    QCOMPARE(seenObject, dialogName);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenFilter, filter);
    // The name field shows the wildcard, and typing a name replaces it.
    QCOMPARE(seenName, wildcard);
    QVERIFY(openOnWildcard);
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(m_window->logic().strExeSelected, QStringLiteral("False"));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("False"));
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

    QVERIFY(DialogDriver::clickAndDrive(this->button(qPrintable(button)), Action(action),
                                        m_dir->filePath(file)));

    QCOMPARE(this->field(qPrintable(field))->text(), expected);
    const LaunchLogic &logic = m_window->logic();
    const bool executable = button == QLatin1String("cmdExecute");
    QCOMPARE(executable ? logic.strExeSelected : logic.strRomSelected, QStringLiteral("True"));
    QCOMPARE(executable ? logic.strRomSelected : logic.strExeSelected, QStringLiteral("False"));
}

void tst_FileSelectors::cancelChangesNothing()
{
    QVERIFY(DialogDriver::clickAndDrive(button("cmdExecute"), Action::Cancel));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::Cancel));

    QCOMPARE(field("txtExecute")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(field("txtROM")->text(), QStringLiteral("<none selected>"));
    QCOMPARE(m_window->logic().strExeSelected, QStringLiteral("False"));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("False"));
    button("cmdPreview")->click();
    QCOMPARE(field("txtCommand")->text(), QStringLiteral("*.exe *.vb"));

    // A cancel after a choice keeps the choice.
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("game.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::SelectFile,
                                        m_dir->filePath(QStringLiteral("game.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::Cancel));
    QCOMPARE(field("txtROM")->text(), m_dir->filePath(QStringLiteral("game.vb")));
    QCOMPARE(m_window->logic().strRomSelected, QStringLiteral("True"));
}

void tst_FileSelectors::secondChoiceReplacesFirst()
{
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("first.vb"))));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("second.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::TypeName,
                                        m_dir->filePath(QStringLiteral("first.vb"))));
    QVERIFY(DialogDriver::clickAndDrive(button("cmdROM"), Action::TypeName,
                                        m_dir->filePath(QStringLiteral("second.vb"))));

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
    QVERIFY(DialogDriver::clickAndDrive(
            button("cmdROM"), Action::Cancel, QString(), [&](QFileDialog *dialog) {
                listed = DialogDriver::listingOf(dialog, folder, expected);
            }));

    QCOMPARE(listed, expected);
}

void tst_FileSelectors::executableDialogListsExtensionlessPrograms()
{
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("ruxa")), TestFiles::executable));
    QVERIFY(TestFiles::make(m_dir->filePath(QStringLiteral("ruxa-sdl")), TestFiles::executable));

    QStringList listed;
    const QString folder = m_dir->path();
    const QStringList expected {QStringLiteral("ruxa"), QStringLiteral("ruxa-sdl")};
    QVERIFY(DialogDriver::clickAndDrive(
            button("cmdExecute"), Action::TypeName, m_dir->filePath(QStringLiteral("ruxa")),
            [&](QFileDialog *dialog) {
                listed = DialogDriver::listingOf(dialog, folder, expected);
            }));

    QCOMPARE(listed, expected);
    // Typing an existing name picks that file, not "ruxa.exe".
    QCOMPARE(field("txtExecute")->text(), m_dir->filePath(QStringLiteral("ruxa")));
}

QTEST_MAIN(tst_FileSelectors)
#include "tst_fileselectors.moc"

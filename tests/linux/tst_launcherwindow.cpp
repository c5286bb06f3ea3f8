#include "captioncheck.h"
#include "dialogdriver.h"
#include "launcherwindow.h"
#include "qttext.h"
#include "shownlauncher.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyleOptionButton>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QTest>

class tst_LauncherWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initialState();
    void captionAndFixedClientArea();
    void controlGeometry_data();
    void controlGeometry();
    void checkBoxCaptionIsNotCut();
    void checkBoxHasTwoStates();
    void captionsWholeInEveryStyleAndFont_data();
    void captionsWholeInEveryStyleAndFont();
    void selectorFieldsAreNamedForScreenReaders();
    void menus();
    void noDefaultButton();
    void enterPressesOnlyTheFocusedButton_data();
    void enterPressesOnlyTheFocusedButton();
    void enterHeldDownPressesOnce();
    void tabOrder();
    void accessKeys();
    void previewShowsBothPatterns();

private:
    template<typename T>
    T *child(const char *name)
    {
        auto *found = m_window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no child named %s", name);
        return found;
    }

    std::unique_ptr<LauncherWindow> m_window;
};

void tst_LauncherWindow::init()
{
    m_window = ShownLauncher::open();
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void tst_LauncherWindow::cleanup()
{
    m_window.reset();
}

void tst_LauncherWindow::initialState()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    for (const char *name : {"txtExecute", "txtROM"})
        QCOMPARE(child<QLineEdit>(name)->text(), QStringLiteral("<none selected>"));
    QCOMPARE(child<QLineEdit>("txtCommand")->text(), QString());
    for (const char *name : {"txtExecute", "txtROM", "txtCommand"})
        QVERIFY(!child<QLineEdit>(name)->isEnabled());
    QVERIFY(!child<QCheckBox>("chkExit")->isChecked());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("cmdRun"));

    QCOMPARE(toQString(m_window->logic().exeSelected()), QStringLiteral("False"));
    QCOMPARE(toQString(m_window->logic().romSelected()), QStringLiteral("False"));
}

void tst_LauncherWindow::captionAndFixedClientArea()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Corvane v1.0"));
    QWidget *client = m_window->centralWidget();
    QCOMPARE(client->size(), QSize(425, 227));
    QCOMPARE(client->y(), m_window->menuBar()->geometry().bottom() + 1);
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());

    // Nothing may move when someone tries to resize the window.
    m_window->resize(800, 600);
    QCoreApplication::processEvents();
    QCOMPARE(client->size(), QSize(425, 227));
}

void tst_LauncherWindow::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");

    // Twips divided by fifteen; inside a frame, relative to the frame.
    QTest::newRow("fraExecute") << "fraExecute"
                                << ""
                                << "Ruxa Executable" << QRect(8, 0, 401, 49);
    QTest::newRow("cmdExecute") << "cmdExecute"
                                << "fraExecute"
                                << "Select" << QRect(8, 16, 89, 25);
    QTest::newRow("txtExecute") << "txtExecute"
                                << "fraExecute"
                                << "<none selected>" << QRect(104, 16, 289, 25);
    QTest::newRow("fraROM") << "fraROM"
                            << ""
                            << "Virtual Gameboy ROM" << QRect(8, 56, 401, 49);
    QTest::newRow("cmdROM") << "cmdROM"
                            << "fraROM"
                            << "Select" << QRect(8, 16, 89, 25);
    QTest::newRow("txtROM") << "txtROM"
                            << "fraROM"
                            << "<none selected>" << QRect(104, 16, 289, 25);
    QTest::newRow("fraCommand") << "fraCommand"
                                << ""
                                << "Command Line Preview" << QRect(8, 112, 401, 49);
    QTest::newRow("cmdPreview") << "cmdPreview"
                                << "fraCommand"
                                << "Preview" << QRect(8, 16, 89, 25);
    QTest::newRow("txtCommand") << "txtCommand"
                                << "fraCommand"
                                << "" << QRect(104, 16, 289, 25);
    QTest::newRow("cmdRun") << "cmdRun"
                            << ""
                            << "Run Ruxa" << QRect(8, 168, 409, 25);
    QTest::newRow("cmdQuit") << "cmdQuit"
                             << ""
                             << "&Quit" << QRect(160, 200, 105, 25);
}

void tst_LauncherWindow::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);

    auto *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QWidget *expectedParent = parentName.isEmpty() ? m_window->centralWidget()
                                                   : m_window->findChild<QWidget *>(parentName);
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), caption);
}

void tst_LauncherWindow::checkBoxCaptionIsNotCut()
{
    auto *check = child<QCheckBox>("chkExit");
    QCOMPARE(check->text(), QStringLiteral("Exit On Start"));
    QCOMPARE(check->pos(), QPoint(40, 200));
    QCOMPARE(check->height(), 17);
    QVERIFY(check->width() >= 81);
    QVERIFY(check->width() >= check->sizeHint().width());
    QVERIFY(check->geometry().right() < child<QPushButton>("cmdQuit")->x());
}

void tst_LauncherWindow::checkBoxHasTwoStates()
{
    // Clicked again, it is cleared, never greyed.
    auto *check = child<QCheckBox>("chkExit");
    for (const Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(check->checkState(), expected);
    }
}

void tst_LauncherWindow::captionsWholeInEveryStyleAndFont_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("pointSize");

    // Qt's own style, and Plasma's where it is installed; the font the
    // places were set for, and the larger ones desktops give and users pick.
    QStringList styles = {QStringLiteral("Fusion")};
    if (QStyleFactory::keys().contains(QStringLiteral("Breeze"), Qt::CaseInsensitive))
        styles << QStringLiteral("Breeze");
    for (const QString &style : std::as_const(styles))
        for (const int pointSize : {0, 10, 11, 13})
            QTest::addRow("%s, %s", qPrintable(style),
                          pointSize ? qPrintable(QStringLiteral("%1 pt").arg(pointSize))
                                    : "default font")
                    << style << pointSize;
}

void tst_LauncherWindow::captionsWholeInEveryStyleAndFont()
{
    QFETCH(QString, style);
    QFETCH(int, pointSize);
    const QFont originalFont = QApplication::font();
    const QString originalStyle = QApplication::style()->name();
    QFont font = originalFont;
    if (pointSize)
        font.setPointSize(pointSize);
    QApplication::setStyle(style);
    QApplication::setFont(font);
    auto restore = qScopeGuard([&] {
        QApplication::setFont(originalFont);
        QApplication::setStyle(originalStyle);
    });
    m_window = ShownLauncher::open();
    QVERIFY(m_window);
    const auto *frameStyle = qobject_cast<QProxyStyle *>(child<QGroupBox>("fraExecute")->style());
    QVERIFY(frameStyle);
    QCOMPARE(frameStyle->baseStyle()->name(), style.toLower());

    const QString fault = captionsFault(m_window->centralWidget());
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    // The places stay as specified where the captions fit them, and grow no
    // further than the captions ask: Quit keeps its size, Run its width.
    QCOMPARE(child<QPushButton>("cmdQuit")->width(), 105);
    QCOMPARE(child<QPushButton>("cmdRun")->width(), 409);
    if (!pointSize && style == QLatin1String("Fusion"))
        QCOMPARE(m_window->centralWidget()->size(), QSize(425, 227));
}

void tst_LauncherWindow::selectorFieldsAreNamedForScreenReaders()
{
    QCOMPARE(child<QLineEdit>("txtExecute")->accessibleName(), QStringLiteral("Ruxa Executable"));
    QCOMPARE(child<QLineEdit>("txtROM")->accessibleName(), QStringLiteral("Virtual Gameboy ROM"));
    QCOMPARE(child<QLineEdit>("txtCommand")->accessibleName(),
             QStringLiteral("Command Line Preview"));
    QCOMPARE(child<QPushButton>("cmdExecute")->accessibleDescription(),
             QStringLiteral("Ruxa Executable"));
    QCOMPARE(child<QPushButton>("cmdROM")->accessibleDescription(),
             QStringLiteral("Virtual Gameboy ROM"));
}

void tst_LauncherWindow::menus()
{
    const QList<QAction *> bar = m_window->menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->menu(), child<QMenu>("mnuFile"));
    QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
    QCOMPARE(bar[1]->menu(), child<QMenu>("mnuHelp"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Help"));

    QCOMPARE(child<QMenu>("mnuFile")->actions(), QList<QAction *> {child<QAction>("mnuFileExit")});
    QCOMPARE(child<QAction>("mnuFileExit")->text(), QStringLiteral("E&xit"));
    QCOMPARE(child<QMenu>("mnuHelp")->actions(), QList<QAction *> {child<QAction>("mnuHelpAbout")});
    QCOMPARE(child<QAction>("mnuHelpAbout")->text(), QStringLiteral("About"));
}

void tst_LauncherWindow::noDefaultButton()
{
    for (auto *button : m_window->findChildren<QPushButton *>()) {
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
    }
    // Enter that reaches the window rather than a button presses nothing: a
    // Run would show its reminder, which the answerer closes and records.
    const DialogDriver::MessageBoxAnswerer answerer;
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QCOMPARE(answerer.seen().size(), 0);
}

void tst_LauncherWindow::enterPressesOnlyTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("preview");

    QTest::newRow("Return on Preview") << "cmdPreview" << int(Qt::Key_Return) << "*.exe *.vb";
    QTest::newRow("keypad Enter on Preview") << "cmdPreview" << int(Qt::Key_Enter) << "*.exe *.vb";
    QTest::newRow("Return on the check box") << "chkExit" << int(Qt::Key_Return) << "";
    QTest::newRow("Escape on Preview") << "cmdPreview" << int(Qt::Key_Escape) << "";
}

void tst_LauncherWindow::enterPressesOnlyTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, preview);

    auto *target = child<QWidget>(qPrintable(focus));
    target->setFocus();
    const DialogDriver::MessageBoxAnswerer answerer;
    QTest::keyClick(target, Qt::Key(key));

    QCOMPARE(child<QLineEdit>("txtCommand")->text(), preview);
    QVERIFY(!child<QCheckBox>("chkExit")->isChecked());
    QVERIFY(m_window->isVisible());
    QCOMPARE(answerer.seen().size(), 0);
}

void tst_LauncherWindow::enterHeldDownPressesOnce()
{
    // Held on Run with both files chosen, it would start an emulator for
    // each repeat; Quit counts its presses here.
    auto *quit = child<QPushButton>("cmdQuit");
    quit->setFocus();
    for (bool repeated : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), repeated);
        QApplication::sendEvent(quit, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(quit, &release);
    QCOMPARE(ShownLauncher::endsRequested(), 1);
}

void tst_LauncherWindow::tabOrder()
{
    const QStringList expected {"cmdExecute", "cmdROM", "cmdQuit",   "cmdPreview",
                                "chkExit",    "cmdRun", "cmdExecute"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdRun"));
}

void tst_LauncherWindow::accessKeys()
{
    // The endings themselves are driven in a process of their own; here the
    // keys are checked to reach the right control.
    QCOMPARE(child<QPushButton>("cmdQuit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Q));

    auto *help = child<QMenu>("mnuHelp");
    QTest::keyClick(m_window.get(), Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(help->activeAction(), child<QAction>("mnuHelpAbout"));
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(!help->isVisible());

    auto *file = child<QMenu>("mnuFile");
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    QCOMPARE(file->activeAction(), child<QAction>("mnuFileExit"));
    QTest::keyClick(file, Qt::Key_Escape);
    QTRY_VERIFY(!file->isVisible());
}

void tst_LauncherWindow::previewShowsBothPatterns()
{
    QTest::mouseClick(child<QPushButton>("cmdPreview"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>("txtCommand")->text(), QStringLiteral("*.exe *.vb"));
}

QTEST_MAIN(tst_LauncherWindow)
#include "tst_launcherwindow.moc"

#include "aboutwindow.h"
#include "captioncheck.h"
#include "dialogdriver.h"
#include "launcherwindow.h"
#include "shownlauncher.h"
#include "testfiles.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

class tst_AboutWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void notMadeAtStart();
    void appearance();
    void okCaptionWholeInLargerFont_data();
    void okCaptionWholeInLargerFont();
    void okHidesAndAboutShowsSameWindowWhereItWas();
    void launcherWorksWhileAboutShows();
    void closeBoxGivesFreshWindow();
    void launcherUnloadRemovesAbout_data();
    void launcherUnloadRemovesAbout();
    void launcherHasIconAboutHasNone();

private:
    AboutWindow *openAbout()
    {
        m_launcher->findChild<QAction *>(QStringLiteral("mnuHelpAbout"))->trigger();
        auto *about = qobject_cast<AboutWindow *>(aboutWindow());
        if (about && !QTest::qWaitForWindowExposed(about))
            return nullptr;
        return about;
    }
    static QWidget *aboutWindow()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmAbout"))
                return window;
        return nullptr;
    }
    static void clickOK(QWidget *about)
    {
        QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    }

    std::unique_ptr<LauncherWindow> m_launcher;
};

void tst_AboutWindow::init()
{
    m_launcher = ShownLauncher::open();
    QVERIFY(m_launcher);
}

void tst_AboutWindow::cleanup()
{
    m_launcher.reset();
    AboutWindow::unload();
}

void tst_AboutWindow::notMadeAtStart()
{
    QCOMPARE(aboutWindow(), nullptr);
}

void tst_AboutWindow::appearance()
{
    AboutWindow *about = openAbout();
    QVERIFY(about);
    QCOMPARE(about, frmAbout());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Corvane"));
    QCOMPARE(about->size(), QSize(370, 267));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    auto *ok = about->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), QRect(112, 240, 137, 25));
    QVERIFY(!ok->isDefault());

    // The picture fills the top of the window pixel for pixel, drawn for the
    // scale the run asks for (QT_SCALE_FACTOR).
    const int scale = qEnvironmentVariableIntValue("QT_SCALE_FACTOR");
    QCOMPARE(about->devicePixelRatioF(), qreal(scale ? scale : 1));
    const QImage picture(scale == 2 ? QStringLiteral(CORVANE_RESOURCES_DIR "/about@2x.png")
                                    : QStringLiteral(CORVANE_RESOURCES_DIR "/about.png"));
    QCOMPARE(picture.size(), QSize(370, 239) * (scale ? scale : 1));
    const QImage shown = about->grab(QRect(0, 0, 370, 239)).toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));

    // A screen reader hears a dialog, its name and the picture's words.
    const QString words = QStringLiteral("Corvane, version 1.00.0002. "
                                         "A simple front end for Ruxa. Corvane Labs.");
    QCOMPARE(QAccessible::queryAccessibleInterface(about)->text(QAccessible::Name),
             QStringLiteral("About Corvane"));
    QCOMPARE(QAccessible::queryAccessibleInterface(about)->role(), QAccessible::Dialog);
    QCOMPARE(QAccessible::queryAccessibleInterface(about)->text(QAccessible::Description), words);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(about);
    QStringList pictures;
    for (int i = 0; i < window->childCount(); ++i)
        if (window->child(i)->role() == QAccessible::Graphic)
            pictures << window->child(i)->text(QAccessible::Name) + QLatin1Char('|')
                            + window->child(i)->text(QAccessible::Description);
    QCOMPARE(pictures, QStringList {QStringLiteral("Corvane|") + words});
}

void tst_AboutWindow::okCaptionWholeInLargerFont_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("Fusion") << "Fusion";
    if (QStyleFactory::keys().contains(QStringLiteral("Breeze"), Qt::CaseInsensitive))
        QTest::newRow("Breeze") << "Breeze";
}

void tst_AboutWindow::okCaptionWholeInLargerFont()
{
    // At 13 pt, as users pick, OK holds its caption, growing where it must,
    // and the window with it; the picture stays as it is.
    QFETCH(QString, style);
    const QFont originalFont = QApplication::font();
    const QString originalStyle = QApplication::style()->name();
    QFont font = originalFont;
    font.setPointSize(13);
    QApplication::setStyle(style);
    QApplication::setFont(font);
    auto restore = qScopeGuard([&] {
        QApplication::setFont(originalFont);
        QApplication::setStyle(originalStyle);
    });
    AboutWindow *about = openAbout();
    QVERIFY(about);
    auto *ok = about->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    const QString fault = captionsFault(about);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(ok->pos(), QPoint(112, 240));
    QVERIFY(about->rect().contains(ok->geometry()));
    QCOMPARE(about->findChild<QLabel *>()->geometry(), QRect(0, 0, 370, 239));
}

void tst_AboutWindow::okHidesAndAboutShowsSameWindowWhereItWas()
{
    AboutWindow *about = openAbout();
    QVERIFY(about);
    about->move(about->pos() + QPoint(37, 23));
    const QPoint where = about->pos();

    clickOK(about);
    QVERIFY(!about->isVisible());
    QCOMPARE(frmAbout(), about); // hidden, not released

    QCOMPARE(openAbout(), about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->pos(), where);

    // About while it shows leaves it shown, still the same window.
    QCOMPARE(openAbout(), about);
    QVERIFY(about->isVisible());
}

void tst_AboutWindow::launcherWorksWhileAboutShows()
{
    QVERIFY(openAbout());
    QTemporaryDir dir;
    const QString rom = dir.filePath(QStringLiteral("game.vb"));
    QVERIFY(TestFiles::make(rom));

    QVERIFY(DialogDriver::clickAndDrive(
            m_launcher->findChild<QPushButton *>(QStringLiteral("cmdROM")),
            DialogDriver::Action::TypeName, rom));
    // The field shows the path as the system writes it.
    QCOMPARE(m_launcher->findChild<QLineEdit *>(QStringLiteral("txtROM"))->text(),
             QDir::toNativeSeparators(rom));

    m_launcher->findChild<QPushButton *>(QStringLiteral("cmdPreview"))->click();
    QCOMPARE(m_launcher->findChild<QLineEdit *>(QStringLiteral("txtCommand"))->text(),
             QStringLiteral("*.exe ") + QDir::toNativeSeparators(rom));

    const DialogDriver::MessageBoxAnswerer answerer;
    m_launcher->findChild<QPushButton *>(QStringLiteral("cmdRun"))->click();
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen()[0].text,
             QStringLiteral("Please make sure to select the Executable and a ROM image."));
    QVERIFY(aboutWindow()->isVisible());
}

void tst_AboutWindow::closeBoxGivesFreshWindow()
{
    QPointer<AboutWindow> first = openAbout();
    QVERIFY(first);
    QVERIFY(first->close());
    QTRY_VERIFY(!first); // released, not just hidden

    AboutWindow *second = openAbout();
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(second, frmAbout());
}

void tst_AboutWindow::launcherUnloadRemovesAbout_data()
{
    QTest::addColumn<bool>("hideFirst");

    QTest::newRow("About showing") << false;
    QTest::newRow("About hidden") << true;
}

void tst_AboutWindow::launcherUnloadRemovesAbout()
{
    QFETCH(bool, hideFirst);
    QPointer<AboutWindow> about = openAbout();
    QVERIFY(about);
    if (hideFirst)
        clickOK(about);

    QVERIFY(m_launcher->close());
    QTRY_VERIFY(!about);
    QCOMPARE(aboutWindow(), nullptr);
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void tst_AboutWindow::launcherHasIconAboutHasNone()
{
    const QList<QSize> sizes = m_launcher->windowIcon().availableSizes();
    QCOMPARE(sizes, (QList<QSize> {{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    // The same pixels as the rendered icon files.
    for (const QSize &size : sizes) {
        const QImage shown = m_launcher->windowIcon().pixmap(size, 1.0).toImage();
        const QImage rendered(
                QStringLiteral(CORVANE_RESOURCES_DIR "/icons/corvane-%1.png").arg(size.width()));
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 rendered.convertToFormat(QImage::Format_ARGB32));
    }

    AboutWindow *about = openAbout();
    QVERIFY(about);
    QVERIFY(about->windowIcon().isNull());
}

QTEST_MAIN(tst_AboutWindow)
#include "tst_aboutwindow.moc"

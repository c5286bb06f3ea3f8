// Runs the real launcher window in a process of its own and drives one
// scenario in it, for the endings a test cannot survive in its own process.
// Prints what it sees; the launcher's own ending decides the exit status.
//
//   launcherdriver quit-key | exit-menu | close | about-quit | about-close | about-hide-close
//   launcherdriver run-exit | run-fail | run-stay | choose-quit | choose-close  EXE ROM
//   launcherdriver words   (the toolkit's captions on the dialog and the message box)
//   launcherdriver directions   (the layout direction of the windows, menus and controls)
//   launcherdriver dialogs EXE ROM   (each dialog as it shows, then both chosen and Run)
//   launcherdriver look   (the font and colours the program took, and whether GTK or KDE is in it)

#include "dialogdriver.h"
#include "launcherwindow.h"
#include "lifetime.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class CloseWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            say(QStringLiteral("close event"));
        return QObject::eventFilter(watched, event);
    }
};

template<typename T>
T *control(QWidget &window, const char *name)
{
    auto *child = window.findChild<T *>(QLatin1String(name));
    if (!child) {
        say(QStringLiteral("no control %1").arg(QLatin1String(name)));
        std::exit(4);
    }
    return child;
}

// Chooses a file in the selector's dialog by typing its name, as a user would.
void choose(QWidget &window, const char *button, const QString &path)
{
    if (!DialogDriver::clickAndDrive(control<QPushButton>(window, button),
                                     DialogDriver::Action::TypeName, path)) {
        say(QStringLiteral("could not choose %1").arg(path));
        endProgramNow(7);
    }
}

// A library already in the process, wherever it was loaded from; null if none.
void *loaded(const char *library)
{
    return dlopen(library, RTLD_NOW | RTLD_NOLOAD);
}

// Whether GTK was made to build a file chooser, hidden or not: its class is
// set up when the first one is made. Its type alone proves nothing: GTK
// registers every type of its own when a template names one it does not know
// yet, as GTK's theme in Qt 6.8 makes it do while reading the colours.
bool gtkFileChooserMade()
{
    void *gobject = loaded("libgobject-2.0.so.0");
    if (!gobject)
        return false;
    using TypeFromName = unsigned long (*)(const char *);
    using ClassPeek = void *(*)(unsigned long);
    const auto typeFromName = reinterpret_cast<TypeFromName>(dlsym(gobject, "g_type_from_name"));
    const auto classPeek = reinterpret_cast<ClassPeek>(dlsym(gobject, "g_type_class_peek"));
    const unsigned long type = typeFromName ? typeFromName("GtkFileChooserWidget") : 0;
    return type != 0 && classPeek && classPeek(type) != nullptr;
}

// Whether Plasma's theme made a file dialog of its own, hidden or not.
bool kdeFileDialogMade()
{
    const QWidgetList widgets = QApplication::allWidgets();
    return std::any_of(widgets.cbegin(), widgets.cend(),
                       [](const QWidget *widget) { return widget->inherits("KFileWidget"); });
}

void chooseBoth(QWidget &window, const QString &exe, const QString &rom)
{
    choose(window, "cmdExecute", exe);
    choose(window, "cmdROM", rom);
}

} // namespace

int main(int argc, char *argv[])
{
    const auto app = startApplication(argc, argv);
    const QStringList args = app->arguments().mid(1);
    const QString scenario = args.value(0);
    const QString exe = args.value(1);
    const QString rom = args.value(2);

    LauncherWindow frmMain(endProgramNow);
    CloseWatcher watcher;
    frmMain.installEventFilter(&watcher);
    frmMain.show();
    if (!QTest::qWaitForWindowExposed(&frmMain))
        return 5;

    // Drive from inside the event loop, as a user's input would arrive.
    QTimer::singleShot(0, &frmMain, [&] {
        if (scenario == QLatin1String("quit-key")) {
            QTest::keyClick(&frmMain, Qt::Key_Q, Qt::AltModifier);
        } else if (scenario == QLatin1String("exit-menu")) {
            QTest::keyClick(&frmMain, Qt::Key_F, Qt::AltModifier);
            auto *menu = control<QMenu>(frmMain, "mnuFile");
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
                endProgramNow(6);
            QTest::keyClick(menu, Qt::Key_X);
        } else if (scenario == QLatin1String("about-quit")) {
            control<QAction>(frmMain, "mnuHelpAbout")->trigger();
            QTest::keyClick(&frmMain, Qt::Key_Q, Qt::AltModifier);
        } else if (scenario == QLatin1String("about-close")) {
            control<QAction>(frmMain, "mnuHelpAbout")->trigger();
            frmMain.close();
        } else if (scenario == QLatin1String("about-hide-close")) {
            control<QAction>(frmMain, "mnuHelpAbout")->trigger();
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->objectName() == QLatin1String("frmAbout")) {
                    control<QPushButton>(*window, "cmdOK")->click();
                    if (!window->isVisible())
                        say(QStringLiteral("about hidden"));
                }
            frmMain.close();
        } else if (scenario == QLatin1String("directions")) {
            control<QAction>(frmMain, "mnuHelpAbout")->trigger();
            QStringList seen;
            for (const char *name : {"frmMain", "mnuFile", "mnuHelp", "fraExecute", "chkExit"}) {
                QWidget *widget = qstrcmp(name, "frmMain") == 0 ? &frmMain
                                                                : control<QWidget>(frmMain, name);
                seen << QStringLiteral("%1 %2").arg(QLatin1String(name),
                                                    widget->isRightToLeft() ? "rtl" : "ltr");
            }
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->objectName() == QLatin1String("frmAbout"))
                    seen << (window->isRightToLeft() ? "frmAbout rtl" : "frmAbout ltr");
            say(seen.join(QLatin1Char('|')));
            endProgramNow(0);
        } else if (scenario == QLatin1String("words")) {
            QStringList words;
            const bool cancelled = DialogDriver::clickAndDrive(
                    control<QPushButton>(frmMain, "cmdExecute"), DialogDriver::Action::Cancel,
                    QString(), [&](DialogDriver::ShownDialog &dialog) {
                        words << dialog.title();
                        auto *box = dialog.qtDialog()->findChild<QDialogButtonBox *>();
                        for (auto which : {QDialogButtonBox::Open, QDialogButtonBox::Cancel})
                            words << box->button(which)->text().remove(QLatin1Char('&'));
                    });
            const DialogDriver::MessageBoxAnswerer answerer;
            control<QPushButton>(frmMain, "cmdRun")->click();
            for (DialogDriver::MessageBoxAnswerer::Seen seen : answerer.seen())
                words << seen.button.remove(QLatin1Char('&'));
            say(cancelled ? words.join(QLatin1Char('|')) : QStringLiteral("no dialog"));
            endProgramNow(0);
        } else if (scenario == QLatin1String("dialogs")) {
            for (const char *button : {"cmdExecute", "cmdROM"}) {
                QString seen;
                const bool shown = DialogDriver::clickAndDrive(
                        control<QPushButton>(frmMain, button), DialogDriver::Action::Cancel,
                        QString(), [&](DialogDriver::ShownDialog &dialog) {
                            seen = QStringLiteral("%1|%2|%3|Enter %4")
                                           .arg(dialog.title(), dialog.filter(), dialog.nameShown(),
                                                dialog.enterKeepsItOpen()
                                                        ? QStringLiteral("keeps it open")
                                                        : QStringLiteral("closes it"));
                        });
                say(shown ? seen : QStringLiteral("no dialog"));
            }
            say(gtkFileChooserMade() ? QStringLiteral("a GTK file chooser was made")
                                     : QStringLiteral("no GTK file chooser"));
            say(kdeFileDialogMade() ? QStringLiteral("a KDE file dialog was made")
                                    : QStringLiteral("no KDE file dialog"));
            chooseBoth(frmMain, exe, rom);
            control<QPushButton>(frmMain, "cmdPreview")->click();
            say(control<QLineEdit>(frmMain, "txtCommand")->text());
            control<QCheckBox>(frmMain, "chkExit")->setChecked(true);
            control<QPushButton>(frmMain, "cmdRun")->click();
            say(QStringLiteral("carried on"));
            endProgramNow(0);
        } else if (scenario == QLatin1String("look")) {
            const QFont font = QApplication::font();
            const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
            const bool kde = loaded("libKF6ConfigCore.so.6") || loaded("libKF5ConfigCore.so.5");
            say(QStringLiteral("%1|%2|%3|%4|%5|%6")
                        .arg(font.family())
                        .arg(font.pointSizeF())
                        .arg(font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
                             dark ? QStringLiteral("dark") : QStringLiteral("light"),
                             loaded("libgtk-3.so.0") ? QStringLiteral("GTK") : QStringLiteral("no GTK"),
                             kde ? QStringLiteral("KDE") : QStringLiteral("no KDE")));
            endProgramNow(0);
        } else if (scenario == QLatin1String("close")) {
            frmMain.close();
        } else if (scenario == QLatin1String("run-exit") || scenario == QLatin1String("run-fail")) {
            chooseBoth(frmMain, exe, rom);
            control<QCheckBox>(frmMain, "chkExit")->setChecked(true);
            const DialogDriver::MessageBoxAnswerer answerer;
            control<QPushButton>(frmMain, "cmdRun")->click();
            for (const DialogDriver::MessageBoxAnswerer::Seen &seen : answerer.seen())
                say(QStringLiteral("message: %1: %2").arg(seen.title, seen.text));
            say(QStringLiteral("carried on"));
            frmMain.close();
        } else if (scenario == QLatin1String("run-stay")) {
            // Runs the emulator and stays open, until whatever ends it.
            chooseBoth(frmMain, exe, rom);
            control<QPushButton>(frmMain, "cmdRun")->click();
            say(QStringLiteral("started"));
        } else if (scenario == QLatin1String("choose-quit")) {
            chooseBoth(frmMain, exe, rom);
            control<QPushButton>(frmMain, "cmdQuit")->click();
        } else if (scenario == QLatin1String("choose-close")) {
            chooseBoth(frmMain, exe, rom);
            frmMain.close();
        } else {
            say(QStringLiteral("unknown scenario"));
            endProgramNow(2);
        }
    });

    // Whatever should have ended the program did not.
    QTimer::singleShot(10000, app.get(), [] {
        say(QStringLiteral("still running"));
        endProgramNow(3);
    });
    endProgramNow(app->exec());
}

#include "lifetime.h"

#include "desktoplook.h"
#include "identity.h"
#include "programstart.h"
#include "qtplugins.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;
bool startingToolkit = false;

QString displayFailure()
{
    QStringList tried;
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(variable))
            tried << QStringLiteral("%1=%2").arg(QLatin1String(variable),
                                                 qEnvironmentVariable(variable));
    const QString name = QLatin1String(Identity::name);
    if (tried.isEmpty())
        return QStringLiteral("%1 needs a graphical desktop, but no display is set "
                              "(DISPLAY and WAYLAND_DISPLAY are empty).")
                .arg(name);
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qtPluginInstalled(QStringLiteral("platforms"), QStringLiteral("libqwayland*.so")))
        return QStringLiteral("%1 needs a graphical desktop: this one is Wayland (%2), but Qt's "
                              "Wayland support is not installed (the package qt6-wayland brings "
                              "it), and no X display answered.")
                .arg(name, tried.join(QLatin1String(", ")));
    return QStringLiteral("%1 needs a graphical desktop, but could not open its display (%2).")
            .arg(name, tried.join(QLatin1String(", ")));
}

void releaseHeldMessages()
{
    for (const HeldMessage &held : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        previousHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // Where no platform can reach a display, the toolkit's start ends in a
    // fatal message, in whatever words, and an abort before any platform is
    // up; say what is wrong in one line and leave quietly instead.
    if (type == QtFatalMsg && startingToolkit && QGuiApplication::platformName().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(displayFailure()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (type == QtFatalMsg) {
        releaseHeldMessages();
        previousHandler(type, context, text);
        return;
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

// Names the application to Qt and the platform.
void identifyApplication()
{
    QApplication::setApplicationName(QLatin1String(Identity::name));
    QApplication::setApplicationVersion(QLatin1String(Identity::version));
    QApplication::setOrganizationName(QLatin1String(Identity::company));
    // Lets Wayland and the task bar match windows to the desktop entry and its icon.
    QApplication::setDesktopFileName(QLatin1String(Identity::appId));
}

void keepSessionBusFromAutolaunching()
{
    // libdbus looks for the address, then for the bus in the runtime folder;
    // only where both are missing does it autolaunch.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // Qt 6.8 then warns, at every start, that it cannot follow the desktop's
    // settings over the bus Corvane has just turned off.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.theme.dbus.warning=false"));
}

// Corvane writes nothing, but the libraries a platform theme brings may:
// KDE's make the user's settings folder where there is none, and Mesa keeps
// the shaders a theme's Qt Quick compiled. Mesa is told to keep none, and a
// user's folder that does not exist is pointed where none can be made: there
// is nothing in it to read.
void keepLibrariesFromWriting()
{
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    const struct
    {
        const char *variable;
        const char *fallback; // below the home folder
    } folders[] = {{"XDG_CONFIG_HOME", "/.config"},
                   {"XDG_CACHE_HOME", "/.cache"},
                   {"XDG_DATA_HOME", "/.local/share"},
                   {"XDG_STATE_HOME", "/.local/state"}};
    for (const auto &folder : folders) {
        QString path = qEnvironmentVariable(folder.variable);
        if (path.isEmpty())
            path = QDir::homePath() + QLatin1String(folder.fallback);
        if (!QFileInfo::exists(path))
            qputenv(folder.variable, QByteArray("/dev/null/") + folder.variable);
    }
}

// Qt's own words in its dialogs and message boxes ("Open", "Cancel", "OK")
// follow the user's language where Qt ships a translation; Corvane's own texts
// are not translated. Without a translation, Qt stays in English. A
// right-to-left language would turn the whole layout round, but Corvane's
// windows are in English, laid out left to right, and Qt draws even a menu's
// words by the program's direction rather than the menu's: the program keeps
// left to right.
void speakTheUsersLanguage(QApplication *app)
{
    auto *translator = new QTranslator(app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
    QApplication::setLayoutDirection(Qt::LeftToRight);
}

} // namespace

std::unique_ptr<QApplication> startApplication(int &argc, char **argv)
{
    // Programs started later get the environment as it was given, before
    // Corvane or the toolkit changed it.
    keepEnvironmentForStartedPrograms();
    keepSessionBusFromAutolaunching();
    keepLibrariesFromWriting();
    const bool ownLook = leaveDesktopThemeOut();
    previousHandler = qInstallMessageHandler(holdMessage);
    startingToolkit = true;
    auto app = std::make_unique<QApplication>(argc, argv);
    startingToolkit = false;
    qInstallMessageHandler(previousHandler);
    releaseHeldMessages();
    if (ownLook)
        takeLook(desktopLook());
    identifyApplication();
    speakTheUsersLanguage(app.get());
    return app;
}

void endProgramNow()
{
    endProgramNow(0);
}

void endProgramNow(int status)
{
    // Skipping destructors is deliberate: Qt's file dialog saves its history to
    // the user's settings when destroyed, and Corvane keeps nothing between runs.
    std::fflush(nullptr);
    std::_Exit(status);
}

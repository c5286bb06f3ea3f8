#include "desktoplook.h"

#include "gtklook.h"
#include "plasmalook.h"
#include "qtplugins.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

// The desktops whose own theme Qt would load.
enum class Desktop { Other, Gtk, Plasma };

Desktop currentDesktop()
{
    const QByteArray desktops = qgetenv("XDG_CURRENT_DESKTOP").toUpper();
    for (const QByteArray &desktop : desktops.split(':')) {
        if (desktop == "GNOME" || desktop == "X-CINNAMON" || desktop == "UNITY" || desktop == "MATE"
            || desktop == "XFCE" || desktop == "LXDE")
            return Desktop::Gtk;
        if (desktop == "KDE")
            return Desktop::Plasma;
    }
    return Desktop::Other;
}

// The desktop whose look Corvane takes itself, once decided.
Desktop lookFrom = Desktop::Other;

} // namespace

bool leaveDesktopThemeOut()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"))
        return false;
    const Desktop desktop = currentDesktop();
    const bool themeInstalled = desktop == Desktop::Gtk
            ? qtPluginInstalled(QStringLiteral("platformthemes"), QStringLiteral("libqgtk3*.so"))
            : desktop == Desktop::Plasma
            && qtPluginInstalled(QStringLiteral("platformthemes"),
                                 QStringLiteral("KDEPlasmaPlatformTheme*.so"));
    if (!themeInstalled)
        return false;
    // Qt tries every theme plugin its desktop would use before its own
    // themes; told to ignore the desktop, it keeps its own.
    QGuiApplication::setDesktopSettingsAware(false);
    lookFrom = desktop;
    return true;
}

DesktopLook desktopLook()
{
    switch (lookFrom) {
    case Desktop::Gtk:
        return gtkLook();
    case Desktop::Plasma:
        return plasmaLook();
    case Desktop::Other:
        break;
    }
    return {};
}

void takeLook(const DesktopLook &look)
{
    if (look.font)
        QApplication::setFont(*look.font);
    if (look.palette)
        QApplication::setPalette(*look.palette);
}

#include "desktoplook.h"

#include "qtplugins.h"

#include <QApplication>
#include <QColor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <memory>

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

template<typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The settings the X settings daemon publishes (the XSETTINGS protocol), as
// the raw property; empty where no daemon runs.
QByteArray xSettingsProperty()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const QByteArray screen = dot > display.lastIndexOf(':') ? display.mid(dot + 1) : "0";
    const QByteArray selectionName = "_XSETTINGS_S" + screen;
    const char propertyName[] = "_XSETTINGS_SETTINGS";
    const auto selectionCookie
            = xcb_intern_atom(connection, true, selectionName.size(), selectionName.constData());
    const auto propertyCookie
            = xcb_intern_atom(connection, true, sizeof propertyName - 1, propertyName);
    const Owned<xcb_intern_atom_reply_t> selection(
            xcb_intern_atom_reply(connection, selectionCookie, nullptr), std::free);
    const Owned<xcb_intern_atom_reply_t> property(
            xcb_intern_atom_reply(connection, propertyCookie, nullptr), std::free);
    if (!selection || !property || !selection->atom || !property->atom)
        return {};
    const Owned<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(
                    connection, xcb_get_selection_owner(connection, selection->atom), nullptr),
            std::free);
    if (!owner || !owner->owner)
        return {};
    const Owned<xcb_get_property_reply_t> settings(
            xcb_get_property_reply(connection,
                                   xcb_get_property(connection, false, owner->owner, property->atom,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 0x10000),
                                   nullptr),
            std::free);
    if (!settings)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(settings.get())),
                      xcb_get_property_value_length(settings.get()));
}

// The string setting called name in an XSETTINGS property: a byte order, a
// serial and a count, then each setting's type, name, serial and value, every
// part padded to four bytes.
QString xSetting(const QByteArray &property, const char *name)
{
    const auto *data = reinterpret_cast<const unsigned char *>(property.constData());
    const std::size_t size = std::size_t(property.size());
    const bool bigEndian = size > 0 && data[0] == 1;
    auto card = [&](std::size_t at, int bytes) -> quint32 {
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= quint32(data[at + std::size_t(bigEndian ? bytes - 1 - i : i)]) << (8 * i);
        return value;
    };
    auto padded = [](std::size_t length) { return (length + 3) & ~std::size_t(3); };
    if (size < 12)
        return {};
    const quint32 count = card(8, 4);
    std::size_t at = 12;
    for (quint32 n = 0; n < count && at + 4 <= size; ++n) {
        const unsigned type = data[at];
        const std::size_t nameLength = card(at + 2, 2);
        const std::size_t nameAt = at + 4;
        at = nameAt + padded(nameLength) + 4; // the name, then its serial
        std::size_t valueLength = 0;
        switch (type) {
        case 0: // an integer
            valueLength = 4;
            break;
        case 1: // a string: its length, then its bytes
            if (at + 4 > size)
                return {};
            valueLength = 4 + padded(card(at, 4));
            break;
        case 2: // a colour
            valueLength = 8;
            break;
        default:
            return {};
        }
        if (at + valueLength > size)
            return {};
        if (type == 1 && nameLength == std::strlen(name)
            && std::memcmp(data + nameAt, name, nameLength) == 0)
            return QString::fromUtf8(reinterpret_cast<const char *>(data + at + 4),
                                     int(card(at, 4)));
        at += valueLength;
    }
    return {};
}

// A setting of the settings portal, where it runs: it is never started for
// Corvane's sake.
QVariant portalSetting(const QString &group, const QString &key)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {};
    QDBusMessage read = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    read << group << key;
    read.setAutoStartService(false);
    const QDBusMessage reply = bus.call(read, QDBus::Block, 500);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    // The value comes wrapped in a variant, and older portals wrap it twice.
    QVariant value = reply.arguments().constFirst();
    while (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

// A desktop's font name, "Family [Style] Size", as a font.
QFont fontNamed(const QString &name)
{
    QStringList words = name.simplified().remove(QLatin1Char(',')).split(QLatin1Char(' '));
    QFont font;
    bool sized = false;
    const double size = words.isEmpty() ? 0 : words.constLast().toDouble(&sized);
    if (sized && size > 0) {
        font.setPointSizeF(size);
        words.removeLast();
    }
    for (;;) {
        const QString style = words.isEmpty() ? QString() : words.constLast().toLower();
        if (style == QLatin1String("bold"))
            font.setBold(true);
        else if (style == QLatin1String("italic") || style == QLatin1String("oblique"))
            font.setItalic(true);
        else if (style != QLatin1String("regular"))
            break;
        words.removeLast();
    }
    if (!words.isEmpty())
        font.setFamilies({words.join(QLatin1Char(' '))});
    return font;
}

// The colours of GTK's own dark theme.
QPalette darkPalette()
{
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2d, 0x2d, 0x2d);
    const QColor text(0xee, 0xee, 0xec);
    const QColor muted(0x91, 0x91, 0x90);
    QPalette palette(text, window, window.lighter(130), window.darker(150), window.darker(120),
                     text, QColor(Qt::white), base, window);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Link, QColor(0x35, 0x84, 0xe4));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}

// Plasma's settings file, kdeglobals, as KConfig reads it: the system's,
// then the user's over it. Groups are "[Colors:Window]", values
// "key=value"; a key's options ("font[$e]") are left out.
using Settings = QHash<QString, QString>; // "group/key" -> value

void readKdeSettings(const QString &path, Settings &settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QString group;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        QString key = line.left(equals).trimmed();
        key.truncate(key.indexOf(QLatin1Char('[')) < 0 ? key.size() : key.indexOf(QLatin1Char('[')));
        settings.insert(group + QLatin1Char('/') + key, line.mid(equals + 1).trimmed());
    }
}

Settings kdeGlobals()
{
    QStringList folders = qEnvironmentVariable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"))
                                  .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::reverse(folders.begin(), folders.end());
    QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.config");
    folders << home;
    Settings settings;
    for (const QString &folder : std::as_const(folders))
        readKdeSettings(folder + QStringLiteral("/kdeglobals"), settings);
    return settings;
}

// A colour of Plasma's colour scheme, "r,g,b" as kdeglobals writes it; where
// the user's has none, Plasma's own scheme's, Breeze Light.
QColor schemeColour(const Settings &settings, const char *set, const char *role)
{
    static const QHash<QString, QColor> breezeLight = {
            {QStringLiteral("Window/BackgroundNormal"), QColor(239, 240, 241)},
            {QStringLiteral("Window/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("Window/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("Button/BackgroundNormal"), QColor(252, 252, 252)},
            {QStringLiteral("Button/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("Button/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("View/BackgroundNormal"), QColor(255, 255, 255)},
            {QStringLiteral("View/BackgroundAlternate"), QColor(247, 247, 247)},
            {QStringLiteral("View/ForegroundNormal"), QColor(35, 38, 41)},
            {QStringLiteral("View/ForegroundInactive"), QColor(112, 125, 138)},
            {QStringLiteral("View/ForegroundLink"), QColor(41, 128, 185)},
            {QStringLiteral("View/ForegroundVisited"), QColor(155, 89, 182)},
            {QStringLiteral("Selection/BackgroundNormal"), QColor(61, 174, 233)},
            {QStringLiteral("Selection/ForegroundNormal"), QColor(255, 255, 255)},
            {QStringLiteral("Tooltip/BackgroundNormal"), QColor(247, 247, 247)},
            {QStringLiteral("Tooltip/ForegroundNormal"), QColor(35, 38, 41)},
    };
    const QString name = QLatin1String(set) + QLatin1Char('/') + QLatin1String(role);
    const QStringList parts
            = settings.value(QStringLiteral("Colors:") + name).split(QLatin1Char(','));
    if (parts.size() >= 3) {
        bool ok[3];
        const QColor colour(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]));
        if (ok[0] && ok[1] && ok[2] && colour.isValid())
            return colour;
    }
    return breezeLight.value(name);
}

// Plasma's colour scheme as Qt's palette, set by set as Plasma's own theme
// maps it: windows, buttons, views (the fields), selection and tooltips.
QPalette plasmaPalette(const Settings &settings)
{
    auto colour = [&settings](const char *set, const char *role) {
        return schemeColour(settings, set, role);
    };
    const QColor button = colour("Button", "BackgroundNormal");
    QPalette palette(colour("Window", "ForegroundNormal"), button, button.lighter(125),
                     button.darker(130), button.darker(120), colour("View", "ForegroundNormal"),
                     colour("View", "ForegroundNormal"), colour("View", "BackgroundNormal"),
                     colour("Window", "BackgroundNormal"));
    palette.setColor(QPalette::ButtonText, colour("Button", "ForegroundNormal"));
    palette.setColor(QPalette::AlternateBase, colour("View", "BackgroundAlternate"));
    palette.setColor(QPalette::Highlight, colour("Selection", "BackgroundNormal"));
    palette.setColor(QPalette::HighlightedText, colour("Selection", "ForegroundNormal"));
    palette.setColor(QPalette::ToolTipBase, colour("Tooltip", "BackgroundNormal"));
    palette.setColor(QPalette::ToolTipText, colour("Tooltip", "ForegroundNormal"));
    palette.setColor(QPalette::Link, colour("View", "ForegroundLink"));
    palette.setColor(QPalette::LinkVisited, colour("View", "ForegroundVisited"));
    palette.setColor(QPalette::PlaceholderText, colour("View", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colour("Window", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, colour("Button", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::Text, colour("View", "ForegroundInactive"));
    palette.setColor(QPalette::Disabled, QPalette::Base, colour("Window", "BackgroundNormal"));
    return palette;
}

DesktopLook gtkLook()
{
    DesktopLook look;
    const QByteArray xSettings = xSettingsProperty();
    QString font = xSetting(xSettings, "Gtk/FontName");
    // GTK's dark themes carry the word in their names ("Adwaita-dark").
    const QString theme = xSetting(xSettings, "Net/ThemeName");
    bool dark = theme.endsWith(QLatin1String("-dark"), Qt::CaseInsensitive)
            || theme.endsWith(QLatin1String(":dark"), Qt::CaseInsensitive);
    if (xSettings.isEmpty()) {
        font = portalSetting(QStringLiteral("org.gnome.desktop.interface"),
                             QStringLiteral("font-name"))
                       .toString();
        // 1: the user prefers dark colours.
        dark = portalSetting(QStringLiteral("org.freedesktop.appearance"),
                             QStringLiteral("color-scheme"))
                       .toUInt()
                == 1;
    }
    if (!font.isEmpty())
        look.font = fontNamed(font);
    if (dark)
        look.palette = darkPalette();
    return look;
}

DesktopLook plasmaLook()
{
    const Settings settings = kdeGlobals();
    DesktopLook look;
    // "Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1", as Qt 6 writes a font
    // (Plasma 5 wrote Qt 5's shorter form, which Qt reads too); Plasma's own
    // where the user chose none.
    QFont font;
    if (font.fromString(settings.value(QStringLiteral("General/font"),
                                       QStringLiteral("Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1")))) {
        // Drawn with the hinting Plasma draws its letters with, slight where
        // the user chose none.
        const QString hinting = settings.value(QStringLiteral("General/XftHintStyle"),
                                               QStringLiteral("hintslight"));
        font.setHintingPreference(hinting == QLatin1String("hintnone") ? QFont::PreferNoHinting
                                          : hinting == QLatin1String("hintslight")
                                          ? QFont::PreferVerticalHinting
                                          : QFont::PreferFullHinting);
        look.font = font;
    }
    look.palette = plasmaPalette(settings);
    return look;
}

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

#include "gtklook.h"

#include <QApplication>
#include <QColor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace {

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

} // namespace

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

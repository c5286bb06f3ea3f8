#include "activationtoken.h"

#include "identity.h"

#include <QCoreApplication>
#include <QInputEvent>
#include <QGuiApplication>
#include <QSysInfo>
#include <QWidget>
#include <QWindow>

#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>
#include <xdg-activation-v1-client-protocol.h>

#include <cctype>
#include <cstring>

namespace {

// Unique on the display: the launcher, its process, a count and the host.
QByteArray startupId(unsigned long inputTime)
{
    static int started = 0;
    QByteArray host = QSysInfo::machineHostName().toUtf8();
    for (char &c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-')
            c = '-';
    return QByteArray(Identity::name) + '-' + QByteArray::number(QCoreApplication::applicationPid())
            + '-' + QByteArray::number(++started) + '-' + host + "_TIME"
            + QByteArray::number(qulonglong(inputTime));
}

// Corvane's own binding of the compositor's activation global, on a queue of
// its own so that Qt's events stay where they are: made once, at the first
// start, and kept, since a registry cannot be let go of before the
// connection ends.
struct ActivationGlobal
{
    wl_event_queue *queue = nullptr;
    xdg_activation_v1 *activation = nullptr;
};

const ActivationGlobal &activationGlobal(wl_display *display)
{
    static const ActivationGlobal bound = [display] {
        ActivationGlobal global;
        global.queue = wl_display_create_queue(display);
        auto *ours = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(ours), global.queue);
        wl_registry *registry = wl_display_get_registry(ours);
        wl_proxy_wrapper_destroy(ours);
        static const wl_registry_listener listener
                = {[](void *data, wl_registry *registry, uint32_t name, const char *interface,
                      uint32_t) {
                       auto *activation = static_cast<xdg_activation_v1 **>(data);
                       if (!*activation
                           && std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
                           *activation = static_cast<xdg_activation_v1 *>(wl_registry_bind(
                                   registry, name, &xdg_activation_v1_interface, 1));
                   },
                   [](void *, wl_registry *, uint32_t) {}};
        wl_registry_add_listener(registry, &listener, &global.activation);
        wl_display_roundtrip_queue(display, global.queue);
        return global;
    }();
    return bound;
}

// Asks the compositor for a token for the window's surface and the input's
// serial on the seat; waits for the answer, which comes at once. Each token
// object is destroyed once it has answered.
QByteArray waylandToken(QWidget *window, std::uint32_t serial)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    auto *seat = static_cast<wl_seat *>(native->nativeResourceForIntegration("wl_seat"));
    QWindow *handle = window->window()->windowHandle();
    auto *surface = handle
            ? static_cast<wl_surface *>(native->nativeResourceForWindow("surface", handle))
            : nullptr;
    if (!display || !seat || !surface || !serial)
        return {};
    const ActivationGlobal &global = activationGlobal(display);
    if (!global.activation)
        return {};

    QByteArray token;
    xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(global.activation);
    static const xdg_activation_token_v1_listener tokenListener
            = {[](void *data, xdg_activation_token_v1 *, const char *given) {
                  *static_cast<QByteArray *>(data) = given;
              }};
    xdg_activation_token_v1_add_listener(request, &tokenListener, &token);
    xdg_activation_token_v1_set_serial(request, serial, seat);
    xdg_activation_token_v1_set_surface(request, surface);
    xdg_activation_token_v1_commit(request);
    for (int round = 0; token.isEmpty() && round < 3; ++round)
        if (wl_display_roundtrip_queue(display, global.queue) < 0)
            break;
    xdg_activation_token_v1_destroy(request);
    return token;
}

} // namespace

Input inputOf(const QInputEvent *event)
{
    Input input;
    input.time = event->timestamp();
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        input.serial = std::uint32_t(
                quintptr(QGuiApplication::platformNativeInterface()->nativeResourceForIntegration(
                        "serial")));
    return input;
}

Activation activationFor(QWidget *window, const Input &input)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") && input.time != 0)
        return {"DESKTOP_STARTUP_ID", startupId(input.time)};
    if (platform.startsWith(QLatin1String("wayland"))) {
        const QByteArray token = waylandToken(window, input.serial);
        if (!token.isEmpty())
            return {"XDG_ACTIVATION_TOKEN", token};
    }
    return {};
}

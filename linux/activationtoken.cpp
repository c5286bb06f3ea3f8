#include "activationtoken.h"

#include "identity.h"

#include <QCoreApplication>
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

// Asks the compositor for a token on a queue of its own, so that Qt's own
// events stay where they are; waits for the answer, which comes at once.
QByteArray waylandToken(QWidget *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    auto *seat = static_cast<wl_seat *>(native->nativeResourceForIntegration("wl_seat"));
    const auto serial = uint32_t(quintptr(native->nativeResourceForIntegration("serial")));
    QWindow *handle = window->window()->windowHandle();
    auto *surface = handle
            ? static_cast<wl_surface *>(native->nativeResourceForWindow("surface", handle))
            : nullptr;
    if (!display)
        return {};

    wl_event_queue *queue = wl_display_create_queue(display);
    auto *ours = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(ours), queue);
    wl_registry *registry = wl_display_get_registry(ours);
    xdg_activation_v1 *activation = nullptr;
    static const wl_registry_listener registryListener = {
            [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
                if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
                    *static_cast<xdg_activation_v1 **>(data) = static_cast<xdg_activation_v1 *>(
                            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
            },
            [](void *, wl_registry *, uint32_t) {}};
    wl_registry_add_listener(registry, &registryListener, &activation);
    wl_display_roundtrip_queue(display, queue);

    QByteArray token;
    if (activation) {
        xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(activation);
        static const xdg_activation_token_v1_listener tokenListener
                = {[](void *data, xdg_activation_token_v1 *, const char *given) {
                      *static_cast<QByteArray *>(data) = given;
                  }};
        xdg_activation_token_v1_add_listener(request, &tokenListener, &token);
        if (seat && serial)
            xdg_activation_token_v1_set_serial(request, serial, seat);
        if (surface)
            xdg_activation_token_v1_set_surface(request, surface);
        xdg_activation_token_v1_commit(request);
        for (int round = 0; token.isEmpty() && round < 3; ++round)
            if (wl_display_roundtrip_queue(display, queue) < 0)
                break;
        xdg_activation_token_v1_destroy(request);
        xdg_activation_v1_destroy(activation);
    }
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(ours);
    wl_event_queue_destroy(queue);
    return token;
}

} // namespace

Activation activationFor(QWidget *window, unsigned long inputTime)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") && inputTime != 0)
        return {"DESKTOP_STARTUP_ID", startupId(inputTime)};
    if (platform.startsWith(QLatin1String("wayland"))) {
        const QByteArray token = waylandToken(window);
        if (!token.isEmpty())
            return {"XDG_ACTIVATION_TOKEN", token};
    }
    return {};
}

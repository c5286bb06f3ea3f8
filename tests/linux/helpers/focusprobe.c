/*
 * Stands in for the emulator where a test must know whether it got the
 * focus: shows a window the way a program started from a launcher does,
 * passing on what it was given to be let take the focus (XDG_ACTIVATION_TOKEN
 * on Wayland, DESKTOP_STARTUP_ID on X11), and writes "active" or "not active"
 * to $FOCUSPROBE_DIR/<pid>.focus once its window is the active one, or after
 * five seconds without. Then it stays until killed, as an emulator would.
 */
#define _GNU_SOURCE

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <wayland-client.h>

#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

enum { width = 160, height = 100, waitMs = 5000 };

static long long nowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

static void report(int active)
{
    const char *dir = getenv("FOCUSPROBE_DIR");
    char path[4096];
    snprintf(path, sizeof path, "%s/%ld.focus", dir ? dir : ".", (long)getpid());
    FILE *out = fopen(path, "w");
    if (out) {
        fputs(active ? "active\n" : "not active\n", out);
        fclose(out);
    }
}

/* Wayland: an xdg toplevel with a plain buffer, activated with the token. */
struct wayland {
    struct wl_compositor *compositor;
    struct wl_shm *shm;
    struct xdg_wm_base *shell;
    struct xdg_activation_v1 *activation;
    int configured;
    int active;
};

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    struct wayland *w = data;
    (void)version;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        w->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        w->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
        w->shell = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
    else if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        w->activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
}

static void globalRemoved(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static void ping(void *data, struct xdg_wm_base *shell, uint32_t serial)
{
    (void)data;
    xdg_wm_base_pong(shell, serial);
}

static void surfaceConfigure(void *data, struct xdg_surface *surface, uint32_t serial)
{
    struct wayland *w = data;
    xdg_surface_ack_configure(surface, serial);
    w->configured = 1;
}

static void toplevelConfigure(void *data, struct xdg_toplevel *toplevel, int32_t w_, int32_t h_,
                              struct wl_array *states)
{
    struct wayland *w = data;
    const uint32_t *state;
    (void)toplevel, (void)w_, (void)h_;
    w->active = 0;
    wl_array_for_each(state, states) if (*state == XDG_TOPLEVEL_STATE_ACTIVATED) w->active = 1;
}

static void toplevelClose(void *data, struct xdg_toplevel *toplevel)
{
    (void)data, (void)toplevel;
}

/* Newer events, never sent at the version bound. */
static void toplevelBounds(void *data, struct xdg_toplevel *toplevel, int32_t w_, int32_t h_)
{
    (void)data, (void)toplevel, (void)w_, (void)h_;
}

static void toplevelCapabilities(void *data, struct xdg_toplevel *toplevel,
                                 struct wl_array *capabilities)
{
    (void)data, (void)toplevel, (void)capabilities;
}

static struct wl_buffer *plainBuffer(struct wl_shm *shm)
{
    const int stride = width * 4, size = stride * height;
    const int fd = memfd_create("focusprobe", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return NULL;
    unsigned char *pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED)
        return NULL;
    memset(pixels, 0xc0, size);
    struct wl_shm_pool *pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer *buffer
            = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

static int probeWayland(struct wl_display *display)
{
    struct wayland w = {0};
    static const struct wl_registry_listener registryListener = {global, globalRemoved};
    static const struct xdg_wm_base_listener shellListener = {ping};
    static const struct xdg_surface_listener surfaceListener = {surfaceConfigure};
    static const struct xdg_toplevel_listener toplevelListener
            = {toplevelConfigure, toplevelClose, toplevelBounds, toplevelCapabilities};
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &w);
    wl_display_roundtrip(display);
    if (!w.compositor || !w.shm || !w.shell)
        return 3;
    xdg_wm_base_add_listener(w.shell, &shellListener, NULL);
    struct wl_surface *surface = wl_compositor_create_surface(w.compositor);
    struct xdg_surface *xdgSurface = xdg_wm_base_get_xdg_surface(w.shell, surface);
    xdg_surface_add_listener(xdgSurface, &surfaceListener, &w);
    struct xdg_toplevel *toplevel = xdg_surface_get_toplevel(xdgSurface);
    xdg_toplevel_add_listener(toplevel, &toplevelListener, &w);
    xdg_toplevel_set_title(toplevel, "Ruxa stand-in");
    xdg_toplevel_set_app_id(toplevel, "ruxa.standin");
    wl_surface_commit(surface);
    while (!w.configured && wl_display_dispatch(display) >= 0) { }
    wl_surface_attach(surface, plainBuffer(w.shm), 0, 0);
    wl_surface_commit(surface);
    const char *token = getenv("XDG_ACTIVATION_TOKEN");
    if (token && *token && w.activation)
        xdg_activation_v1_activate(w.activation, token, surface);
    wl_display_flush(display);

    const long long deadline = nowMs() + waitMs;
    while (!w.active && nowMs() < deadline) {
        struct pollfd fd = {wl_display_get_fd(display), POLLIN, 0};
        wl_display_flush(display);
        if (poll(&fd, 1, 50) > 0 && wl_display_dispatch(display) < 0)
            break;
        wl_display_dispatch_pending(display);
    }
    report(w.active);
    while (wl_display_dispatch(display) >= 0) { }
    return 0;
}

/* X11: a window that names its startup id, as programs do. */
static int probeX11(Display *display)
{
    const Window root = DefaultRootWindow(display);
    const Window window
            = XCreateSimpleWindow(display, root, 0, 0, width, height, 0, 0, 0xc0c0c0);
    XStoreName(display, window, "Ruxa stand-in");
    const char *id = getenv("DESKTOP_STARTUP_ID");
    if (id && *id)
        XChangeProperty(display, window, XInternAtom(display, "_NET_STARTUP_ID", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                        (const unsigned char *)id, (int)strlen(id));
    /* Asks for the keyboard as toolkits' windows do; a window manager may
     * keep the focus from a window that does not. */
    XWMHints hints = { .flags = InputHint, .input = True };
    XSetWMHints(display, window, &hints);
    XSelectInput(display, window, FocusChangeMask);
    XSelectInput(display, root, PropertyChangeMask);
    XMapWindow(display, window);
    XFlush(display);

    const Atom activeAtom = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const long long deadline = nowMs() + waitMs;
    int active = 0;
    while (!active && nowMs() < deadline) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *value = NULL;
        if (XGetWindowProperty(display, root, activeAtom, 0, 1, False, XA_WINDOW, &type, &format,
                               &count, &after, &value)
                    == Success
            && value && count == 1 && *(Window *)value == window)
            active = 1;
        if (value)
            XFree(value);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        usleep(20000);
    }
    report(active);
    while (pause() == -1) { }
    return 0;
}

int main(void)
{
    /* Its own protocol stays out of the log of the launcher that started it. */
    unsetenv("WAYLAND_DEBUG");
    if (getenv("WAYLAND_DISPLAY")) {
        struct wl_display *display = wl_display_connect(NULL);
        if (display)
            return probeWayland(display);
    }
    Display *display = XOpenDisplay(NULL);
    return display ? probeX11(display) : 2;
}

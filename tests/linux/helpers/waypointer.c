/*
 * A mouse for a wlroots compositor with no input devices (sway, headless):
 * a virtual pointer that lasts, as a real one does, so that clients have
 * taken it up before it moves. It reads commands from standard input:
 *   move X Y W H    put the pointer at X, Y of an output area W x H
 *   click           press and release the left button
 * and ends at the end of its input.
 */
#define _GNU_SOURCE

#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

enum { leftButton = 0x110, released = 0, pressed = 1 };

static struct zwlr_virtual_pointer_manager_v1 *manager;
static struct wl_seat *seat;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data, (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void globalRemoved(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static uint32_t nowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display)
        return 2;
    static const struct wl_registry_listener listener = {global, globalRemoved};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!manager)
        return 3;
    struct zwlr_virtual_pointer_v1 *pointer
            = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    puts("ready");
    fflush(stdout);

    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        unsigned x, y, width, height;
        if (sscanf(line, "move %u %u %u %u", &x, &y, &width, &height) == 4) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, nowMs(), x, y, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strncmp(line, "click", 5) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), leftButton, pressed);
            zwlr_virtual_pointer_v1_frame(pointer);
            wl_display_roundtrip(display);
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), leftButton, released);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
        wl_display_roundtrip(display);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    return 0;
}

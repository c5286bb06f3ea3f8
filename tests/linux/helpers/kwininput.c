/*
 * Keys and clicks for KWin on Wayland, through its fake input protocol, whose
 * keyboard and pointer reach the focused client as a user's do; the same
 * commands as mutterinput.py's. It says "ready", then reads lines from
 * standard input, answering each with "done":
 *   keys CODE...    press and release each evdev key code in turn;
 *                   +CODE holds a key down, -CODE lets it go
 *   type TEXT       type TEXT on a US keyboard
 *   move DX DY      move the pointer by DX, DY
 *   click           press and release the left button
 * and ends at the end of its input.
 */
#define _GNU_SOURCE

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { shiftCode = 42, leftButton = 0x110, released = 0, pressed = 1 };

static struct org_kde_kwin_fake_input *input;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void globalRemoved(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

/* The evdev code of a character on a US keyboard, and whether it needs Shift. */
static int codeOf(char c, int *shift)
{
    static const struct {
        const char *plain, *shifted;
        int first;
    } rows[] = {{"1234567890-=", "!@#$%^&*()_+", 2},
                {"qwertyuiop[]", "QWERTYUIOP{}", 16},
                {"asdfghjkl;'", "ASDFGHJKL:\"", 30},
                {"zxcvbnm,./", "ZXCVBNM<>?", 44}};
    if (c == ' ') {
        *shift = 0;
        return 57;
    }
    for (size_t row = 0; row < sizeof rows / sizeof *rows; ++row) {
        const char *at = strchr(rows[row].plain, c);
        *shift = at == NULL;
        if (!at)
            at = strchr(rows[row].shifted, c);
        if (at && c)
            return rows[row].first + (int)(at - (*shift ? rows[row].shifted : rows[row].plain));
    }
    return -1;
}

static void key(struct wl_display *display, int code, int state)
{
    org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)code, (uint32_t)state);
    wl_display_roundtrip(display);
}

static void press(struct wl_display *display, int code)
{
    key(display, code, pressed);
    key(display, code, released);
    usleep(20000);
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display)
        return 2;
    static const struct wl_registry_listener listener = {global, globalRemoved};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!input)
        return 3;
    org_kde_kwin_fake_input_authenticate(input, "Corvane's tests", "to press keys and buttons");
    wl_display_roundtrip(display);
    puts("ready");
    fflush(stdout);

    char line[4096];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = '\0';
        double x, y;
        if (strncmp(line, "keys ", 5) == 0) {
            for (char *word = strtok(line + 5, " "); word; word = strtok(NULL, " ")) {
                if (*word == '+' || *word == '-')
                    key(display, atoi(word + 1), *word == '+' ? pressed : released);
                else
                    press(display, atoi(word));
            }
        } else if (strncmp(line, "type ", 5) == 0) {
            for (const char *c = line + 5; *c; ++c) {
                int shift;
                const int code = codeOf(*c, &shift);
                if (code < 0)
                    continue;
                if (shift)
                    key(display, shiftCode, pressed);
                press(display, code);
                if (shift)
                    key(display, shiftCode, released);
            }
        } else if (sscanf(line, "move %lf %lf", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_double(x),
                                                   wl_fixed_from_double(y));
        } else if (strcmp(line, "click") == 0) {
            org_kde_kwin_fake_input_button(input, leftButton, pressed);
            wl_display_roundtrip(display);
            usleep(50000);
            org_kde_kwin_fake_input_button(input, leftButton, released);
        }
        wl_display_roundtrip(display);
        puts("done");
        fflush(stdout);
    }
    return 0;
}

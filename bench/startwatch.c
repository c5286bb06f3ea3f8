/*
 * Starts a program and watches it from outside, as an X client: prints the
 * microseconds from exec to its first top-level window being mapped and first
 * painted, then its resident set size one second later, in kB.
 *
 *   startwatch PROGRAM [ARGUMENT...]   ->   "<startup-us> <rss-kb>"
 *
 * It wants an X server of its own with no window manager (Xvfb), where the
 * program's top-level windows are children of the root window.
 */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long nowMicroseconds(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

static long residentKilobytes(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *status = fopen(path, "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmRSS: %ld kB", &kb) == 1)
            break;
    fclose(status);
    return kb;
}

/* Other clients make windows too (dbus-launch makes an input-only one, which
 * DAMAGE cannot watch); an error about one of them is no reason to stop. */
static int ignoreError(Display *display, XErrorEvent *error)
{
    (void)display;
    (void)error;
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc < 2) {
        fprintf(stderr, "usage: startwatch PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "startwatch: no X display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "startwatch: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const long long start = nowMicroseconds();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    /* Watch every new top-level window for drawing from its creation on, so
     * that no paint can slip in between its mapping and the watch. The first
     * window that is both mapped and drawn counts: some toolkits (and Wine)
     * map helper windows that are never drawn. */
    enum { maxWindows = 256 };
    Window windows[maxWindows];
    int isMapped[maxWindows], isDrawn[maxWindows], count = 0;
    long long paintedAt = 0;
    const long long deadline = start + 30 * 1000000LL;
    while (!paintedAt) {
        if (!XPending(display)) {
            struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
            /* A child that ends (Wine's loader, say) interrupts the poll. */
            if (nowMicroseconds() > deadline || (poll(&fd, 1, 100) < 0 && errno != EINTR)) {
                fprintf(stderr, "startwatch: no window was shown\n");
                kill(pid, SIGKILL);
                waitpid(pid, NULL, 0);
                return 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && count < maxWindows) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            windows[count] = event.xcreatewindow.window;
            isMapped[count] = isDrawn[count] = 0;
            ++count;
            continue;
        }
        Window which = None;
        if (event.type == MapNotify)
            which = event.xmap.window;
        else if (event.type == damageEvent + XDamageNotify)
            which = ((const XDamageNotifyEvent *)&event)->drawable;
        for (int i = 0; i < count; ++i) {
            if (windows[i] != which)
                continue;
            if (event.type == MapNotify)
                isMapped[i] = 1;
            else
                isDrawn[i] = 1;
            if (isMapped[i] && isDrawn[i])
                paintedAt = nowMicroseconds();
        }
    }

    sleep(1);
    const long rss = residentKilobytes(pid);
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
    XCloseDisplay(display);
    printf("%lld %ld\n", paintedAt - start, rss);
    return 0;
}

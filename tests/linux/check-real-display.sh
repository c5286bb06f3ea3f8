#!/bin/sh
# Runs the real program on a real X server with a clean home, as a user meets it:
#  - with no display at all, and with a display that refuses it: one line, status 1;
#  - on a bare X server with no session bus (libdbus could autolaunch one):
#    keyboard flow through both dialogs to Run and Quit, Qt's own options
#    ignored, the window class matching the desktop entry;
#  - under Openbox inside a private session bus: the same keyboard flow, every
#    other way the program ends (the close box with About open after both
#    dialogs, File > Exit, Exit On Start), and what a screen reader sees of
#    both windows through AT-SPI.
# Each run must end with status 0, write nothing to the home folder and leave
# nothing running.
#   check-real-display.sh CORVANE ARGRECORDER DESKTOP-FILE ATSPI-HELPER
# Exits 77 (skipped) where one of the tools it needs is missing. It runs itself
# again inside the private bus, as "--inside-bus ... WORK DISPLAY".
set -eu
inside=""
if [ "${1:-}" = "--inside-bus" ]; then
    inside=yes
    shift
fi
corvane=$1
recorder=$2
desktop_file=$3
atspi=$4
for tool in Xvfb xdotool xprop xwd wmctrl openbox dbus-run-session dbus-launch; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: no python3-pyatspi"; exit 77; }

. "$(dirname "$0")/../checklib.sh"
xvfb=""
wm=""
program=""
if [ -n "$inside" ]; then
    work=$5
    export DISPLAY=$6
else
    work=$(mktemp -d)
fi
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    stop_recorded_emulators
    [ -n "$inside" ] || rm -rf "$work"
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

exe="$work/files/My Emulators/ruxa"
rom="$work/files/Red Alarm (USA) \$(x).vb"

# The program as a desktop would start it, in a clean home, on the desktop
# $desktop names (its variables). Every process it leads to carries a mark,
# so that none can outlive the run unseen. It is given descriptor 7 open, as
# a careless terminal or launcher may leave one. Started in the background,
# it becomes that background process.
desktop=""
corvane() {
    use_fresh_home "$work"
    exec 7<"$desktop_file"
    # shellcheck disable=SC2086
    exec env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP \
        DESKTOP_STARTUP_ID=launcher_TIME0 CORVANE_CHECK_RUN="$work" \
        ARGRECORDER_DIR="$work/records" ARGRECORDER_LINGER=30 $desktop "$corvane" "$@"
}
# The X server's time: milliseconds of the monotonic clock, in 32 bits.
server_time() { awk '{ printf "%d", ($1 * 1000) % 4294967296 }' /proc/uptime; }

start() {
    corvane "$@" 2>"$work/said" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
}
quit() {
    xdotool windowfocus --sync "$launcher"
    xdotool key alt+q
    ended_by "Alt+Q"
}
# Focus starts on Run Ruxa; Tab leads to the executable's Select, then the
# ROM's; Enter presses a focused button as Space does.
choose_both() {
    xdotool windowfocus --sync "$launcher"
    xdotool key Tab space
    choose "Select Ruxa Executable" "$exe" Return
    xdotool key Tab space
    choose "Select Ruxa Rom Image" "$rom" Return
}
emulator_started() {
    the_one_record
    printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "the emulator got other arguments"
    # Not the launcher's spent startup id, but one of its own, whose time is
    # that of the key that ran it, so that a window manager lets it take the
    # focus.
    id=$(tr '\0' '\n' <"$work/records/$record.env" | sed -n 's/^DESKTOP_STARTUP_ID=//p')
    case $id in Corvane-*_TIME*) ;; *) fail "the emulator got no startup id of its own: \"$id\"" ;; esac
    [ "$(tr '\0' ' ' <"$work/records/$record.fds")" = "0 1 2 " ] \
        || fail "the emulator was handed descriptors: $(tr '\0' ' ' <"$work/records/$record.fds")"
    # The environment Corvane was given, not the one it set for itself.
    ! tr '\0' '\n' <"$work/records/$record.env" | grep -q '^DBUS_SESSION_BUS_ADDRESS=disabled:' \
        || fail "the emulator got the launcher's own session bus setting"
    time=${id##*_TIME}
    [ "$time" -ge "$pressed" ] && [ "$time" -le "$(server_time)" ] \
        || fail "the startup id's time $time is not the X server's time of the key ($pressed to $(server_time))"
}
emulator_outlived_launcher() {
    running "$record" || fail "the emulator ended with the launcher"
    kill "$record"
    rm -f "$work"/records/*
}
# GTK is in the program only where a theme asks for it.
keyboard_flow() {
    start
    case $desktop in *PLATFORMTHEME*) gtk=yes ;; *) gtk=no ;; esac
    if grep -q libgtk-3 "/proc/$program/maps"; then in_program=yes; else in_program=no; fi
    [ "$in_program" = "$gtk" ] || fail "${desktop:-no desktop}: GTK in the program: $in_program"
    choose_both
    pressed=$(server_time)
    xdotool key shift+Tab shift+Tab Return
    emulator_started
    quit
    # A plain run says nothing in the terminal it was started from.
    [ ! -s "$work/said" ] || fail "${desktop:-no desktop}: it said: $(cat "$work/said")"
    emulator_outlived_launcher
    # Inside the private bus the run itself bears the mark; it is checked after.
    [ -n "$inside" ] || wait_until "processes were left running: $(left_running)" nothing_left
}
# A menu of the program's is open: the keys that follow go to it.
menu_shown() {
    for shown in $(xdotool search --onlyvisible --pid "$program" 2>/dev/null); do
        xprop -id "$shown" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_\(POPUP\|DROPDOWN\)_MENU' && return
    done
    return 1
}
open_menu() { # access key
    xdotool windowfocus --sync "$launcher"
    xdotool key "$1"
    wait_until "$1 opened no menu" menu_shown
}
about_opens() {
    open_menu alt+h
    xdotool key Return
    about=$(window_named "About Corvane") \
        || fail "Help, About showed no window; shown: $(xdotool search --onlyvisible --name . getwindowname %@ 2>&1)"
}

# Openbox, inside a private session bus with accessibility on.
if [ -n "$inside" ]; then
    start_openbox "$work/wm"
    /usr/bin/python3 "$atspi" enable || fail "could not turn accessibility on"
    keyboard_flow

    # The close box, once both dialogs have been used and with About open:
    # the launcher unloads About, and the program ends having written nothing.
    start
    choose_both
    about_opens
    wmctrl -i -c "$launcher"
    ended_by "the close box"

    # File > Exit, after About was opened and hidden with OK.
    start
    about_opens
    xdotool windowfocus --sync "$about"
    xdotool key Return
    wait_until "OK did not hide About" window_gone "About Corvane"
    open_menu alt+f
    xdotool key x
    ended_by "File, Exit"

    # Exit On Start: from the ROM's Select, Tab leads over Quit and Preview to
    # the check box, then to Run.
    start
    choose_both
    pressed=$(server_time)
    xdotool key Tab Tab Tab space Tab Return
    emulator_started
    ended_by "Exit On Start"
    emulator_outlived_launcher

    # What a screen reader finds: the launcher with its menus, and About as it
    # opens, a dialog that says the picture's words.
    start
    /usr/bin/python3 "$atspi" dump Corvane >"$work/launcher.txt" || fail "AT-SPI does not see the launcher"
    /usr/bin/python3 "$atspi" events Corvane 20 >"$work/events.txt" &
    listener=$!
    wait_until "AT-SPI did not listen" grep -q '^listening$' "$work/events.txt"
    about_opens
    words="Corvane, version 1.00.0002. A simple front end for Ruxa. Corvane Labs."
    heard() { grep -qxF "window:activate|dialog|About Corvane|$words" "$work/events.txt"; }
    wait_until "a screen reader hears no About dialog open: $(cat "$work/events.txt")" heard
    kill "$listener"
    /usr/bin/python3 "$atspi" dump Corvane >"$work/about.txt" || fail "AT-SPI does not see the About window"
    quit
    kill "$wm"
    wm=""
    for seen in "frame|Corvane v1.0|" "push button|Run Ruxa|" "push button|Select|Ruxa Executable" \
        "push button|Select|Virtual Gameboy ROM" "check box|Exit On Start|" "popup menu|File|" \
        "popup menu|Help|"; do
        grep -qF "$seen" "$work/launcher.txt" || fail "AT-SPI lacks \"$seen\": $(cat "$work/launcher.txt")"
    done
    for seen in "dialog|About Corvane|$words" "|Corvane|$words" "push button|OK|"; do
        grep -qF "$seen" "$work/about.txt" || fail "AT-SPI lacks \"$seen\": $(cat "$work/about.txt")"
    done
    exit 0
fi

mkdir -p "$work/records" "$work/files/My Emulators"
cp "$recorder" "$exe"
: >"$rom"

# No display: one plain line and status 1, no abort.
no_display() { # expected-words environment...
    words=$1
    shift
    status=0
    (use_fresh_home "$work" && exec env "$@" "${program_copy:-$corvane}") 2>"$work/stderr" || status=$?
    [ "$status" = 1 ] || fail "without a display the status was $status"
    [ "$(wc -l <"$work/stderr")" = 1 ] || fail "without a display it said: $(cat "$work/stderr")"
    grep -q "needs a graphical desktop" "$work/stderr" || fail "unclear: $(cat "$work/stderr")"
    grep -qF "$words" "$work/stderr" || fail "does not name the display: $(cat "$work/stderr")"
    home_is_empty "$work"
}
no_display "DISPLAY and WAYLAND_DISPLAY are empty" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
no_display "DISPLAY=:7777" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:7777
# A Wayland desktop where Qt's Wayland support is missing: a copy of the
# program whose qt.conf shows it Qt's X11 plugin alone.
mkdir -p "$work/copy/plugins/platforms"
qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
ln -s "$qt_plugins/platforms/libqxcb.so" "$work/copy/plugins/platforms/"
printf '[Paths]\nPlugins = %s\n' "$work/copy/plugins" >"$work/copy/qt.conf"
cp "$corvane" "$work/copy/corvane"
program_copy="$work/copy/corvane"
no_display "qt6-wayland" -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-77 XDG_SESSION_TYPE=wayland
program_copy=""

start_xvfb

# Bare X server, no session bus, where libdbus would autolaunch one.
unset DBUS_SESSION_BUS_ADDRESS
keyboard_flow

# The desktops people run, with the platform themes they have.
for desktop in XDG_CURRENT_DESKTOP=GNOME XDG_CURRENT_DESKTOP=XFCE XDG_CURRENT_DESKTOP=MATE \
    XDG_CURRENT_DESKTOP=X-Cinnamon XDG_CURRENT_DESKTOP=KDE \
    "XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3" \
    "XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=xdgdesktopportal"; do
    keyboard_flow
done
desktop=""

start
class=$(xprop -id "$launcher" WM_CLASS | sed 's/.*", "\(.*\)"$/\1/')
grep -qx "StartupWMClass=$class" "$desktop_file" || fail "the window class \"$class\" is not the desktop entry's"
capture_painted "$launcher" "$work/plain.xwd"
quit

# Qt's own options are ignored; the style sheet is a FIFO that would block
# whoever opened it.
mkfifo "$work/style.qss"
start -qwindowtitle X -reverse -style windows -stylesheet "$work/style.qss" -platformtheme x
capture_painted "$launcher" "$work/options.xwd"
cmp -s "$work/plain.xwd" "$work/options.xwd" || fail "the options changed the window"
quit
wait_until "processes were left running: $(left_running)" nothing_left

CORVANE_CHECK_RUN="$work" on_own_bus \
    sh "$0" --inside-bus "$corvane" "$recorder" "$desktop_file" "$atspi" "$work" "$DISPLAY"
wait_until "processes were left running: $(left_running)" nothing_left
echo "real display: no display; bare X without a bus; Openbox in a private bus with every ending" \
    "and AT-SPI: status 0, nothing written, nothing left running"

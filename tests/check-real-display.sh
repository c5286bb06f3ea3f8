#!/bin/sh
# Runs the real program on a real X server with a clean home, as a user meets it:
#  - with no display at all, and with a display that refuses it: one line, status 1;
#  - on a bare X server with no session bus (libdbus could autolaunch one):
#    keyboard flow through both dialogs to Run and Quit, Qt's own options
#    ignored, the window class matching the desktop entry;
#  - under Openbox inside a private session bus: the same keyboard flow, and
#    what a screen reader sees of both windows through AT-SPI.
# Each run must write nothing to the home folder and leave nothing running.
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
for tool in Xvfb xdotool xprop xwd openbox dbus-run-session dbus-launch; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: no python3-pyatspi"; exit 77; }

. "$(dirname "$0")/checklib.sh"
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
    for record in "$work"/records/*; do
        [ -f "$record" ] && kill "$(basename "$record")" 2>/dev/null || true
    done
    [ -n "$inside" ] || rm -rf "$work"
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

exe="$work/files/My Emulators/ruxa"
rom="$work/files/Red Alarm (USA) \$(x).vb"

# The program as a desktop would start it: a clean home and a private runtime
# folder, so that nothing it writes can hide elsewhere.
# Every process it leads to carries a mark, so that none can outlive the run unseen.
corvane() {
    env -u QT_QPA_PLATFORM CORVANE_CHECK_RUN="$work" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
        XDG_STATE_HOME="$work/home/.local/state" XDG_RUNTIME_DIR="$work/runtime" \
        ARGRECORDER_DIR="$work/records" ARGRECORDER_LINGER=30 "$corvane" "$@"
}
home_is_empty() {
    [ -z "$(find "$work/home" -mindepth 1)" ] || fail "files were written: $(find "$work/home" -mindepth 1)"
}
left_running() {
    for environ in $(grep -lzxF "CORVANE_CHECK_RUN=$work" /proc/[0-9]*/environ 2>/dev/null); do
        { tr '\0' ' ' <"${environ%/environ}/cmdline"; } 2>/dev/null && echo
    done
}
nothing_left() { [ -z "$(left_running)" ]; }

dialog_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
recorded() { [ -n "$(ls "$work/records" | grep -v partial || true)" ]; }
start() {
    corvane "$@" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
}
quit() {
    xdotool windowfocus --sync "$launcher"
    xdotool key alt+q
    wait_until "Alt+Q did not end the program" program_ended
    wait "$program" || fail "the program ended with an error"
    program=""
}
# Type the path into the dialog as a user would, and nothing else: the next
# Tab and Space go to the launcher. The completion list comes and goes while
# the path is typed; on a busy machine it can take the first Return, or drop a
# key typed just as it closes. Where the dialog is still open after a while,
# the path is typed over once more, as a user would, and Return pressed again.
choose() { # caption path
    dialog=$(window_named "$1") || fail "no dialog \"$1\""
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 10 "$2"
    xdotool key Return
    tries=0
    while ! dialog_gone "$1" && [ "$tries" -lt 100 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    # Only to the dialog: should it close meanwhile, the keys would go to the
    # launcher, whose focused Select would open it again.
    if ! dialog_gone "$1" && xdotool windowfocus --sync "$dialog" 2>/dev/null; then
        xdotool key ctrl+a
        xdotool type --delay 20 "$2"
        xdotool key Return
    fi
    wait_until "the dialog \"$1\" stayed open" dialog_gone "$1"
}
keyboard_flow() {
    rm -f "$work"/records/*
    start
    # Focus starts on Run Ruxa; Tab leads to the executable's Select, then the
    # ROM's; Enter presses a focused button as Space does.
    xdotool windowfocus --sync "$launcher"
    xdotool key Tab space
    choose "Select Ruxa Executable" "$exe"
    xdotool key Tab space
    choose "Select Ruxa Rom Image" "$rom"
    xdotool key shift+Tab shift+Tab Return
    wait_until "the emulator was not started" recorded
    record=$(ls "$work/records" | grep -v partial)
    printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "the emulator got other arguments"
    quit
    kill -0 "$record" 2>/dev/null || fail "the emulator ended with the launcher"
    kill "$record"
    home_is_empty
    # Inside the private bus the run itself bears the mark; it is checked after.
    [ -n "$inside" ] || wait_until "processes were left running: $(left_running)" nothing_left
}

# Openbox, inside a private session bus with accessibility on.
if [ -n "$inside" ]; then
    mkdir -p "$work/wm"
    HOME="$work/wm" openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    wait_until "Openbox did not start" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
    /usr/bin/python3 "$atspi" enable || fail "could not turn accessibility on"
    keyboard_flow

    start
    /usr/bin/python3 "$atspi" dump Corvane >"$work/launcher.txt" || fail "AT-SPI does not see the launcher"
    xdotool windowfocus --sync "$launcher"
    xdotool key alt+h Return
    window_named "About Corvane" >/dev/null || fail "no About window"
    /usr/bin/python3 "$atspi" dump Corvane >"$work/about.txt" || fail "AT-SPI does not see the About window"
    quit
    kill "$wm"
    wm=""
    for seen in "frame|Corvane v1.0|" "push button|Run Ruxa|" "push button|Select|Ruxa Executable" \
        "push button|Select|Virtual Gameboy ROM" "check box|Exit On Start|"; do
        grep -qF "$seen" "$work/launcher.txt" || fail "AT-SPI lacks \"$seen\": $(cat "$work/launcher.txt")"
    done
    for seen in "frame|About Corvane|" "|Corvane|Corvane, version 1.00.0002. A simple front end for Ruxa. Corvane Labs." \
        "push button|OK|"; do
        grep -qF "$seen" "$work/about.txt" || fail "AT-SPI lacks \"$seen\": $(cat "$work/about.txt")"
    done
    home_is_empty
    exit 0
fi

mkdir -p "$work/home" "$work/runtime" "$work/records" "$work/files/My Emulators"
chmod 700 "$work/runtime"
cp "$recorder" "$exe"
: >"$rom"

# No display: one plain line and status 1, no abort.
no_display() { # expected-words environment...
    words=$1
    shift
    status=0
    env "$@" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$corvane" 2>"$work/stderr" || status=$?
    [ "$status" = 1 ] || fail "without a display the status was $status"
    [ "$(wc -l <"$work/stderr")" = 1 ] || fail "without a display it said: $(cat "$work/stderr")"
    grep -q "needs a graphical desktop" "$work/stderr" || fail "unclear: $(cat "$work/stderr")"
    grep -qF "$words" "$work/stderr" || fail "does not name the display: $(cat "$work/stderr")"
}
no_display "DISPLAY and WAYLAND_DISPLAY are empty" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
no_display "DISPLAY=:7777" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:7777
home_is_empty

start_xvfb

# Bare X server, no session bus, where libdbus would autolaunch one.
unset DBUS_SESSION_BUS_ADDRESS
keyboard_flow

start
class=$(xprop -id "$launcher" WM_CLASS | sed 's/.*", "\(.*\)"$/\1/')
grep -qx "StartupWMClass=$class" "$desktop_file" || fail "the window class \"$class\" is not the desktop entry's"
xwd -silent -id "$launcher" >"$work/plain.xwd"
quit

# Qt's own options are ignored; the style sheet is a FIFO that would block
# whoever opened it.
mkfifo "$work/style.qss"
start -qwindowtitle X -reverse -style windows -stylesheet "$work/style.qss" -platformtheme x
xwd -silent -id "$launcher" >"$work/options.xwd"
cmp -s "$work/plain.xwd" "$work/options.xwd" || fail "the options changed the window"
quit
home_is_empty
wait_until "processes were left running: $(left_running)" nothing_left

CORVANE_CHECK_RUN="$work" dbus-run-session -- \
    sh "$0" --inside-bus "$corvane" "$recorder" "$desktop_file" "$atspi" "$work" "$DISPLAY"
wait_until "processes were left running: $(left_running)" nothing_left
echo "real display: no display; bare X without a bus; Openbox in a private bus with AT-SPI: nothing written, nothing left running"

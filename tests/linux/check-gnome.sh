#!/bin/sh
# The real program on GNOME's compositor (mutter, headless, Wayland only),
# driven through mutter's own remote desktop interface, whose keyboard and
# pointer reach the focused client as a user's do: both dialogs chosen from
# the keyboard, Run pressed by a key and by a click, with and without Exit On
# Start. Each time the emulator, a stand-in that says whether its window got
# the focus, must get a token of its own and be the active window. The
# program must end with status 0, having written nothing.
#   check-gnome.sh CORVANE ARGRECORDER FOCUSPROBE MUTTER-INPUT-HELPER
# Exits 77 (skipped) where mutter, its D-Bus tools or Qt's Wayland support
# is missing.
set -eu
corvane=$1
recorder=$2
probe=$3
input=$4
. "$(dirname "$0")/../checklib.sh"
needs mutter dbus-run-session qtpaths6
/usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null || { echo "skipped: no python3-gi"; exit 77; }
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || { echo "skipped: no qt6-wayland"; exit 77; }
# mutter wants a session bus, and its remote desktop lives there.
if [ -z "${CORVANE_GNOME_BUS:-}" ]; then
    CORVANE_GNOME_BUS=1 exec dbus-run-session -- sh "$0" "$@"
fi

work=$(mktemp -d)
compositor=""
typist=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$typist" ] || kill "$typist" 2>/dev/null || true
    stop_recorded_emulators
    [ -z "$compositor" ] || kill "$compositor" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# mutter in a home and runtime folder of its own; it places new windows in
# the middle of its one monitor, so that a click can find Run.
width=1024
height=768
mkdir -p "$work/mutter/runtime" "$work/mutter/home/.config/glib-2.0/settings" "$work/records" \
    "$work/files"
chmod 700 "$work/mutter/runtime"
printf '[org/gnome/mutter]\ncenter-new-windows=true\n' \
    >"$work/mutter/home/.config/glib-2.0/settings/keyfile"
env HOME="$work/mutter/home" XDG_CONFIG_HOME="$work/mutter/home/.config" \
    XDG_RUNTIME_DIR="$work/mutter/runtime" GSETTINGS_BACKEND=keyfile \
    mutter --headless --wayland --no-x11 --virtual-monitor "${width}x$height" \
    >"$work/mutter.log" 2>&1 &
compositor=$!
wait_until "mutter did not start: $(cat "$work/mutter.log")" test -S "$work/mutter/runtime/wayland-0"
export WAYLAND_DISPLAY="$work/mutter/runtime/wayland-0"
unset DISPLAY

mkfifo "$work/input"
/usr/bin/python3 "$input" <"$work/input" >"$work/input.log" 2>&1 &
typist=$!
exec 4>"$work/input"
wait_until "no remote desktop session: $(cat "$work/input.log")" grep -q ready "$work/input.log"
# Evdev key codes.
tab=15
space=57
enter=28
shift=42
alt=56
q=16
say() { echo "$*" >&4; sleep 0.3; }
# The first key after the session starts may be lost: Shift is harmless.
say keys $shift

exe="$work/files/ruxa"
rom="$work/files/redalarm.vb"
cp "$recorder" "$exe"
: >"$rom"

start() {
    (
        use_fresh_home "$work"
        exec env -u QT_QPA_PLATFORM -u DISPLAY XDG_SESSION_TYPE=wayland \
            XDG_ACTIVATION_TOKEN=launcher-token QT_WAYLAND_DISABLE_WINDOWDECORATION=1 \
            WAYLAND_DEBUG=client CORVANE_CHECK_RUN="$work" ARGRECORDER_DIR="$work/records" \
            ARGRECORDER_EXEC="$probe" FOCUSPROBE_DIR="$work/records" "$corvane" 2>"$work/wayland.log"
    ) &
    program=$!
    wait_until "no launcher window" grep -q 'set_title("Corvane v1.0")' "$work/wayland.log"
    sleep 1
}
# Types the path into the dialog's name field and presses Return, as a user
# would; the dialog opens from the focused Select.
choose() { # path
    say keys $space
    sleep 0.5
    say type "$1"
    say keys $enter
    sleep 0.5
}
choose_both() {
    say keys $tab
    choose "$exe"
    say keys $tab
    choose "$rom"
}
# Clicks the launcher at x, y of its client area, which lies below the menu
# bar of a window that stands in the middle of the monitor.
click_at() { # x y
    geometry=$(grep -o 'set_window_geometry(0, 0, [0-9]*, [0-9]*)' "$work/wayland.log" | head -n 1)
    size=${geometry#*0, 0, }
    window_width=${size%%,*}
    window_height=${size#*, }
    window_height=${window_height%)}
    say move -5000 -5000
    say move $(((width - window_width) / 2 + $1)) $(((height - window_height) / 2 + window_height - 227 + $2))
    say click
}
click_run() { click_at 212 180; }
started() { # how Run was pressed
    the_one_record
    printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "$1: the emulator got other arguments"
    token=$(tr '\0' '\n' <"$work/records/$record.env" | sed -n 's/^XDG_ACTIVATION_TOKEN=//p')
    [ -n "$token" ] && [ "$token" != launcher-token ] || fail "$1: no token of its own: \"$token\""
    wait_until "$1: the stand-in never said" test -s "$work/records/$record.focus"
    [ "$(cat "$work/records/$record.focus")" = active ] \
        || fail "$1: the emulator's window did not become the active one"
    kill "$record"
    rm -f "$work"/records/*
}

start
choose_both
# From the ROM's Select, Shift+Tab twice leads back to Run.
say keys +$shift $tab $tab -$shift $enter
started "Run by a key"
# The emulator's window has the focus now; a click on Run brings it back.
click_run
started "Run by a click"
# A click on the greyed field brings the launcher back, and does nothing else.
click_at 300 30
say keys +$alt $q -$alt
ended_by "Alt+Q"

# Exit On Start: from the ROM's Select, Tab leads over Quit and Preview to it.
start
choose_both
say keys $tab $tab $tab $space $tab $enter
ended_by "Exit On Start, Run by a key"
started "Exit On Start, Run by a key"

start
choose_both
say keys $tab $tab $tab $space
click_run
ended_by "Exit On Start, Run by a click"
started "Exit On Start, Run by a click"
echo "GNOME (mutter): the emulator made the active window by a token of its own, for a key" \
    "and a click, with and without Exit On Start; nothing written"

#!/bin/sh
# The real program on a desktop's own Wayland compositor, headless: GNOME's
# (mutter), driven through its remote desktop interface, or KDE Plasma's
# (KWin), driven through its fake input protocol; either's keyboard and
# pointer reach the focused client as a user's do. Both dialogs chosen from
# the keyboard, Run pressed by a key and by a click, with and without Exit On
# Start. Each time the emulator, a stand-in that says whether its window got
# the focus, must get a token of its own and be the active window. The
# program must end with status 0, having written nothing.
#   check-focus-wayland.sh mutter|kwin CORVANE ARGRECORDER FOCUSPROBE INPUT-HELPER
# Exits 77 (skipped) where the compositor, its input's tools or Qt's Wayland
# support is missing.
set -eu
desktop=$1
corvane=$2
recorder=$3
probe=$4
input=$5
. "$(dirname "$0")/../checklib.sh"
needs dbus-run-session
case $desktop in
mutter)
    needs mutter
    /usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null || { echo "skipped: no python3-gi"; exit 77; }
    ;;
kwin) needs kwin_wayland ;;
*) fail "no such compositor: $desktop" ;;
esac
needs_qt_wayland
# Both want a session bus; mutter's remote desktop lives there.
[ -n "${CORVANE_OWN_BUS:-}" ] || again_on_own_bus "$0" "$@"

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

# The compositor in a home and runtime folder of its own, set to place new
# windows in the middle of its one screen, so that a click can find Run.
width=1024
height=768
home="$work/compositor"
mkdir -p "$home/runtime" "$home/.config" "$work/records" "$work/files"
chmod 700 "$home/runtime"
if [ "$desktop" = mutter ]; then
    mkdir -p "$home/.config/glib-2.0/settings"
    printf '[org/gnome/mutter]\ncenter-new-windows=true\n' >"$home/.config/glib-2.0/settings/keyfile"
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        GSETTINGS_BACKEND=keyfile \
        mutter --headless --wayland --no-x11 --virtual-monitor "${width}x$height" \
        >"$work/compositor.log" 2>&1 &
else
    # Without decorations, so that the window's corner is its content's. The
    # packaged program carries a file capability that a sandbox may refuse
    # to start; a plain copy runs anywhere. Its fake input is for programs it
    # trusts, this check's among them.
    printf '[Windows]\nPlacement=Centered\n[org.kde.kdecoration2]\nNoPlugin=true\n' \
        >"$home/.config/kwinrc"
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
        "$work/kwin_wayland" --virtual --no-lockscreen --no-global-shortcuts --socket wayland-0 \
        --width "$width" --height "$height" >"$work/compositor.log" 2>&1 &
fi
compositor=$!
wait_long_until "$desktop did not start: $(cat "$work/compositor.log")" test -S "$home/runtime/wayland-0"
export WAYLAND_DISPLAY="$home/runtime/wayland-0"
unset DISPLAY

mkfifo "$work/input"
case $input in
*.py) /usr/bin/python3 "$input" <"$work/input" >"$work/input.log" 2>&1 & ;;
*) "$input" <"$work/input" >"$work/input.log" 2>&1 & ;;
esac
typist=$!
exec 4>"$work/input"
wait_until "no input: $(cat "$work/input.log")" grep -q ready "$work/input.log"
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
echo "$desktop, Wayland: the emulator made the active window by a token of its own, for a key" \
    "and a click, with and without Exit On Start; nothing written"

#!/bin/sh
# The real program under a desktop's own X11 window manager with its
# focus-stealing prevention on, as a user would meet it: Xfce's (xfwm4) or
# KDE Plasma's (KWin). A new window takes the focus only where its startup
# id's time is no older than the user's last input. Both dialogs chosen from
# the keyboard, Run pressed by a key and by a click (XTEST input, as a user's),
# with and without Exit On Start: each time the emulator, a stand-in that says
# whether its window got the focus, must be the active window. First, a
# stand-in whose startup id is older than the input just typed into another
# must be kept from the focus where the window manager judges by it: the
# prevention is in force. The program must end with status 0, having written
# nothing.
#   check-focus-x11.sh xfwm4|kwin CORVANE ARGRECORDER FOCUSPROBE
# Exits 77 (skipped) where the window manager or the X tools are missing.
set -eu
desktop=$1
corvane=$2
recorder=$3
probe=$4
. "$(dirname "$0")/../checklib.sh"
case $desktop in
xfwm4) needs Xvfb xfwm4 xdotool dbus-run-session ;;
kwin) needs Xvfb kwin_x11 xdotool dbus-run-session ;;
*) fail "no such window manager: $desktop" ;;
esac
# Both read their settings through services on the session bus.
if [ -z "${CORVANE_WM_BUS:-}" ]; then
    CORVANE_WM_BUS=1 exec dbus-run-session -- sh "$0" "$@"
fi

work=$(mktemp -d)
xvfb=""
wm=""
program=""
probes=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$probes" ] || kill $probes 2>/dev/null || true
    stop_recorded_emulators
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb
# The window manager in a home of its own, its prevention on.
home="$work/wm"
mkdir -p "$home/.config" "$work/records" "$work/files"
if [ "$desktop" = xfwm4 ]; then
    current=XFCE
    settings="$home/.config/xfce4/xfconf/xfce-perchannel-xml"
    mkdir -p "$settings"
    cat >"$settings/xfwm4.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfwm4" version="1.0">
  <property name="general" type="empty">
    <property name="prevent_focus_stealing" type="bool" value="true"/>
  </property>
</channel>
EOF
    HOME="$home" XDG_CONFIG_HOME="$home/.config" xfwm4 --compositor=off >"$work/wm.log" 2>&1 &
else
    # KWin's prevention is on at its own level, Low, as it ships.
    current=KDE
    mkdir -m 700 "$home/runtime"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=xcb kwin_x11 --replace >"$work/wm.log" 2>&1 &
fi
wm=$!
wait_until "$desktop did not start: $(cat "$work/wm.log")" \
    sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

exe="$work/files/ruxa"
rom="$work/files/Red Alarm.vb"
cp "$recorder" "$exe"
: >"$rom"
server_time() { awk '{ printf "%d", ($1 * 1000) % 4294967296 }' /proc/uptime; }

start() {
    (
        use_fresh_home "$work"
        exec env -u QT_QPA_PLATFORM XDG_CURRENT_DESKTOP="$current" CORVANE_CHECK_RUN="$work" \
            ARGRECORDER_DIR="$work/records" ARGRECORDER_EXEC="$probe" \
            FOCUSPROBE_DIR="$work/records" "$corvane"
    ) &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
    xdotool windowactivate --sync "$launcher"
}
choose_both() {
    xdotool key Tab space
    choose "Select Ruxa Executable" "$exe" Return
    xdotool key Tab space
    choose "Select Ruxa Rom Image" "$rom" Return
}
# Clicks Run Ruxa, which lies in the client area below the menu bar.
click_run() {
    window_height=$(xwininfo -id "$launcher" | awk '/Height:/ { print $2 }')
    xdotool mousemove --window "$launcher" 212 $((window_height - 227 + 180)) click 1
}
started() { # how Run was pressed
    the_one_record
    printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "$1: the emulator got other arguments"
    wait_until "$1: the stand-in never said" test -s "$work/records/$record.focus"
    [ "$(cat "$work/records/$record.focus")" = active ] \
        || fail "$1: the emulator's window did not become the active one"
    kill "$record"
    rm -f "$work"/records/*
}

# A stand-in shown on its own, with the startup id given, if any.
show_probe() { # [startup-id]
    (
        use_fresh_home "$work"
        exec env CORVANE_CHECK_RUN="$work" FOCUSPROBE_DIR="$work/records" \
            ${1:+DESKTOP_STARTUP_ID=$1} "$probe"
    ) &
    shown=$!
    probes="$probes $shown"
    wait_until "the stand-in never said" test -s "$work/records/$shown.focus"
}
# The prevention is in force: a window whose startup id is older than the
# input just typed into another is kept from the focus. KWin, at the level it
# ships with (Low) and at Medium, judges a new window by its startup id only
# where the launcher announced it by the startup-notification protocol, and
# gives the focus to a window whose id nobody announced, stale or not: there
# the id is not what decides, and there is nothing to hold back.
if [ "$desktop" = xfwm4 ]; then
    show_probe
    xdotool windowfocus --sync "$(window_named "Ruxa stand-in")" key a
    show_probe "stale_TIME1"
    [ "$(cat "$work/records/$shown.focus")" = "not active" ] \
        || fail "$desktop let a stale startup id take the focus: the check would prove nothing"
    kill $probes
    probes=""
    rm -f "$work"/records/*
fi

start
choose_both
xdotool key shift+Tab shift+Tab Return
started "Run by a key"

xdotool windowactivate --sync "$launcher"
click_run
started "Run by a click"
xdotool windowactivate --sync "$launcher"
xdotool key alt+q
ended_by "Alt+Q"

start
choose_both
xdotool key Tab Tab Tab space Tab Return
ended_by "Exit On Start, Run by a key"
started "Exit On Start, Run by a key"

start
choose_both
xdotool key Tab Tab Tab space
click_run
ended_by "Exit On Start, Run by a click"
started "Exit On Start, Run by a click"
wait_until "processes were left running: $(left_running)" nothing_left
echo "$desktop with focus-stealing prevention: the emulator made the active window for a key and a" \
    "click, with and without Exit On Start; nothing written"

#!/bin/sh
# The real program under Xfce's window manager, xfwm4, with its
# focus-stealing prevention on, as a user would meet it on Xfce: a new window
# takes the focus only where its startup id's time is no older than the
# user's last input. Both dialogs chosen from the keyboard, Run pressed by a
# key and by a click, with and without Exit On Start: each time the emulator,
# a stand-in that says whether its window got the focus, must be the active
# window. First, a stand-in whose startup id is older than the input just
# typed into another must be kept from the focus: the prevention is in
# force. The program must end with status 0, having written nothing.
#   check-xfwm4.sh CORVANE ARGRECORDER FOCUSPROBE
# Exits 77 (skipped) where xfwm4 or the X tools are missing.
set -eu
corvane=$1
recorder=$2
probe=$3
. "$(dirname "$0")/../checklib.sh"
needs Xvfb xfwm4 xdotool dbus-run-session
# xfwm4 reads its settings through xfconf, on the session bus.
if [ -z "${CORVANE_XFWM4_BUS:-}" ]; then
    CORVANE_XFWM4_BUS=1 exec dbus-run-session -- sh "$0" "$@"
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
settings="$work/wm/.config/xfce4/xfconf/xfce-perchannel-xml"
mkdir -p "$settings" "$work/records" "$work/files"
cat >"$settings/xfwm4.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfwm4" version="1.0">
  <property name="general" type="empty">
    <property name="prevent_focus_stealing" type="bool" value="true"/>
  </property>
</channel>
EOF
HOME="$work/wm" XDG_CONFIG_HOME="$work/wm/.config" xfwm4 --compositor=off >"$work/xfwm4.log" 2>&1 &
wm=$!
wait_until "xfwm4 did not start" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

exe="$work/files/ruxa"
rom="$work/files/Red Alarm.vb"
cp "$recorder" "$exe"
: >"$rom"
server_time() { awk '{ printf "%d", ($1 * 1000) % 4294967296 }' /proc/uptime; }

start() {
    (
        use_fresh_home "$work"
        exec env -u QT_QPA_PLATFORM XDG_CURRENT_DESKTOP=XFCE CORVANE_CHECK_RUN="$work" \
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
# input just typed into another is kept from the focus.
show_probe
xdotool windowfocus --sync "$(window_named "Ruxa stand-in")" key a
show_probe "stale_TIME1"
[ "$(cat "$work/records/$shown.focus")" = "not active" ] \
    || fail "xfwm4 let a stale startup id take the focus: the check would prove nothing"
kill $probes
probes=""
rm -f "$work"/records/*

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
echo "xfwm4 with focus-stealing prevention: the emulator made the active window for a key and a" \
    "click, with and without Exit On Start; a stale startup id kept from the focus; nothing written"

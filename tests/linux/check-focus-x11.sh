#!/bin/sh
# The real program under a desktop's own X11 window manager with its
# focus-stealing prevention on, as a user would meet it: Xfce's (xfwm4) or
# KDE Plasma's (KWin). A new window takes the focus only where its startup
# id's time is no older than the user's last input. Both dialogs chosen from
# the keyboard, Run pressed by a key and by a click (XTEST input, as a user's),
# with and without Exit On Start: each time the emulator, a stand-in that says
# whether its window got the focus, must be the active window. The program
# must end with status 0, having written nothing.
#   check-focus-x11.sh xfwm4|kwin CORVANE ARGRECORDER FOCUSPROBE
# Exits 77 (skipped) where the window manager or the X tools are missing.
set -eu
desktop=$1
corvane=$2
recorder=$3
probe=$4
. "$(dirname "$0")/../checklib.sh"
case $desktop in
xfwm4) needs Xvfb xfwm4 xfconf-query xdotool dbus-run-session ;;
kwin) needs Xvfb kwin_x11 xdotool dbus-run-session ;;
*) fail "no such window manager: $desktop" ;;
esac
# Both read their settings through services on the session bus.
[ -n "${CORVANE_OWN_BUS:-}" ] || again_on_own_bus "$0" "$@"

work=$(mktemp -d)
xvfb=""
wm=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
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
    # xfwm4 takes its settings from xfconfd, which keeps them in the home of
    # this bus's services.
    settings="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
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
wait_long_until "$desktop did not start: $(cat "$work/wm.log")" \
    sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
# KWin names itself before it manages windows; once it says which is active,
# it does.
wait_long_until "$desktop did not take up the screen: $(cat "$work/wm.log")" \
    sh -c 'xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | grep -q "window id"'

exe="$work/files/ruxa"
rom="$work/files/Red Alarm.vb"
cp "$recorder" "$exe"
: >"$rom"

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

# The prevention is in force: xfwm4 took its setting from the home given it,
# through xfconfd on this bus. KWin reads its own.
if [ "$desktop" = xfwm4 ]; then
    [ "$(xfconf-query -c xfwm4 -p /general/prevent_focus_stealing)" = true ] \
        || fail "xfwm4 runs without its focus-stealing prevention: the check would prove nothing"
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

#!/bin/sh
# Runs the real program under Xvfb with a clean home and drives one whole flow
# from the keyboard: choose the emulator and a ROM in the two dialogs, Run,
# check the emulator got the ROM's path as its one argument, Quit, and check
# that nothing was written to the home folder.
#   check-real-display.sh CORVANE ARGRECORDER
# Exits 77 (skipped) where Xvfb or xdotool is missing.
set -eu
corvane=$1
recorder=$2
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    for record in "$work"/records/*; do
        [ -f "$record" ] && kill "$(basename "$record")" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/home" "$work/runtime" "$work/records" "$work/files/My Emulators"
chmod 700 "$work/runtime"
exe="$work/files/My Emulators/ruxa"
rom="$work/files/Red Alarm (USA) \$(x).vb"
cp "$recorder" "$exe"
: >"$rom"

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
read -r display <"$work/display"
export DISPLAY=":$display"

env -u QT_QPA_PLATFORM HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
    XDG_STATE_HOME="$work/home/.local/state" XDG_RUNTIME_DIR="$work/runtime" \
    ARGRECORDER_DIR="$work/records" ARGRECORDER_LINGER=30 "$corvane" &
program=$!

# There is no window manager, so focus follows the windows as one would give it.
window_named() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
wait_gone() {
    tries=0
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 200 ] || fail "the window \"$1\" stayed open"
        sleep 0.05
    done
}
choose() { # caption path
    dialog=$(window_named "$1") || fail "no dialog \"$1\""
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 2 "$2"
    xdotool key Return
    wait_gone "$1"
    # Without a window manager nothing takes the focus from the name field, so
    # its completion list can outlive the dialog; Escape closes it, if it is
    # there, and means nothing to the launcher.
    xdotool windowfocus --sync "$launcher"
    xdotool key Escape
}

launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
[ "$(xdotool getwindowname "$launcher")" = "Corvane v1.0" ] || fail "wrong caption"

# Focus starts on Run Ruxa; Tab leads to the executable's Select, then the ROM's.
xdotool windowfocus --sync "$launcher"
xdotool key Tab space
choose "Select Ruxa Executable" "$exe"
xdotool key Tab space
choose "Select Ruxa Rom Image" "$rom"
xdotool key shift+Tab shift+Tab space

tries=0
until [ -n "$(ls "$work/records" | grep -v partial || true)" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 200 ] || fail "the emulator was not started"
    sleep 0.05
done
record=$(ls "$work/records" | grep -v partial)
printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "the emulator got other arguments"

xdotool windowfocus --sync "$launcher"
xdotool key alt+q
tries=0
while kill -0 "$program" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -lt 200 ] || fail "Alt+Q did not end the program"
    sleep 0.05
done
wait "$program" || fail "the program ended with an error"
program=""
kill -0 "$record" 2>/dev/null || fail "the emulator ended with the launcher"

[ -z "$(find "$work/home" -mindepth 1)" ] || fail "files were written: $(find "$work/home" -mindepth 1)"
echo "real display: window, dialogs, run and quit by keyboard; nothing written"

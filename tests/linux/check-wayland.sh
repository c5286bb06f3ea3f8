#!/bin/sh
# The real program on a Wayland compositor (sway, headless), as a Wayland
# desktop's user meets it: a native Wayland window with the program's app id,
# driven from the keyboard (wtype) through both dialogs to Run, then Alt+Q.
# The emulator must get a fresh activation token from the compositor, neither
# the launcher's own nor a startup id; the program must end with status 0,
# having written nothing and left nothing running.
#   check-wayland.sh CORVANE ARGRECORDER
# Exits 77 (skipped) where sway, wtype or Qt's Wayland support is missing.
set -eu
corvane=$1
recorder=$2
for tool in sway swaymsg wtype setpriv qtpaths6; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || { echo "skipped: no qt6-wayland"; exit 77; }

. "$(dirname "$0")/../checklib.sh"
work=$(mktemp -d)
compositor=""
keyboard=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$keyboard" ] || kill "$keyboard" 2>/dev/null || true
    stop_recorded_emulators
    [ -z "$compositor" ] || kill "$compositor" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# sway will not run as root; it runs as nobody, in a runtime folder of its own.
mkdir -p "$work/sway" "$work/records" "$work/files"
chmod 711 "$work"
chown 65534:65534 "$work/sway"
chmod 700 "$work/sway"
setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$work/sway" \
    XDG_RUNTIME_DIR="$work/sway" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c /dev/null >"$work/sway.log" 2>&1 &
compositor=$!
socket() { ls "$work"/sway/wayland-[0-9] 2>/dev/null | head -n 1; }
wait_until "sway did not start: $(cat "$work/sway.log")" sh -c "[ -S \"\$(ls $work/sway/wayland-[0-9] 2>/dev/null | head -n 1)\" ]"
export WAYLAND_DISPLAY="$(socket)" SWAYSOCK="$(ls "$work"/sway/sway-ipc.*.sock)"
unset DISPLAY

exe="$work/files/ruxa"
rom="$work/files/Red Alarm (USA).vb"
cp "$recorder" "$exe"
: >"$rom"

tree_has() { swaymsg -t get_tree 2>/dev/null | grep -qF "$1"; }
# wtype makes a keyboard of its own for each call and removes it after. With
# no other keyboard the seat would lose and regain its keyboard each time,
# and the first keys would come before the program had taken it up again: a
# keyboard that lasts, as a real one does, keeps the seat's.
wtype -s 600000 -k Shift_L &
keyboard=$!
keys() {
    sleep 0.2
    wtype -d 20 "$@"
}
# As on X11, the completion list can take a key; where the dialog stays open,
# the path is typed over once more.
choose() { # caption path
    wait_until "no dialog \"$1\"" tree_has "\"name\": \"$1\""
    keys "$2" -k Return
    gone() { ! tree_has "\"name\": \"$1\""; }
    tries=0
    while ! gone "$1" && [ "$tries" -lt 40 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    gone "$1" || keys -M ctrl a -m ctrl "$2" -k Return
    wait_until "the dialog \"$1\" stayed open" gone "$1"
}

# Started as a Wayland session starts programs, with a token of its own.
(
    use_fresh_home "$work"
    exec env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland XDG_ACTIVATION_TOKEN=launcher-token \
        CORVANE_CHECK_RUN="$work" ARGRECORDER_DIR="$work/records" ARGRECORDER_LINGER=30 "$corvane"
) &
program=$!
wait_until "no Wayland window with Corvane's app id" tree_has '"app_id": "org.corvane.Corvane"'
tree_has '"name": "Corvane v1.0"' || fail "the window is not captioned \"Corvane v1.0\""

# Focus starts on Run Ruxa; Tab leads to the executable's Select, then the ROM's.
keys -k Tab -k space
choose "Select Ruxa Executable" "$exe"
keys -k Tab -k space
choose "Select Ruxa Rom Image" "$rom"
keys -M shift -k Tab -k Tab -m shift -k Return
the_one_record
printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "the emulator got other arguments"
environment=$(tr '\0' '\n' <"$work/records/$record.env")
token=$(echo "$environment" | sed -n 's/^XDG_ACTIVATION_TOKEN=//p')
[ -n "$token" ] && [ "$token" != launcher-token ] \
    || fail "the emulator got no activation token of its own: \"$token\""
! echo "$environment" | grep -q '^DESKTOP_STARTUP_ID=' || fail "the emulator got a startup id"

keys -M alt -k q -m alt
ended_by "Alt+Q"
running "$record" || fail "the emulator ended with the launcher"
kill "$record"
wait_until "processes were left running: $(left_running)" nothing_left
echo "Wayland: app id, keyboard flow through both dialogs, a fresh activation token, Alt+Q: nothing written, nothing left running"

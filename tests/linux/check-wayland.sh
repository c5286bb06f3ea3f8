#!/bin/sh
# The real program on a Wayland compositor (sway, headless), as a Wayland
# desktop's user meets it: a native Wayland window with the program's app id,
# driven from the keyboard (wtype) through both dialogs to Run, then Alt+Q.
# The emulator, a stand-in that says whether its window got the focus, must
# be made the active window by the token Corvane got from the compositor
# (sway set to focus a window only when a valid token asks, and never a new
# one of its own accord) for Run pressed by the keyboard and by a click, with
# and without Exit On Start; pressed by a screen reader, without input, it
# gets no token and still starts. Each Run leaves no protocol object behind.
# The program must end with status 0, having written nothing and left
# nothing running.
#   check-wayland.sh CORVANE ARGRECORDER FOCUSPROBE WAYPOINTER ATSPI-HELPER
# Exits 77 (skipped) where sway, wtype or Qt's Wayland support is missing.
set -eu
corvane=$1
recorder=$2
probe=$3
waypointer=$4
atspi=$5
. "$(dirname "$0")/../checklib.sh"
needs sway swaymsg wtype setpriv dbus-run-session
needs_qt_wayland
# A session bus of its own, for the screen reader's view.
[ -n "${CORVANE_OWN_BUS:-}" ] || again_on_own_bus "$0" "$@"

work=$(mktemp -d)
compositor=""
keyboard=""
mouse=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$keyboard" ] || kill "$keyboard" 2>/dev/null || true
    [ -z "$mouse" ] || kill "$mouse" 2>/dev/null || true
    stop_recorded_emulators
    [ -z "$compositor" ] || kill "$compositor" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# sway will not run as root; it runs as nobody, in a runtime folder of its
# own. It gives the focus to a stand-in's window only when a valid token
# asks for it.
mkdir -p "$work/sway" "$work/records" "$work/files"
chmod 711 "$work"
chown 65534:65534 "$work/sway"
chmod 700 "$work/sway"
printf 'no_focus [app_id="ruxa.standin"]\nfocus_on_window_activation focus\n' >"$work/sway.conf"
chmod 644 "$work/sway.conf"
setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$work/sway" \
    XDG_RUNTIME_DIR="$work/sway" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
compositor=$!
socket() { ls "$work"/sway/wayland-[0-9] 2>/dev/null | head -n 1; }
wait_until "sway did not start: $(cat "$work/sway.log")" sh -c "[ -S \"\$(ls $work/sway/wayland-[0-9] 2>/dev/null | head -n 1)\" ]"
export WAYLAND_DISPLAY="$(socket)" SWAYSOCK="$(ls "$work"/sway/sway-ipc.*.sock)"
unset DISPLAY
/usr/bin/python3 "$atspi" enable || fail "could not turn accessibility on"

exe="$work/files/ruxa"
rom="$work/files/Red Alarm (USA).vb"
cp "$recorder" "$exe"
: >"$rom"

tree() { swaymsg -t get_tree 2>/dev/null; }
tree_has() { tree | grep -qF "$1"; }
# wtype makes a keyboard of its own for each call and removes it after. With
# no other keyboard the seat would lose and regain its keyboard each time,
# and the first keys would come before the program had taken it up again: a
# keyboard that lasts, as a real one does, keeps the seat's.
wtype -s 6000000 -k Shift_L &
keyboard=$!
keys() {
    sleep 0.2
    wtype -d 20 "$@"
}
# A mouse that lasts too, told what to do through a pipe.
mkfifo "$work/mouse"
"$waypointer" <"$work/mouse" >"$work/mouse.log" &
mouse=$!
exec 4>"$work/mouse"
wait_until "no mouse" grep -q ready "$work/mouse.log"
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
# Clicks Run Ruxa with the seat's pointer: the launcher's content starts at
# its window's corner, the client area below the menu bar.
click_run() {
    place=$(tree | python3 -c '
import json, sys
def find(node):
    if node.get("name") == "Corvane v1.0":
        return node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        found = find(child)
        if found:
            return found
node = find(json.load(sys.stdin))
r, w = node["rect"], node["window_rect"]
menu = w["height"] - 227
print(r["x"] + w["x"] + 8 + 204, r["y"] + w["y"] + menu + 168 + 12)')
    output=$(swaymsg -t get_outputs | python3 -c '
import json, sys
r = json.load(sys.stdin)[0]["rect"]
print(r["width"], r["height"])')
    echo "move $place $output" >&4
    sleep 0.2
    echo click >&4
}
# Each run of the stand-in, one at a time: its arguments, its token, and
# whether the token made its window the active one.
started() { # how Run was pressed, token wanted (yes or no)
    the_one_record
    printf '%s\0' "$rom" | cmp -s - "$work/records/$record" || fail "$1: the emulator got other arguments"
    environment=$(tr '\0' '\n' <"$work/records/$record.env")
    token=$(echo "$environment" | sed -n 's/^XDG_ACTIVATION_TOKEN=//p')
    ! echo "$environment" | grep -q '^DESKTOP_STARTUP_ID=' || fail "$1: the emulator got a startup id"
    wait_until "$1: the stand-in never said" test -s "$work/records/$record.focus"
    if [ "$2" = yes ]; then
        [ -n "$token" ] && [ "$token" != launcher-token ] || fail "$1: no token of its own: \"$token\""
        [ "$(cat "$work/records/$record.focus")" = active ] \
            || fail "$1: the emulator's window did not become the active one"
    else
        [ -z "$token" ] || fail "$1: a token without input: \"$token\""
    fi
    kill "$record"
    rm -f "$work"/records/*
}
start() {
    (
        use_fresh_home "$work"
        exec env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland XDG_ACTIVATION_TOKEN=launcher-token \
            WAYLAND_DEBUG=client CORVANE_CHECK_RUN="$work" ARGRECORDER_DIR="$work/records" \
            ARGRECORDER_EXEC="$probe" FOCUSPROBE_DIR="$work/records" "$corvane" 2>"$work/wayland.log"
    ) &
    program=$!
    wait_until "no Wayland window with Corvane's app id" tree_has '"app_id": "org.corvane.Corvane"'
}
# Asks for the launcher's focus back, as a user's click on it would.
back_to_launcher() { swaymsg -q '[app_id="org.corvane.Corvane"] focus'; sleep 0.3; }
# Of the launcher's protocol requests: the registries it asked for, and the
# tokens Corvane asked for on its own binding of the activation global (Qt
# binds one too, the first), each let go of once it has answered. libwayland
# 1.23 names an object "wl_display#1" where 1.21 wrote "wl_display@1".
registries() { grep -cE "wl_display[@#]1\.get_registry" "$work/wayland.log" || true; }
tokens() {
    awk '{ gsub(/#/, "@") }
        /-> wl_registry@[0-9]*\.bind\([0-9]*, "xdg_activation_v1"/ {
            if (++binds == 2) { ours = $0; sub(/.*@/, "", ours); sub(/\).*/, "", ours) } }
        ours != "" && index($0, "-> xdg_activation_v1@" ours ".get_activation_token(") {
            id = $0; sub(/.*xdg_activation_token_v1@/, "", id); sub(/\).*/, "", id)
            asked++; open[id] = 1 }
        /-> xdg_activation_token_v1@[0-9]*\.destroy\(\)/ {
            id = $0; sub(/.*xdg_activation_token_v1@/, "", id); sub(/\..*/, "", id)
            if (id in open) { delete open[id]; destroyed++ } }
        END { print asked + 0, destroyed + 0 }' "$work/wayland.log"
}

# Started as a Wayland session starts programs, with a token of its own.
start
tree_has '"name": "Corvane v1.0"' || fail "the window is not captioned \"Corvane v1.0\""
# Focus starts on Run Ruxa; Tab leads to the executable's Select, then the ROM's.
keys -k Tab -k space
choose "Select Ruxa Executable" "$exe"
keys -k Tab -k space
choose "Select Ruxa Rom Image" "$rom"
keys -M shift -k Tab -k Tab -m shift -k Return
started "Run by the keyboard" yes
registries=$(registries)

back_to_launcher
click_run
started "Run by a click" yes

# On a busy machine the accessibility bus may not answer the helper in time,
# which then ends before it presses anything: it tries once more.
/usr/bin/python3 "$atspi" press Corvane "Run Ruxa" 2>"$work/press.log" \
    || /usr/bin/python3 "$atspi" press Corvane "Run Ruxa" 2>>"$work/press.log" \
    || fail "a screen reader could not press Run: $(cat "$work/press.log")"
started "Run by a screen reader" no

[ "$(registries)" = "$registries" ] || fail "a Run asked for a registry of its own"
[ "$(tokens)" = "2 2" ] || fail "Corvane's tokens, asked for and let go of: $(tokens)"

# Exit On Start, Run by the keyboard: from Run, Shift+Tab leads to the check box.
back_to_launcher
keys -M shift -k Tab -m shift -k space -k Tab -k Return
ended_by "Exit On Start, by the keyboard"
started "Exit On Start, Run by the keyboard" yes

start
keys -k Tab -k space
choose "Select Ruxa Executable" "$exe"
keys -k Tab -k space
choose "Select Ruxa Rom Image" "$rom"
keys -k Tab -k Tab -k Tab -k space
click_run
ended_by "Exit On Start, by a click"
started "Exit On Start, Run by a click" yes

start
keys -M alt -k q -m alt
ended_by "Alt+Q"
wait_until "processes were left running: $(left_running)" nothing_left
echo "Wayland: app id, keyboard flow through both dialogs; the emulator made active by the" \
    "compositor's token for a key and a click, with and without Exit On Start; no token without" \
    "input; no protocol object left per Run; nothing written, nothing left running"

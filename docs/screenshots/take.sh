#!/bin/sh
# Takes the README's screenshots of the launcher and the About window under
# Xvfb, with Openbox for window frames, at scale 1 and at scale 2.
#   docs/screenshots/take.sh BUILD-DIR
# Needs: xvfb xdotool openbox x11-utils imagemagick (Debian packages).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
corvane=$(cd "$1" && pwd)/linux/corvane
. "$here/../../tests/checklib.sh"
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 1600x1200
start_openbox "$work/wm"
use_fresh_home "$work"

# The window with its frame: the window's top-most ancestor below the root.
shoot() { # window file
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    sleep 0.5
    root=$(xwininfo -root | awk '/Window id/ {print $4}')
    frame=$1
    while :; do
        parent=$(xwininfo -id "$frame" -children | awk '/Parent window id/ {print $4}')
        [ "$parent" != "$root" ] || break
        frame=$parent
    done
    import -window "$frame" "$2"
}

for scale in 1 2; do
    suffix=""
    [ "$scale" = 1 ] || suffix="@${scale}x"
    QT_SCALE_FACTOR=$scale "$corvane" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no launcher window"
    shoot "$launcher" "$here/launcher$suffix.png"
    xdotool key --window "$launcher" alt+h
    sleep 0.3
    xdotool key Return
    about=$(window_named "About Corvane") || fail "no About window"
    shoot "$about" "$here/about$suffix.png"
    kill "$program"
    wait "$program" 2>/dev/null || true
done
echo "screenshots in $here"

#!/bin/sh
# Takes the README's screenshots of the launcher and the About window under
# Xvfb, with Openbox for window frames, at scale 1 and at scale 2.
#   docs/screenshots/take.sh BUILD-DIR
# Needs: xvfb xdotool openbox x11-utils imagemagick (Debian packages).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
corvane=$(cd "$1" && pwd)/launcher/corvane
work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
read -r display <"$work/display"
export DISPLAY=":$display"
HOME="$work" openbox >/dev/null 2>&1 &
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "Openbox did not start" >&2; exit 1; }
    sleep 0.1
done

window_named() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
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
    HOME="$work" QT_SCALE_FACTOR=$scale "$corvane" &
    program=$!
    launcher=$(window_named "Corvane v1.0")
    shoot "$launcher" "$here/launcher$suffix.png"
    xdotool key --window "$launcher" alt+h
    sleep 0.3
    xdotool key Return
    about=$(window_named "About Corvane")
    shoot "$about" "$here/about$suffix.png"
    kill "$program"
    wait "$program" 2>/dev/null || true
done
echo "screenshots in $here"

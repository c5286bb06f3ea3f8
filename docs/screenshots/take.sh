#!/bin/sh
# Takes the README's screenshots of the launcher and the About window under
# Xvfb, with Openbox for window frames: the Linux program at scale 1 and 2;
# on a GNOME desktop, light and dark, with Corvane's own look beside GTK's
# theme (gnome-*.png); and, given a Windows build, Corvane.exe under Wine in a
# fresh prefix at 96 and 144 dpi (the @1.5x files).
#   docs/screenshots/take.sh BUILD-DIR [WINDOWS-BUILD-DIR]
# Needs: xvfb xdotool openbox x11-utils imagemagick xsettingsd
# qt6-gtk-platformtheme, and wine64 for Windows.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
corvane=$(cd "$1" && pwd)/linux/corvane
windows=${2:+$(cd "$2" && pwd)/windows/Corvane.exe}
. "$here/../../tests/checklib.sh"
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -z "${WINEPREFIX:-}" ] || /usr/lib/wine/wineserver -k 2>/dev/null || true
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

# Shoots the launcher that "$@" starts, then opens Help, About and shoots that.
shoot_both() { # prefix suffix command...
    name=$1
    suffix=$2
    shift 2
    "$@" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no launcher window"
    shoot "$launcher" "$here/${name}launcher$suffix.png"
    xdotool key --window "$launcher" alt+h
    sleep 0.3
    xdotool key Return
    about=$(window_named "About Corvane") || fail "no About window"
    shoot "$about" "$here/${name}about$suffix.png"
    kill "$program"
    wait "$program" 2>/dev/null || true
}

for scale in 1 2; do
    suffix=""
    [ "$scale" = 1 ] || suffix="@${scale}x"
    shoot_both "" "$suffix" env QT_SCALE_FACTOR=$scale "$corvane"
done

# GNOME's look, as its settings daemon publishes it, taken by Corvane itself
# and by GTK's theme.
for style in light dark; do
    theme=Adwaita
    [ "$style" = light ] || theme=Adwaita-dark
    printf 'Net/ThemeName "%s"\nGtk/FontName "DejaVu Sans 9"\n' "$theme" >"$work/xsettings"
    xsettingsd -c "$work/xsettings" >/dev/null 2>&1 &
    settings=$!
    sleep 0.5
    for look in own gtk; do
        theme_variable=""
        [ "$look" = own ] || theme_variable=QT_QPA_PLATFORMTHEME=gtk3
        env XDG_CURRENT_DESKTOP=GNOME $theme_variable "$corvane" &
        program=$!
        launcher=$(window_named "Corvane v1.0") || fail "no launcher window"
        shoot "$launcher" "$work/$look.png"
        kill "$program"
        wait "$program" 2>/dev/null || true
    done
    kill "$settings"
    convert "$work/own.png" "$work/gtk.png" -background white -splice 16x0 +append \
        -chop 16x0 "$here/gnome-$style.png"
done

if [ -n "$windows" ]; then
    export WINEPREFIX="$work/prefix" WINEDEBUG=-all
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    for dpi in 96 144; do
        suffix=""
        [ "$dpi" = 96 ] || suffix="@1.5x"
        /usr/lib/wine/wineserver -w
        hex=$(printf '%08x' "$dpi")
        sed -i "s/\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=dword:$hex/" \
            "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg"
        shoot_both windows- "$suffix" /usr/lib/wine/wine64 "$windows"
        /usr/lib/wine/wineserver -k
    done
fi
echo "screenshots in $here"

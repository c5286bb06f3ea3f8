#!/bin/sh
# Takes the README's screenshots of the launcher and the About window under
# Xvfb, with Openbox for window frames: the Linux program at scale 1 and 2;
# on a GNOME desktop, light and dark, with Corvane's own look beside GTK's
# theme (gnome-*.png); and, given a Windows build, Corvane.exe under Wine in a
# fresh prefix at 96 and 144 dpi (the @1.5x files).
#   docs/screenshots/take.sh BUILD-DIR [WINDOWS-BUILD-DIR]
# Needs: xvfb xdotool openbox x11-utils imagemagick xsettingsd
# qt6-gtk-platformtheme, plasma-integration (Debian 13) for Plasma, and wine64 for
# Windows.
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

# Shoots the launcher that "$@" starts, then ends it.
shoot_launcher() { # file command...
    file=$1
    shift
    "$@" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no launcher window"
    shoot "$launcher" "$file"
    kill "$program"
    wait "$program" 2>/dev/null || true
}
# Two shots side by side, a gap between them.
side_by_side() { # left right file
    convert "$1" "$2" -background white -splice 16x0 +append -chop 16x0 "$3"
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
        shoot_launcher "$work/$look.png" env XDG_CURRENT_DESKTOP=GNOME $theme_variable "$corvane"
    done
    kill "$settings"
    side_by_side "$work/own.png" "$work/gtk.png" "$here/gnome-$style.png"
done

# Plasma's look, light (its own colours) and dark (Breeze Dark), taken by
# Corvane itself and by Plasma's theme, where Debian's Plasma has one for
# Qt 6; and the captions at 13 points, in Qt's own style and in Breeze.
if [ -f "$(qtpaths6 --query QT_INSTALL_PLUGINS)/platformthemes/KDEPlasmaPlatformTheme6.so" ]; then
    mkdir -p "$work/light" "$work/dark"
    printf '%s\n' "[General]" "ColorScheme=BreezeDark" \
        "[Colors:Button]" "BackgroundNormal=41,44,48" "ForegroundNormal=252,252,252" \
        "ForegroundInactive=161,169,177" \
        "[Colors:Selection]" "BackgroundNormal=61,174,233" "ForegroundNormal=252,252,252" \
        "[Colors:Tooltip]" "BackgroundNormal=41,44,48" "ForegroundNormal=252,252,252" \
        "[Colors:View]" "BackgroundAlternate=29,31,34" "BackgroundNormal=20,22,24" \
        "ForegroundNormal=252,252,252" "ForegroundInactive=161,169,177" \
        "[Colors:Window]" "BackgroundNormal=32,35,38" "ForegroundNormal=252,252,252" \
        "ForegroundInactive=161,169,177" >"$work/dark/kdeglobals"
    for style in light dark; do
        for look in own kde; do
            theme_variable=""
            [ "$look" = own ] || theme_variable=QT_QPA_PLATFORMTHEME=kde
            # shellcheck disable=SC2086
            shoot_launcher "$work/$look.png" env XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 \
                XDG_CONFIG_DIRS="$work/$style" $theme_variable "$corvane"
        done
        side_by_side "$work/own.png" "$work/kde.png" "$here/plasma-$style.png"
    done
    printf '[General]\nfont=DejaVu Sans,13,-1,5,400,0,0,0,0,0,0,0,0,0,0,1\n' >"$work/light/kdeglobals"
    for style in fusion breeze; do
        shoot_launcher "$work/$style.png" env XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 \
            XDG_CONFIG_DIRS="$work/light" QT_STYLE_OVERRIDE=$style "$corvane"
    done
    side_by_side "$work/fusion.png" "$work/breeze.png" "$here/captions-13pt.png"
fi

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
    # At 96 dpi with a 13-point message font (17 pixels), as a user who picks
    # larger text has it.
    /usr/lib/wine/wineserver -w
    sed -i -e 's/"LogPixels"=dword:[0-9a-f]*/"LogPixels"=dword:00000060/' \
        -e 's/^"MessageFont"=hex:[0-9a-f]*,ff,ff,ff,/"MessageFont"=hex:ef,ff,ff,ff,/' \
        "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg"
    shoot_launcher "$here/windows-launcher-13pt.png" /usr/lib/wine/wine64 "$windows"
    /usr/lib/wine/wineserver -k
fi
echo "screenshots in $here"

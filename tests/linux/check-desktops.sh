#!/bin/sh
# The launcher on the desktops people run, with the platform themes a Debian
# desktop installs (qt6-gtk-platformtheme, qt6-xdgdesktopportal-platformtheme),
# on a real X server with Openbox, inside a session bus:
#  - under no theme, GTK's (picked by Qt for GNOME, Xfce, MATE and Cinnamon,
#    or asked for by name), the portal's, and KDE's: each dialog shows its
#    title, its files' description and the wildcard, and Enter on the
#    wildcard keeps it open, exactly as with no theme; no GTK file chooser is
#    made, hidden or not; both files chosen and run with Exit On Start, the
#    emulator gets the ROM, and nothing is written to the home or its folders;
#  - where no theme is asked for, GTK stays out and the desktop's font and
#    dark colours come from the X settings daemon, or on Wayland from the
#    settings portal; a theme asked for loads.
# A desktop portal runs beside each program, as on a desktop: it says the
# user prefers dark colours and names a font of its own, and notes any file
# chooser asked of it, which must be none.
#   check-desktops.sh LAUNCHERDRIVER ARGRECORDER FAKEPORTAL
# Exits 77 (skipped) where a tool or theme it needs is missing.
set -eu
driver=$1
recorder=$2
portal=$3
. "$(dirname "$0")/../checklib.sh"
needs Xvfb openbox xsettingsd dbus-run-session qtpaths6
themes="$(qtpaths6 --query QT_INSTALL_PLUGINS)/platformthemes"
for theme in gtk3 xdgdesktopportal; do
    [ -f "$themes/libq$theme.so" ] || { echo "skipped: no Qt platform theme $theme"; exit 77; }
done

work=$(mktemp -d)
xvfb=""
wm=""
settings=""
cleanup() {
    [ -z "$settings" ] || kill "$settings" 2>/dev/null || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    stop_recorded_emulators
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb
start_openbox "$work/wm"
mkdir -p "$work/files" "$work/records"
cp "$recorder" "$work/files/ruxa"
: >"$work/files/Red Alarm.vb"

# The driver's words, in a fresh home, with the environment given after the
# scenario, on a session bus of its own with the portal on it; what the
# services the bus starts say goes elsewhere.
drive() { # scenario environment...
    scenario=$1
    shift
    rm -rf "$work/home" "$work/runtime" "$work/portal.log" "$work/portal.ready"
    (
        use_fresh_home "$work"
        if [ -n "$seed" ]; then
            mkdir -p "$XDG_CONFIG_HOME"
            cp "$seed" "$XDG_CONFIG_HOME/kdeglobals"
        fi
        exec 3>&1 >"$work/services.log"
        exec env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP \
            ARGRECORDER_DIR="$work/records" "$@" dbus-run-session -- sh -c '
                /usr/bin/python3 "$1" "$2/portal.log" org.freedesktop.appearance color-scheme u 1 \
                    org.gnome.desktop.interface font-name s "Cantarell 11" >"$2/portal.ready" &
                tries=0
                until grep -qs ready "$2/portal.ready"; do
                    tries=$((tries + 1))
                    [ "$tries" -lt 200 ] || { echo "the portal did not start" >&2; exit 1; }
                    sleep 0.05
                done
                shift 2
                exec "$@" >&3 3>&-' \
            sh "$portal" "$work" "$driver" "$scenario" "$work/files/ruxa" "$work/files/Red Alarm.vb"
    ) 2>"$work/stderr"
}
# The home as the program found it: empty, or holding the user's kdeglobals
# where a user's settings are when no XDG_CONFIG_HOME says otherwise.
seed=""
home_as_found() {
    if [ -z "$seed" ]; then
        home_is_empty "$work"
        return
    fi
    [ "$(cd "$work/home" && find . -mindepth 1 | sort | tr '\n' ' ')" = "./.config ./.config/kdeglobals " ] \
        && cmp -s "$seed" "$work/home/.config/kdeglobals" \
        || fail "files were written: $(find "$work/home" -mindepth 1)"
}
no_portal_chooser() { # what was driven
    [ ! -s "$work/portal.log" ] || fail "${1:-no theme}: the portal was asked: $(cat "$work/portal.log")"
}

expected="Select Ruxa Executable|VirtualBoy Executable|*|Enter keeps it open
Select Ruxa Rom Image|VirtualBoy ROM Images|*.vb|Enter keeps it open
no GTK file chooser
no KDE file dialog
$work/files/ruxa $work/files/Red Alarm.vb"
for desktop in "" XDG_CURRENT_DESKTOP=GNOME XDG_CURRENT_DESKTOP=XFCE XDG_CURRENT_DESKTOP=MATE \
    XDG_CURRENT_DESKTOP=X-Cinnamon "XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6" \
    "XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3" \
    "XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=xdgdesktopportal" \
    "XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 QT_QPA_PLATFORMTHEME=kde"; do
    # shellcheck disable=SC2086
    seen=$(drive dialogs $desktop) || {
        no_portal_chooser "$desktop"
        fail "${desktop:-no theme}: the driver failed: $(cat "$work/stderr")"
    }
    no_portal_chooser "$desktop"
    [ "$seen" = "$expected" ] || fail "${desktop:-no theme}: the dialogs differ from Qt's own:
$seen"
    the_one_record
    printf '%s\0' "$work/files/Red Alarm.vb" | cmp -s - "$work/records/$record" \
        || fail "${desktop:-no theme}: the emulator got other arguments"
    stop_recorded_emulators
    rm -f "$work"/records/*
    home_as_found
done

# The desktop's look, as its settings daemon publishes it.
printf 'Net/ThemeName "Adwaita-dark"\nGtk/FontName "DejaVu Serif Bold 13"\n' >"$work/xsettings"
xsettingsd -c "$work/xsettings" >"$work/xsettingsd.log" 2>&1 &
settings=$!
wait_until "no X settings daemon: $(cat "$work/xsettingsd.log")" \
    grep -q "Took ownership of selection" "$work/xsettingsd.log"
look() { # expected-pattern environment...
    want=$1
    shift
    seen=$(drive look "$@") || fail "$*: the driver failed: $(cat "$work/stderr")"
    no_portal_chooser "$*"
    # shellcheck disable=SC2254
    case $seen in $want) ;; *) fail "${*:-no desktop}: the look was \"$seen\", not \"$want\"" ;; esac
    home_as_found
}
look "DejaVu Serif|13|bold|dark|no GTK|no KDE" XDG_CURRENT_DESKTOP=GNOME
look "DejaVu Serif|13|bold|dark|no GTK|no KDE" XDG_CURRENT_DESKTOP=XFCE
look "Sans Serif|9|normal|light|no GTK|no KDE"
# On Wayland no X settings daemon answers: the portal says what it is.
look "Cantarell|11|normal|dark|no GTK|no KDE" XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland \
    QT_QPA_PLATFORM=offscreen
# GTK's theme, asked for, reads the same settings in its own way.
look "*|13|*|dark|GTK|no KDE" XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3

# Plasma keeps its look in kdeglobals, the system's and the user's over it,
# not in the X settings daemon's: a dark colour scheme and a font of its own.
mkdir -p "$work/xdg"
cat >"$work/xdg/kdeglobals" <<'EOF'
[General]
ColorScheme=BreezeDark
font=DejaVu Sans,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1

[Colors:Button]
BackgroundNormal=41,44,48
ForegroundNormal=252,252,252

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:Tooltip]
BackgroundNormal=41,44,48
ForegroundNormal=252,252,252

[Colors:View]
BackgroundAlternate=29,31,34
BackgroundNormal=20,22,24
ForegroundNormal=252,252,252

[Colors:Window]
BackgroundNormal=32,35,38
ForegroundNormal=252,252,252
EOF
plasma="XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 XDG_CONFIG_DIRS=$work/xdg"
# shellcheck disable=SC2086
look "DejaVu Sans|12|normal|dark|no GTK|no KDE" $plasma
# A user's settings from Plasma 5, in Qt 5's way of writing a font.
printf '[General]\nfont=DejaVu Sans Mono,11,-1,5,50,0,0,0,0,0\n' >"$work/user-kdeglobals"
seed="$work/user-kdeglobals"
# shellcheck disable=SC2086
look "DejaVu Sans Mono|11|normal|dark|no GTK|no KDE" $plasma XDG_CONFIG_HOME=
seed=""
# Plasma's own theme, asked for, reads the same in its own way, and loads the
# KDE Frameworks where it is installed.
kde="no KDE"
[ ! -f "$themes/KDEPlasmaPlatformTheme6.so" ] || kde=KDE
# Where the user never chose, Plasma's own: Breeze's light colours and Noto
# Sans, as Plasma 6 gives them; Qt 6.4, with no theme of Plasma's, its own.
mkdir -p "$work/none"
if [ "$kde" = KDE ]; then
    look "Noto Sans|10|normal|light|no GTK|no KDE" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 \
        XDG_CONFIG_DIRS="$work/none"
else
    look "Sans Serif|9|normal|light|no GTK|no KDE" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 \
        XDG_CONFIG_DIRS="$work/none"
fi
# shellcheck disable=SC2086
look "*|12|normal|dark|no GTK|$kde" $plasma QT_QPA_PLATFORMTHEME=kde
echo "desktops: Qt's own dialogs under every theme, nothing written; GTK and KDE's libraries only" \
    "where asked for, the desktop's font and colours without them"

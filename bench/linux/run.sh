#!/bin/sh
# Runs Corvane's benchmark under an Xvfb of its own: with no session bus
# (where libdbus, with dbus-x11 installed, autolaunches one for the bare Qt
# window), inside a private session bus, as on most desktops, and on GNOME
# and KDE Plasma with their platform themes installed. Everything
# runs in a private home and runtime folder, so only the figures are printed.
#   bench/linux/run.sh BUILD-DIR [COUNTED-RUNS]
set -eu
build=$(cd "$1" && pwd)
runs=${2:-20}
. "$(dirname "$0")/../../tests/checklib.sh"
work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
use_fresh_home "$work"

run() { # title target command...
    title=$1
    target=$2
    shift 2
    start_xvfb
    echo "## $title"
    echo
    "$@" "$build/bench/linux/corvanebench" "$build/bench/startwatch" \
        "$build/linux/corvane" "$build/bench/linux/floor" "$build/bench/linux/stamp" "$runs"
    echo "Target here: start-up ratio at most $target (median)."
    echo
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
}

run "No session bus" 0.8 env -u DBUS_SESSION_BUS_ADDRESS
run "Inside dbus-run-session" 1.0 dbus-run-session --

# A desktop's ways to the look, each run interleaved with Corvane on a bare X
# server (no desktop named), and given as ratios run by run against it.
#   desktop TITLE "LABEL|ENVIRONMENT"...
desktop() {
    title=$1
    shift
    start_xvfb
    printf 'Net/ThemeName "Adwaita"\nGtk/FontName "DejaVu Sans 10"\n' >"$work/xsettings"
    xsettingsd -c "$work/xsettings" >/dev/null 2>&1 &
    settings=$!
    sleep 0.5
    : >"$work/desktop"
    i=0
    while [ "$i" -lt $((3 + runs)) ]; do
        line=$(env -u XDG_CURRENT_DESKTOP -u QT_QPA_PLATFORM "$build/bench/startwatch" "$build/linux/corvane")
        for variant; do
            # shellcheck disable=SC2086
            line="$line $(env -u QT_QPA_PLATFORM ${variant#*|} "$build/bench/startwatch" "$build/linux/corvane")"
        done
        [ "$i" -lt 3 ] || echo "$line" >>"$work/desktop"
        i=$((i + 1))
    done
    kill "$settings" "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
    echo "## $title"
    echo
    echo "$runs counted runs after 3 warm-up runs, interleaved; each way's ratios run by run against"
    echo "Corvane on a bare X server (min / median / max)."
    echo
    echo "| way | start-up (median ms) | start-up ratio | memory (median kB) | memory ratio |"
    echo "|---|---|---|---|---|"
    echo "| Corvane, bare X | $(awk '{ print $1 / 1000 }' "$work/desktop" | median) | 1 |" \
        "$(awk '{ print $2 }' "$work/desktop" | median) | 1 |"
    column=3
    for variant; do
        echo "| ${variant%%|*} | $(awk -v c=$column '{ print $c / 1000 }' "$work/desktop" | median) |" \
            "$(awk -v c=$column '{ print $c / $1 }' "$work/desktop" | min_median_max) |" \
            "$(awk -v c=$((column + 1)) '{ print $c }' "$work/desktop" | median) |" \
            "$(awk -v c=$((column + 1)) '{ print $c / $2 }' "$work/desktop" | min_median_max) |"
        column=$((column + 2))
    done
    echo
    echo "Target here: start-up and memory ratios at most 1.2 (median) for Corvane's own way."
    echo
}
median() { min_median_max | awk -F' / ' '{ print $2 }'; }

# GNOME, Xfce, MATE and Cinnamon, with GTK's platform theme installed as
# Debian recommends it: Corvane's own look there, and, for the trade it
# avoids, GTK's theme asked for.
desktop "GNOME desktop (XDG_CURRENT_DESKTOP=GNOME, qt6-gtk-platformtheme installed)" \
    "Corvane on GNOME|XDG_CURRENT_DESKTOP=GNOME" \
    "GTK's theme asked for|XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3"

# KDE Plasma: Corvane's own look there (Plasma's colour scheme and font), and
# the ways it leaves alone: Breeze's widget style, and Plasma's whole theme,
# where Debian's Plasma has them for Qt 6.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
set -- "Corvane on Plasma|XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6"
[ ! -f "$plugins/styles/breeze6.so" ] \
    || set -- "$@" "with Breeze's widget style|XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 QT_STYLE_OVERRIDE=breeze"
[ ! -f "$plugins/platformthemes/KDEPlasmaPlatformTheme6.so" ] \
    || set -- "$@" "Plasma's theme|XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=6 QT_QPA_PLATFORMTHEME=kde"
desktop "KDE Plasma desktop (XDG_CURRENT_DESKTOP=KDE)" "$@"

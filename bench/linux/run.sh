#!/bin/sh
# Runs Corvane's benchmark under an Xvfb of its own: with no session bus
# (where libdbus, with dbus-x11 installed, autolaunches one for the bare Qt
# window), inside a private session bus, as on most desktops, and on GNOME
# with GTK's platform theme installed. Everything
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

# GNOME, Xfce, MATE and Cinnamon, with GTK's platform theme installed as
# Debian recommends it: Corvane there against Corvane on a bare X server,
# interleaved, and, for the trade it avoids, with GTK's theme asked for.
desktop() {
    start_xvfb
    printf 'Net/ThemeName "Adwaita"\nGtk/FontName "DejaVu Sans 10"\n' >"$work/xsettings"
    xsettingsd -c "$work/xsettings" >/dev/null 2>&1 &
    settings=$!
    sleep 0.5
    : >"$work/desktop"
    i=0
    while [ "$i" -lt $((3 + runs)) ]; do
        a=$(env -u XDG_CURRENT_DESKTOP -u QT_QPA_PLATFORM "$build/bench/startwatch" "$build/linux/corvane")
        b=$(env -u QT_QPA_PLATFORM XDG_CURRENT_DESKTOP=GNOME "$build/bench/startwatch" "$build/linux/corvane")
        c=$(env -u QT_QPA_PLATFORM XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 \
            "$build/bench/startwatch" "$build/linux/corvane")
        [ "$i" -lt 3 ] || echo "$a $b $c" >>"$work/desktop"
        i=$((i + 1))
    done
    kill "$settings" "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
    echo "## GNOME desktop (XDG_CURRENT_DESKTOP=GNOME, qt6-gtk-platformtheme installed)"
    echo
    echo "$runs counted runs after 3 warm-up runs, interleaved; ratios run by run against Corvane"
    echo "on a bare X server (min / median / max)."
    echo
    echo "| figure | Corvane, bare X | Corvane on GNOME | ratio | with GTK's theme asked for | ratio |"
    echo "|---|---|---|---|---|---|"
    echo "| start-up (ms) | $(awk '{ print $1 / 1000 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $3 / 1000 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $3 / $1 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $5 / 1000 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $5 / $1 }' "$work/desktop" | min_median_max) |"
    echo "| memory (kB) | $(awk '{ print $2 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $4 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $4 / $2 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $6 }' "$work/desktop" | min_median_max) |" \
        "$(awk '{ print $6 / $2 }' "$work/desktop" | min_median_max) |"
    echo
    echo "Target here: start-up and memory ratios at most 1.2 (median) on GNOME."
    echo
}
desktop

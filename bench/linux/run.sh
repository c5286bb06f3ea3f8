#!/bin/sh
# Runs Corvane's benchmark under an Xvfb of its own, twice: with no session bus
# (where libdbus, with dbus-x11 installed, autolaunches one for the bare Qt
# window) and inside a private session bus, as on most desktops. Everything
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

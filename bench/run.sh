#!/bin/sh
# Runs Corvane's benchmark under an Xvfb of its own, twice: with no session bus
# (where libdbus, with dbus-x11 installed, autolaunches one for the bare Qt
# window) and inside a private session bus, as on most desktops.
#   bench/run.sh BUILD-DIR [COUNTED-RUNS]
set -eu
build=$1
runs=${2:-20}

run() { # title target command...
    title=$1
    target=$2
    shift 2
    # Xvfb picks a free display and tells us which on a pipe.
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
    xvfb=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    echo "## $title"
    echo
    DISPLAY=":$display" "$@" "$build/bench/corvanebench" "$build/bench/startwatch" \
        "$build/launcher/corvane" "$build/bench/floor" "$build/bench/stamp" "$runs"
    echo "Target here: start-up ratio at most $target (median)."
    echo
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
}

run "No session bus" 0.8 env -u DBUS_SESSION_BUS_ADDRESS
run "Inside dbus-run-session" 1.0 dbus-run-session --

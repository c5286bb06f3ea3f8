#!/bin/sh
# Runs Corvane's benchmark under an Xvfb of its own.
#   bench/run.sh BUILD-DIR [COUNTED-RUNS]
set -eu
build=$1
runs=${2:-20}

# Xvfb picks a free display and tells us which on a pipe.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r display <"$fifo"

DISPLAY=":$display" "$build/bench/corvanebench" "$build/bench/startwatch" \
    "$build/launcher/corvane" "$build/bench/floor" "$build/bench/stamp" "$runs"

#!/bin/sh
# Runs a test in a home, XDG folders and runtime folder of its own, made afresh
# for this run and removed after it, so that no run sees what an earlier one
# left and nothing touches the real home.
#   fresh-home.sh PROGRAM [ARGUMENT...]
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/checklib.sh"
use_fresh_home "$work"
"$@"

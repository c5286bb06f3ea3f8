#!/bin/sh
# Runs a Windows test program under Wine at another DPI: in a copy of the
# tests' Wine prefix whose LogPixels says so, removed afterwards. The program
# finds the DPI it must see in CORVANE_EXPECTED_DPI.
#   wine-dpi.sh DPI PROGRAM [ARGUMENT...]
set -eu
dpi=$1
shift
: "${WINEPREFIX:?the Windows tests run in the Wine prefix ./dev test makes}"
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/prefix"
hex=$(printf '%08x' "$dpi")
sed -i "s/\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=dword:$hex/" \
    "$work/prefix/user.reg" "$work/prefix/system.reg"
grep -q "\"LogPixels\"=dword:$hex" "$work/prefix/user.reg" || { echo "no LogPixels in the prefix"; exit 1; }
CORVANE_EXPECTED_DPI=$dpi WINEPREFIX="$work/prefix" /usr/lib/wine/wine64 "$@"

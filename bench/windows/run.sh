#!/bin/sh
# Windows start-up under Wine: Corvane.exe, as the zip ships it, against a
# plain Win32 window with the same controls (bench/windows/floor.c), built here
# with MinGW and the same manifest, so that both show the system's visual
# style. Interleaved, on an Xvfb of its own in a fresh Wine prefix; then the
# sizes of Corvane.exe and of the zip.
#   bench/windows/run.sh WINDOWS-BUILD-DIR STARTWATCH [COUNTED-RUNS]
set -eu
build=$(cd "$1" && pwd)
startwatch=$2
runs=${3:-20}
warmup=2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/checklib.sh"
work=$(mktemp -d)
xvfb=""
cleanup() {
    WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

printf '1 24 "%s"\n' "$build/resources/corvane.manifest" >"$work/floor.rc"
x86_64-w64-mingw32-windres -O coff -i "$work/floor.rc" -o "$work/floor.res"
x86_64-w64-mingw32-gcc-win32 -Os -mwindows -static -s -o "$work/win32floor.exe" \
    "$here/floor.c" "$work/floor.res" -lcomctl32
zip=$(ls "$build"/Corvane-*-win64.zip)
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
corvane="$work/zip/Corvane/Corvane.exe"

start_xvfb
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -p || true # keep the server up between runs, as on a desktop

i=0
: >"$work/times"
while [ "$i" -lt $((warmup + runs)) ]; do
    a=$("$startwatch" /usr/lib/wine/wine64 "$corvane" | cut -d' ' -f1)
    b=$("$startwatch" /usr/lib/wine/wine64 "$work/win32floor.exe" | cut -d' ' -f1)
    [ "$i" -lt "$warmup" ] || echo "$a $b" >>"$work/times"
    i=$((i + 1))
done

summary() { min_median_max | sed 's| / | \| |g'; }
echo "Corvane.exe under Wine: $runs counted runs after $warmup warm-up runs, interleaved."
echo
echo "| figure | min | median | max |"
echo "|---|---|---|---|"
echo "| start-up, Corvane.exe (ms) | $(awk '{ print $1 / 1000 }' "$work/times" | summary) |"
echo "| start-up, plain Win32 window (ms) | $(awk '{ print $2 / 1000 }' "$work/times" | summary) |"
echo "| ratio, run by run | $(awk '{ print $1 / $2 }' "$work/times" | summary) |"
echo
echo "Corvane.exe: $(stat -c %s "$corvane") bytes; $(basename "$zip"): $(stat -c %s "$zip") bytes."
echo "Target here: start-up ratio at most 1.2 (median); Corvane.exe at most 300 KB, the zip at most 200 KB."

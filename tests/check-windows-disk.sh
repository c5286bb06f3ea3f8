#!/bin/sh
# Corvane.exe must leave Windows as it found it. In a fresh Wine prefix on a
# private X server, a user opens both dialogs and chooses a file in each,
# opens About and quits; the registry and the profile may then differ from
# before only where a plain program that just shows the system's open-file
# dialog makes them differ too.
#   check-windows-disk.sh CORVANE-EXE PLAINOPEN-EXE
# Exits 77 (skipped) where Wine, Xvfb or xdotool is missing.
set -eu
corvane=$1
plain=$2
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "skipped: no $wine"; exit 77; }
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb=""
cleanup() {
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true
    done
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/checklib.sh"
start_xvfb
export WINEDEBUG=-all
unset WINEDLLOVERRIDES

gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# Types the path into the dialog and presses Open by its access key: Return
# would go to the completion list that Wine opens under a typed path.
choose() { # caption path
    dialog=$(window_named "$1") || fail "no dialog \"$1\""
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 5 "$2"
    xdotool key alt+o
    wait_until "the dialog \"$1\" stayed open" gone "$1"
}

# Every line of the registry files and every file of the drive, a line each,
# with the data left out: only which values and files exist, or changed.
snapshot() { # prefix output
    for hive in system user userdef; do
        awk -v hive="$hive" '
            /^#time=/ { next }
            /^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); print hive " " key; next }
            { line = line $0 }
            /\\$/ { sub(/\\$/, "", line); next }
            line != "" { print hive " " key " " line }
            { line = "" }' "$1/$hive.reg"
    done >"$2"
    (cd "$1" && find drive_c -printf 'file %p %s\n') >>"$2"
}
changes() { # before after: the names of what was added, removed or altered
    sort "$1" >"$1.sorted"
    sort "$2" >"$2.sorted"
    comm -3 "$1.sorted" "$2.sorted" | sed 's/^\t//; s/^\(.*\] "[^"]*"\)=.*/\1/; s/^\(.*\] @\)=.*/\1/; s/^\(file .*\) [0-9]*$/\1/' | sort -u
}

# A fresh prefix with the user's files in it; then the run, and what it changed.
run_in_fresh_prefix() { # name flow
    export WINEPREFIX="$work/prefix-$1"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w
    mkdir -p "$WINEPREFIX/drive_c/games"
    : >"$WINEPREFIX/drive_c/games/ruxa.exe"
    : >"$WINEPREFIX/drive_c/games/Mario Clash.vb"
    snapshot "$WINEPREFIX" "$work/$1.before"
    "$2"
    # The server writes the registry back once the last program has ended.
    "$wineserver" -w
    snapshot "$WINEPREFIX" "$work/$1.after"
    changes "$work/$1.before" "$work/$1.after" >"$work/$1.changes"
}

plain_flow() {
    "$wine" "$plain" 2>>"$work/wine.log" &
    program=$!
    choose "Select Ruxa Executable" 'C:\games\ruxa.exe'
    choose "Select Ruxa Rom Image" 'C:\games\Mario Clash.vb'
    wait "$program" || fail "the plain program ended with an error"
}
corvane_flow() {
    "$wine" "$corvane" 2>>"$work/wine.log" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
    # Focus starts on Run Ruxa; Tab leads to the executable's Select, then the ROM's.
    xdotool windowfocus --sync "$launcher"
    xdotool key Tab space
    choose "Select Ruxa Executable" 'C:\games\ruxa.exe'
    xdotool windowfocus --sync "$launcher"
    xdotool key Tab space
    choose "Select Ruxa Rom Image" 'C:\games\Mario Clash.vb'
    xdotool windowfocus --sync "$launcher"
    xdotool key alt+h Return
    about=$(window_named "About Corvane") || fail "Help, About showed no window"
    xdotool windowfocus --sync "$about"
    xdotool key Return
    wait_until "OK did not close About" gone "About Corvane"
    xdotool windowfocus --sync "$launcher"
    xdotool key alt+q
    wait "$program" || fail "Corvane ended with an error"
}

run_in_fresh_prefix plain plain_flow
run_in_fresh_prefix corvane corvane_flow
[ -s "$work/plain.changes" ] || fail "the plain program changed nothing: the comparison proves nothing"
extra=$(comm -23 "$work/corvane.changes" "$work/plain.changes")
[ -z "$extra" ] || fail "Corvane changed more than the system's dialog does:
$extra"
echo "Corvane changed nothing beyond what the system's open-file dialog records:"
sed 's/^/  /' "$work/corvane.changes"

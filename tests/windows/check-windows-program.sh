#!/bin/sh
# Corvane.exe as a user meets it, in fresh Wine prefixes on a private X server
# under Openbox:
#  - it leaves Windows as it found it. A user chooses the emulator and a ROM
#    image in the two dialogs, opens About and hides it with OK, and runs the
#    emulator with Exit On Start. The registry and the profile may then differ
#    from before only where a plain program that just shows the system's
#    open-file dialog twice makes them differ too. What the emulator was given
#    shows that both files were really chosen.
#  - each other ending (Alt+Q with About open, File > Exit, the close box with
#    About open) ends it with status 0, leaving no window and no process.
#  - it reads no settings: it imports nothing from the registry or
#    profile-file functions.
#   check-windows-program.sh CORVANE-EXE PLAINOPEN-EXE RECORDER-EXE
# Exits 77 (skipped) where Wine, Xvfb, Openbox, xdotool or wmctrl is missing.
set -eu
corvane=$1
plain=$2
recorder=$3
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "skipped: no $wine"; exit 77; }
for tool in Xvfb openbox xdotool wmctrl xprop x86_64-w64-mingw32-objdump; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true
    done
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../checklib.sh"
imports=$(x86_64-w64-mingw32-objdump -p "$corvane") || fail "could not read the program's imports"
echo "$imports" | grep -q "DLL Name: USER32.dll" || fail "no imports read: $imports"
settings_functions="DLL Name: [Aa][Dd][Vv][Aa][Pp][Ii]32|\bReg(Open|Create|Query|Get|Set|Enum|Delete)[A-Za-z]*|Get(Private)?Profile[A-Za-z]*"
! echo "$imports" | grep -qE "$settings_functions" \
    || fail "Corvane.exe imports settings functions: $(echo "$imports" | grep -E "$settings_functions")"
start_xvfb
start_openbox "$work/wm"
# The emulator writes down what it was given outside the drive compared.
record="$work/record.txt"
export WINEDEBUG=-all WINRECORDER_FILE="Z:$(echo "$record" | tr / '\\')"
unset WINEDLLOVERRIDES

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
# Wine's own record of the display and input devices, which its device
# manager writes in its own time after any program first opens a window,
# is left out: it is the machine's, not the program's.
changes() { # before after: the names of what was added, removed or altered
    sort "$1" >"$1.sorted"
    sort "$2" >"$2.sorted"
    comm -3 "$1.sorted" "$2.sorted" | sed 's/^\t//; s/^\(.*\] "[^"]*"\)=.*/\1/; s/^\(.*\] @\)=.*/\1/; s/^\(file .*\) [0-9]*$/\1/' \
        | grep -Ev '^system \[System\\\\CurrentControlSet\\\\(Control\\\\Class|Control\\\\DeviceClasses|Enum)\\\\' \
        | sort -u
}

# A fresh prefix with the user's files in it, the emulator among them; then
# the run, and what it changed.
run_in_fresh_prefix() { # name flow
    export WINEPREFIX="$work/prefix-$1"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w
    mkdir -p "$WINEPREFIX/drive_c/games"
    cp "$recorder" "$WINEPREFIX/drive_c/games/ruxa.exe"
    : >"$WINEPREFIX/drive_c/games/Mario Clash.vb"
    snapshot "$WINEPREFIX" "$work/$1.before"
    "$2"
    # The server writes the registry back once the last program has ended.
    timeout 60 "$wineserver" -w || fail "processes were left running in the prefix"
    snapshot "$WINEPREFIX" "$work/$1.after"
    changes "$work/$1.before" "$work/$1.after" >"$work/$1.changes"
}

start_corvane() {
    "$wine" "$corvane" 2>>"$work/wine.log" &
    program=$!
    launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
    xdotool windowactivate --sync "$launcher"
}
# Wine takes the activation back from a closing dialog in its own time: keys
# typed meanwhile can be lost. Where no About shows, the user tries again.
about_opens() {
    for attempt in 1 2 3; do
        xdotool windowactivate --sync "$launcher"
        xdotool key alt+h Return
        about=$(timeout 10 xdotool search --sync --onlyvisible --name "^About Corvane\$" 2>/dev/null \
            | head -n 1)
        [ -z "$about" ] || return 0
        xdotool key Escape Escape
    done
    fail "Help, About showed no window"
}

plain_flow() {
    "$wine" "$plain" 2>>"$work/wine.log" &
    program=$!
    choose "Select Ruxa Executable" 'C:\games\ruxa.exe' alt+o
    choose "Select Ruxa Rom Image" 'C:\games\Mario Clash.vb' alt+o
    wait "$program" || fail "the plain program ended with an error"
}
# Types the path into the dialog and presses Open by its access key: Return
# would go to the completion list Wine opens under a typed path. Focus
# starts on Run Ruxa; Tab leads to the executable's Select, then the ROM's,
# then over Quit and Preview to Exit On Start, then back to Run.
corvane_flow() {
    start_corvane
    xdotool key Tab space
    choose "Select Ruxa Executable" 'C:\games\ruxa.exe' alt+o
    xdotool windowactivate --sync "$launcher"
    xdotool key Tab space
    choose "Select Ruxa Rom Image" 'C:\games\Mario Clash.vb' alt+o
    about_opens
    xdotool windowactivate --sync "$about"
    xdotool key Return
    wait_until "OK did not hide About" window_gone "About Corvane"
    xdotool windowactivate --sync "$launcher"
    xdotool key Tab Tab Tab space Tab Return
    ended_by "Exit On Start"
}

run_in_fresh_prefix plain plain_flow
run_in_fresh_prefix corvane corvane_flow
[ -f "$record" ] || fail "Run started no emulator"
[ "$(sed -n 1p "$record" | tr -d '\r')" = 1 ] && [ "$(sed -n 2p "$record" | tr -d '\r')" = 'C:\games\Mario Clash.vb' ] \
    || fail "the emulator was given: $(cat "$record")"
[ -s "$work/plain.changes" ] || fail "the plain program changed nothing: the comparison proves nothing"
extra=$(comm -23 "$work/corvane.changes" "$work/plain.changes")
[ -z "$extra" ] || fail "Corvane changed more than the system's dialog does:
$extra"

start_corvane
about_opens
xdotool windowactivate --sync "$launcher"
xdotool key alt+q
ended_by "Alt+Q"

start_corvane
xdotool key alt+f x
ended_by "File, Exit"

start_corvane
about_opens
wmctrl -i -c "$launcher"
ended_by "the close box"
timeout 60 "$wineserver" -w || fail "processes were left running in the prefix"

echo "Corvane changed nothing beyond what the system's open-file dialog records:"
sed 's/^/  /' "$work/corvane.changes"
echo "and ended with status 0 and nothing left by Exit On Start, Alt+Q, File > Exit and the close box"

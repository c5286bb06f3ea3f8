# Shared by the check scripts, the benchmark and the screenshots. A script
# sources it once $work (its scratch folder) is set and $xvfb is empty, and
# kills "$xvfb" when it ends.

fail() { printf 'FAIL: %s\n' "$*"; exit 1; }

# Exits 77 (skipped) where one of the tools named is missing.
needs() { # tool...
    for tool; do
        command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
    done
}

# Exits 77 (skipped) where Qt cannot show windows on Wayland.
needs_qt_wayland() {
    needs qtpaths6
    ls "$(qtpaths6 --query QT_INSTALL_PLUGINS)"/platforms/libqwayland-*.so >/dev/null 2>&1 \
        || { echo "skipped: no qt6-wayland"; exit 77; }
}

# "min / median / max" of the numbers on standard input, a line each.
min_median_max() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.3f / %.3f / %.3f", v[1], m, v[NR] }'
}

# Points a program's home, XDG folders and runtime folder into DIR, made empty
# and private for it, so that whatever it writes can be found there and
# nowhere else. Exported: call it in a subshell to confine it to one program.
use_fresh_home() { # dir
    mkdir -p "$1/home" "$1/runtime"
    chmod 700 "$1/runtime"
    export HOME="$1/home" XDG_CONFIG_HOME="$1/home/.config" XDG_DATA_HOME="$1/home/.local/share" \
        XDG_CACHE_HOME="$1/home/.cache" XDG_STATE_HOME="$1/home/.local/state" \
        XDG_RUNTIME_DIR="$1/runtime"
}
home_is_empty() { # dir given to use_fresh_home
    [ -z "$(find "$1/home" -mindepth 1)" ] || fail "files were written: $(find "$1/home" -mindepth 1)"
}

# Starts a private X server on a free display and exports DISPLAY for it.
start_xvfb() { # [screen-size]
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    read -r display <"$work/display"
    rm -f "$work/display"
    export DISPLAY=":$display"
}

# Starts Openbox with a home of its own and waits until it manages the screen.
start_openbox() { # home
    mkdir -p "$1"
    HOME="$1" openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    wait_until "Openbox did not start" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

# Validates AppStream metainfo as software centres read it. Corvane has no
# homepage to name: AppStream 1.0 warns where a program names none, and that
# warning alone is let pass; AppStream 0.16 has no such check, and refuses
# to be told of one.
validate_metainfo() { # file
    case $(appstreamcli --version) in
    *"version: 0."*) appstreamcli validate --no-net --pedantic "$1" ;;
    *) appstreamcli validate --no-net --pedantic --override=url-homepage-missing=info "$1" ;;
    esac
}

wait_until() { # what-failed command...
    wait_tries 400 "$@"
}
# A minute, for a desktop that builds its caches afresh in a scratch home.
wait_long_until() { # what-failed command...
    wait_tries 1200 "$@"
}
wait_tries() { # tries what-failed command...
    limit=$1
    what=$2
    shift 2
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt "$limit" ] || fail "$what"
        sleep 0.05
    done
}

# Runs a command on a session bus of its own and returns its status once the
# services the bus started have ended. They get a home of their own, removed
# afterwards: a desktop's services must neither read the tester's settings
# (xfconfd would hand the window manager those) nor write into the tester's
# home. The command finds CORVANE_OWN_BUS set.
on_own_bus() { # command...
    services=$(mktemp -d)
    mkdir -m 700 "$services/runtime"
    status=0
    env CORVANE_OWN_BUS=1 HOME="$services" XDG_CONFIG_HOME="$services/.config" \
        XDG_CACHE_HOME="$services/.cache" XDG_DATA_HOME="$services/.local/share" \
        XDG_STATE_HOME="$services/.local/state" XDG_RUNTIME_DIR="$services/runtime" \
        dbus-run-session -- "$@" || status=$?
    wait_until "the session's services did not end" services_ended "$services"
    rm -rf "$services"
    return "$status"
}
services_ended() { ! grep -qsF "HOME=$1" /proc/[0-9]*/environ; }
# Runs the calling script again on a bus of its own and exits with its status.
again_on_own_bus() { # script arguments...
    status=0
    on_own_bus sh "$@" || status=$?
    exit "$status"
}

# Prints the id of the visible window with exactly this caption, waiting up to
# half a minute for it; fails, printing nothing, when none shows.
window_named() { # caption
    found=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$found" ] && echo "$found"
}
window_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
process_ended() { ! kill -0 "$1" 2>/dev/null; }
# Running, and not a zombie waiting for its parent to reap it.
running() { # pid
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
    [ -n "$state" ] && [ "$state" != Z ]
}

# A window's image once it has been painted: two captures a moment apart
# that agree, and not all of one colour.
capture_painted() { # window file
    tries=0
    xwd -silent -id "$1" >"$2"
    while :; do
        sleep 0.1
        xwd -silent -id "$1" >"$2.again"
        cmp -s "$2" "$2.again" && [ "$(distinct_colours "$2")" -gt 1 ] && break
        mv "$2.again" "$2"
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || fail "the window was never painted"
    done
    rm -f "$2.again"
}
# How many colours an XWD image holds.
distinct_colours() { # file
    python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
header, ncolors = struct.unpack(">I", data[:4])[0], struct.unpack(">I", data[76:80])[0]
print(len(set(data[header + 12 * ncolors:][i:i + 4] for i in range(0, len(data) - header - 12 * ncolors, 4))))' "$1"
}

# The one run the stand-in emulator recorded in $work/records, as $record:
# once one is there, a moment passes, so that a second, unwanted start would
# show too.
recorded() { [ -n "$(ls "$work/records" | grep -v '\.' || true)" ]; }
the_one_record() {
    wait_until "the emulator was not started" recorded
    sleep 0.5
    record=$(ls "$work/records" | grep -v '\.')
    [ "$(echo "$record" | wc -l)" = 1 ] || fail "the emulator was started more than once: $record"
}

# The program ($program) must end of itself, with status 0, and where it ran
# in a fresh home ($work/home), having written nothing there.
ended_by() { # what ended it
    wait_until "$1 did not end the program" process_ended "$program"
    status=0
    wait "$program" || status=$?
    program=""
    [ "$status" = 0 ] || fail "after $1 the program ended with status $status"
    [ ! -d "$work/home" ] || home_is_empty "$work"
}

# Every process a check starts carries CORVANE_CHECK_RUN=$work in its
# environment, so that none can outlive the check unseen.
left_running() {
    for environ in $(grep -lzxF "CORVANE_CHECK_RUN=$work" /proc/[0-9]*/environ 2>/dev/null); do
        { tr '\0' ' ' <"${environ%/environ}/cmdline"; } 2>/dev/null && echo
    done
}
nothing_left() { [ -z "$(left_running)" ]; }

# Ends the stand-in emulators that recorded their runs in $work/records.
stop_recorded_emulators() {
    for record in "$work"/records/*; do
        case $record in *.*) ;; *) [ -f "$record" ] && kill "$(basename "$record")" 2>/dev/null || true ;; esac
    done
}

# Chooses a file in the open-file dialog with this caption: types the path into
# its name field and presses the key that opens it. A completion list comes and
# goes while the path is typed; on a busy machine it can take the first key, or
# drop one typed just as it closes. Where the dialog is still open after a
# while, the path is typed over once more, as a user would.
choose() { # caption path key
    dialog=$(window_named "$1") || fail "no dialog \"$1\""
    xdotool windowfocus --sync "$dialog"
    xdotool type --delay 10 "$2"
    xdotool key "$3"
    tries=0
    while ! window_gone "$1" && [ "$tries" -lt 100 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    # Only to the dialog: should it close meanwhile, the keys would go to the
    # launcher, whose focused Select would open it again.
    if ! window_gone "$1" && xdotool windowfocus --sync "$dialog" 2>/dev/null; then
        xdotool key ctrl+a
        xdotool type --delay 20 "$2"
        xdotool key "$3"
    fi
    wait_until "the dialog \"$1\" stayed open" window_gone "$1"
}

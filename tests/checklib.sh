# Shared by the check scripts, which source it once $work (their scratch
# folder) is set and $xvfb is empty, and kill "$xvfb" when they end.

fail() { printf 'FAIL: %s\n' "$*"; exit 1; }

# Starts a private X server on a free display and exports DISPLAY for it.
start_xvfb() {
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    read -r display <"$work/display"
    export DISPLAY=":$display"
}

window_named() { timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }

wait_until() { # what-failed command...
    what=$1
    shift
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 400 ] || fail "$what"
        sleep 0.05
    done
}

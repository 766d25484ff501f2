#!/usr/bin/env bash
# Builds, starts the reference host when nobody owns its bus name, then the wizard.
#   scripts/run.sh            on the desktop this terminal belongs to (DISPLAY or WAYLAND_DISPLAY)
#   scripts/run.sh --virtual  both programs on a private virtual X display and a private session bus
# Whatever it starts it stops again on every way out, Ctrl+C included; only a host
# that was handed a design on a real display is left open for the user to close.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly wait_seconds=${CORVELLE_WAIT_SECONDS:-20}
virtual=false
for arg in "$@"; do
    case "$arg" in
        --virtual) virtual=true ;;
        -h | --help)
            sed -n '2,6s/^# \{0,1\}//p' "$0"
            exit 0 ;;
        *)
            echo "run.sh: unknown argument '$arg' (try --help)" >&2
            exit 2 ;;
    esac
done

if ! $virtual && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the wizard on: run scripts/run.sh in a desktop session, or" \
         "'scripts/run.sh --virtual' to run it on a private virtual display." >&2
    exit 2
fi

scripts/build.sh
bin=$PWD/build/bin

tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvelle-run.XXXXXX")
xvfb="" bus="" host="" wizard=""
stop() { # pid: ends a process this script started and reaps it
    if [ -n "$1" ] && kill "$1" 2>/dev/null; then
        wait "$1" 2>/dev/null || true
    fi
}
cleanup() {
    set +e
    stop "$wizard"
    stop "$host"
    stop "$bus"
    stop "$xvfb"
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'echo "Interrupted: stopping what run.sh started." >&2; exit 130' INT
trap 'echo "Stopped: stopping what run.sh started." >&2; exit 143' TERM
trap 'exit 129' HUP

# Waits up to $wait_seconds for a command to succeed while a started process is alive.
wait_for() { # what pid command...
    local what=$1 pid=$2 deadline=$((SECONDS + wait_seconds))
    shift 2
    until "$@"; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "run.sh: $what exited before it was ready." >&2
            return 1
        fi
        if ((SECONDS >= deadline)); then
            echo "run.sh: $what was not ready after $wait_seconds s; giving up." >&2
            return 1
        fi
        sleep 0.1
    done
}
file_has_line() { [ -s "$1" ] && grep -q . "$1"; }

if $virtual; then
    # -displayfd makes the server pick a free display and name it only once it
    # accepts connections; the cookie keeps other users' programs off it.
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    touch "$tmp/server.auth" "$tmp/Xauthority"
    xauth -q -f "$tmp/server.auth" add :0 . "$cookie"
    # Its own session, so a Ctrl+C reaches the wizard and this script, not the server under them.
    setsid Xvfb -displayfd 3 -auth "$tmp/server.auth" -nolisten tcp -screen 0 1280x800x24 \
        3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
    xvfb=$!
    wait_for "The virtual display" "$xvfb" file_has_line "$tmp/display" || { cat "$tmp/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$tmp/display")"
    export XAUTHORITY="$tmp/Xauthority"
    xauth -q add "$DISPLAY" . "$cookie"
    unset WAYLAND_DISPLAY
    echo "Running on the private virtual display $DISPLAY, where nothing is visible (tools reach it" \
         "with DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY); Ctrl+C stops both programs and the display." >&2
elif [ -n "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && ! xwininfo -root >/dev/null 2>&1; then
    echo "The display $DISPLAY cannot be opened: run scripts/run.sh in a desktop session, or" \
         "'scripts/run.sh --virtual' to run it on a private virtual display." >&2
    exit 2
fi

if $virtual || [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    dbus-daemon --session --nofork --print-address=3 3>"$tmp/bus" >/dev/null 2>&1 &
    bus=$!
    wait_for "The session bus" "$bus" file_has_line "$tmp/bus" || exit 1
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$tmp/bus")
    export DBUS_SESSION_BUS_ADDRESS
fi

host_on_bus() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:Brasswick.Application 2>/dev/null | grep -q 'boolean true'
}
snapshot=""
if ! host_on_bus; then
    host_args=(--journal "$tmp/journal")
    if $virtual; then
        snapshot=$PWD/build/host-snapshot.png
        rm -f "$snapshot"
        host_args+=(--snapshot "$snapshot")
    fi
    "$bin/corvelle-host" "${host_args[@]}" &
    host=$!
    wait_for "The reference host" "$host" host_on_bus || exit 1
fi

touch "$tmp/start"
# In the background, so a signal to this script is handled at once, not after the wizard.
"$bin/corvelle" &
wizard=$!
status=0
wait "$wizard" || status=$?
wizard=""

written=()
for file in "$bin/Program Data/ShedData.txt" "$bin/shedSize.txt"; do
    [ "$file" -nt "$tmp/start" ] && written+=("$file")
done
if [ -n "$host" ]; then
    handed=false
    grep -q '"member":"RunMorvish"' "$tmp/journal" 2>/dev/null && handed=true
else
    # Someone else's host: a written file and a clean end are all there is to go by.
    handed=false
    [ "$status" -eq 0 ] && ((${#written[@]})) && handed=true
fi

for file in ${written[@]+"${written[@]}"}; do
    echo "Written: $file" >&2
done
if [ "$status" -ne 0 ]; then
    echo "The wizard ended with a failure (exit status $status)." >&2
    exit "$status"
fi
if ! $handed; then
    echo "The wizard was cancelled: no design was handed over." >&2
    exit 0
fi
if [ -z "$host" ]; then
    echo "The design was handed to the host that was already running." >&2
elif $virtual; then
    [ -s "$snapshot" ] && echo "The host's window after the hand-over: $snapshot" >&2
    echo "The design was handed to the reference host; stopping it and the virtual display." >&2
else
    echo "The reference host shows the design; close its window (or File > Quit) to finish." >&2
    host_status=0
    wait "$host" || host_status=$?
    host=""
    exit "$host_status"
fi

#!/usr/bin/env bash
# Builds, starts the reference host when nobody owns its bus name, then the wizard.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    number=99
    while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
    echo "No display found: running on a virtual X display (:$number)." >&2
    Xvfb ":$number" -screen 0 1280x800x24 >/dev/null 2>&1 &
    export DISPLAY=":$number"
    until xwininfo -root >/dev/null 2>&1; do sleep 0.1; done
fi

host=""
owned=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:Brasswick.Application | awk '/boolean/ {print $2}')
if [ "$owned" != "true" ]; then
    build/bin/corvelle-host &
    host=$!
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:Brasswick.Application | grep -q true && break
        sleep 0.1
    done
fi
status=0
build/bin/corvelle || status=$?
if [ -n "$host" ] && kill -0 "$host" 2>/dev/null; then
    # The host we started shows what the wizard handed over; it lives until its window is closed.
    echo "The reference host stays open with the design; close its window (or File > Quit) to finish." >&2
    wait "$host" || true
fi
exit "$status"

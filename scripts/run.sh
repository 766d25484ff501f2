#!/usr/bin/env bash
# Builds, starts the reference host when nobody owns its bus name, then the wizard.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running on a virtual X display (:99)." >&2
    Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
    export DISPLAY=:99
    sleep 1
fi

owned=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:Brasswick.Application | awk '/boolean/ {print $2}')
if [ "$owned" != "true" ]; then
    build/bin/corvelle-host &
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:Brasswick.Application | grep -q true && break
        sleep 0.1
    done
fi
exec build/bin/corvelle

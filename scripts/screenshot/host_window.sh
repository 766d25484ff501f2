#!/usr/bin/env bash
# host_window.sh BIN_DIR OUT_DIR: pictures of the real host's window after each path's
# Finish (host-3d.png, host-2d.png), with the calls the wizard makes. The host works on a
# copy of the program folder, so the files the wizard wrote stay as they are. Run it on
# an X display and a session bus of its own (xvfb-run, dbus-run-session).
set -euo pipefail
bin=$1 out=$2
folder=$(mktemp -d)
host=""
trap '[ -n "$host" ] && kill "$host" 2>/dev/null; rm -rf "$folder"' EXIT
cp -r "$bin/Program Data" "$folder/"
here=$(cd "$(dirname "$0")/../.." && pwd)
cp "$here/tests/data/ShedData.txt" "$folder/Program Data/ShedData.txt"
printf '12\r\n' >"$folder/shedSize.txt"

call() { dbus-send --session --print-reply --dest=Brasswick.Application "$@"; }
path() { grep -o '"/[^"]*"' | tr -d '"'; }
# shot NAME: starts a host that saves its window after each macro into NAME, waits for it
shot() {
    "$bin/corvelle-host" --program-folder "$folder" --snapshot "$out/$1" &
    host=$!
    for _ in $(seq 100); do
        call /org/freedesktop/DBus org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "host_window.sh: the host did not come up" >&2
    exit 1
}
stop() { kill "$host"; wait "$host" 2>/dev/null || true; host=""; }

shot host-3d.png
doc=$(call /Brasswick/Documents Brasswick.Documents.Add | path)
call "$doc" Brasswick.Document.RunMorvish 'string:*\Program Data\Q&V_1_Start.mrq' >/dev/null
# The host saves its window as the macro ends and again once the 3D view has drawn.
first=$(stat -c '%Y %s %i' "$out/host-3d.png")
for _ in $(seq 100); do
    [ "$(stat -c '%Y %s %i' "$out/host-3d.png")" != "$first" ] && break
    sleep 0.1
done
[ "$(stat -c '%Y %s %i' "$out/host-3d.png")" != "$first" ] || { echo "host_window.sh: the 3D view never drew" >&2; exit 1; }
stop

shot host-2d.png
doc=$(call /Brasswick/Documents Brasswick.Documents.Add | path)
call "$doc" org.freedesktop.DBus.Properties.Set string:Brasswick.Document string:DraftingMode variant:boolean:true >/dev/null
file=$(call "$doc" org.freedesktop.DBus.Properties.Get string:Brasswick.Document string:File | path)
call "$file" Brasswick.File.LoadSymbol 'string:*\Program Data\2D Sheds\Shed_107.KQ' boolean:false boolean:true boolean:true >/dev/null
call "$doc" Brasswick.Document.RunMorvish 'string:*\Program Data\2dsheds.mrq' >/dev/null
stop

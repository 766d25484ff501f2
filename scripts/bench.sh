#!/usr/bin/env bash
# Builds and runs the benchmarks; every figure is a ratio against a baseline measured in the same run.
#   RUNS=N         runs of each timed benchmark (default: 31 for start-up, 30 for the others)
#   BASELINE=DIR   a build/bin of an earlier commit: its wizard is timed and its first 3D pass
#                  counted in the same run, for before/after ratios, and its host's --build peak memory
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh -DCORVELLE_BUILD_BENCHMARKS=ON
bin=build/bin
tmp=$(mktemp -d)
xvfb=""
trap '[ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT

echo "== Start-up to the first painted pixel and peak memory (X display of its own)"
# -displayfd: the server picks a free display and names it once it accepts connections.
Xvfb -displayfd 3 -br -nolisten tcp -screen 0 1280x800x24 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "bench.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$tmp/display")" "$bin/bench_startup" "$bin/bench_bare_dialog" "$bin/corvelle" "${RUNS:-31}" \
    ${BASELINE:+"$BASELINE/corvelle"}

echo "== Screen transitions of the 3D path (offscreen)"
QT_QPA_PLATFORM=offscreen "$bin/bench_transitions" "${RUNS:-30}"

echo "== Instructions of one whole first 3D pass, start to Finish (callgrind, offscreen)"
instructions() { # bench_transitions binary
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --toggle-collect='FirstPass*' \
        --callgrind-out-file="$tmp/callgrind.out" "$1" --first-pass >/dev/null 2>&1
    callgrind_annotate "$tmp/callgrind.out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }'
}
now=$(instructions "$bin/bench_transitions")
echo "this build: $now instructions"
if [ -n "${BASELINE:-}" ]; then
    before=$(instructions "$BASELINE/bench_transitions")
    echo "baseline ($BASELINE): $before instructions; this build / baseline $(awk -v a="$now" -v b="$before" \
        'BEGIN { printf "%.3f (%.1f%% fewer; target >= 30%%)", a / b, 100 * (1 - a / b) }')"
fi

echo "== 3D launch against corvelle-host (private bus)"
QT_QPA_PLATFORM=offscreen dbus-run-session -- "$bin/bench_host_launch" "${RUNS:-30}"

echo "== Shed model: the largest design against the 8 x 10 ft shed"
CORVELLE_BASELINE_HOST=${BASELINE:+"$BASELINE/corvelle-host"} "$bin/bench_shed" "${RUNS:-21}"

echo "== Host start-up to the first painted pixel against a bare QMainWindow (private bus)"
DISPLAY=":$(head -n1 "$tmp/display")" dbus-run-session -- \
    "$bin/bench_host_startup" "$bin/bench_bare_mainwindow" "$bin/corvelle-host" "${RUNS:-31}"

echo "== 3D document of the largest design against the smallest (Mesa software renderer)"
DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 \
    "$bin/bench_view3d" tests/data/ShedData.txt refhost/data "${VIEW3D_RUNS:-5}"

echo "== An edit of the design, and its undo, to the next 3D frame, against opening the document afresh"
DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 \
    "$bin/bench_edit" tests/data/ShedData.txt refhost/data "${VIEW3D_RUNS:-5}"

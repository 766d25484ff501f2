#!/usr/bin/env bash
# Builds and runs the benchmarks; every figure is a ratio against a baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
bin=build/bin

echo "== Start-up and peak memory (X display of its own)"
number=100
while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -br -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
until DISPLAY=":$number" xwininfo -root >/dev/null 2>&1; do sleep 0.1; done
DISPLAY=":$number" "$bin/bench_startup" "$bin/bench_bare_dialog" "$bin/corvelle" "${RUNS:-15}"

echo "== Screen transitions of the 3D path (offscreen)"
QT_QPA_PLATFORM=offscreen "$bin/bench_transitions" "${RUNS:-30}"

echo "== 3D launch against corvelle-host (private bus)"
QT_QPA_PLATFORM=offscreen dbus-run-session -- "$bin/bench_host_launch" "${RUNS:-30}"

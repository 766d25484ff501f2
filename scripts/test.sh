#!/usr/bin/env bash
# Builds and runs the whole test suite on a private session bus, without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
dbus-run-session -- ctest --test-dir build --output-on-failure "$@"
# A short libFuzzer pass over every target, from the kept corpus and crash inputs.
scripts/fuzz.sh --runs "${CORVELLE_FUZZ_RUNS:-20000}"

#!/usr/bin/env bash
# Builds and runs the whole test suite on a private session bus, without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
exec dbus-run-session -- ctest --test-dir build --output-on-failure "$@"

#!/usr/bin/env bash
# Builds and runs the whole test suite on a private session bus, without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
# The Khronos glTF validator and the web-ifc reader that the shed export test runs, kept
# under build/.
if [ ! -d build/npm/node_modules/gltf-validator ] || [ ! -d build/npm/node_modules/web-ifc ]; then
    if ! command -v npm >/dev/null; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends nodejs npm
    fi
    npm install --no-audit --no-fund --silent --prefix build/npm gltf-validator@2.0.0-dev.3.10 web-ifc@0.0.78
fi
export QT_QPA_PLATFORM=offscreen
dbus-run-session -- ctest --test-dir build --output-on-failure "$@"
# A short libFuzzer pass over every target, from the kept corpus and crash inputs.
scripts/fuzz.sh --runs "${CORVELLE_FUZZ_RUNS:-20000}"

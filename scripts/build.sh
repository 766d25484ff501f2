#!/usr/bin/env bash
# Configures and builds everything into build/ (programs in build/bin/). Arguments are
# passed to the configure step (scripts/bench.sh adds -DCORVELLE_BUILD_BENCHMARKS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
"scripts/deps.sh"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build "${launcher[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"

#!/usr/bin/env bash
# Renders every wizard screen, as first shown, to docs/screenshots/screenN.png
# without a display (offscreen platform). With --large it also writes
# screenN-large.png in the Large Fonts layout.
# BUILD_DIR selects the build tree (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
large=false
[ "${1:-}" = "--large" ] && large=true

cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target corvelle-screenshot
tool="$build/bin/corvelle-screenshot"

export QT_QPA_PLATFORM=offscreen
mkdir -p docs/screenshots
for n in $(seq 1 13); do
    # A cell height of 13 pixels is the small-fonts desktop; 17 is Large Fonts.
    "$tool" --screen "$n" --cell-height 13 --out "docs/screenshots/screen$n.png"
    if $large; then
        "$tool" --screen "$n" --cell-height 17 --out "docs/screenshots/screen$n-large.png"
    fi
done
echo "Screenshots written to docs/screenshots/"

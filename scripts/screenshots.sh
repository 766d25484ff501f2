#!/usr/bin/env bash
# Renders every wizard screen, as first shown, to docs/screenshots/screenN.png
# without a display (offscreen platform), and the 2D screen at two more styles. With
# --large it also writes screenN-large.png in the Large Fonts layout. Also the first screen
# with a frame focused by the keyboard (screen1-keyboard.png). Then the host's 3D
# document in its four shading modes and plan pages (host-3d-MODE.png, plans-pageN.png,
# style-plan-102.png), and the host's whole window after each path's Finish (host-3d.png,
# host-2d.png).
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
# The first screen with the 2D frame focused from the keyboard.
"$tool" --screen 1 --cell-height 13 --out docs/screenshots/screen1-keyboard.png Frame1=focus
# Two more building styles on the 2D screen: Forward six times, and Previous twice.
"$tool" --screen 2 --cell-height 13 --out docs/screenshots/screen2-style107.png $(printf 'Command2=click %.0s' 1 2 3 4 5 6)
"$tool" --screen 2 --cell-height 13 --out docs/screenshots/screen2-style118.png Command1=click Command1=click

# The host's shed document in each shading mode and two plan pages: 3D needs a real X
# server, so these run under xvfb-run with Mesa's software renderer.
cmake --build "$build" -j2 --target corvelle-host-screenshot
QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/bin/corvelle-host-screenshot" tests/data/ShedData.txt docs/screenshots
cmake --build "$build" -j2 --target corvelle-host
QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1600x1000x24" \
    dbus-run-session -- scripts/screenshot/host_window.sh "$build/bin" docs/screenshots
echo "Screenshots written to docs/screenshots/"

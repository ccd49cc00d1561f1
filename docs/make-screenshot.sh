#!/bin/sh
# Renders docs/screenshot.png from the real dialog, off screen. Run from
# anywhere after `make build` (or it configures the build itself).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target dunmerrow_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/screenshot/dunmerrow_screenshot docs/screenshot.png
echo "Wrote docs/screenshot.png"

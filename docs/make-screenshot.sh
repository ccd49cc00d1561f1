#!/bin/sh
# Renders docs/screenshot.png from the real dialog, and
# docs/results-screenshot.png from the results window showing
# docs/example-BATTERY.TXT, off screen. Run from anywhere after `make build`
# (or it configures the build itself).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target dunmerrow_screenshot dunmerrow_results_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/screenshot/dunmerrow_screenshot docs/screenshot.png
echo "Wrote docs/screenshot.png"
QT_QPA_PLATFORM=offscreen ./build/tools/screenshot/dunmerrow_results_screenshot \
    docs/example-BATTERY.TXT docs/results-screenshot.png
echo "Wrote docs/results-screenshot.png"

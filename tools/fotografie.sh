#!/bin/sh
# Renders the README's pictures of the four screens at 1280 x 800 into docs/,
# with the program's own code. Run it whenever a screen changes:
#   tools/fotografie.sh [build folder]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target fotografie
schermo=$(mktemp)
trap 'rm -f "$schermo"' EXIT
echo '{ "windowFrameMargins": false, "screens": [ { "name": "foto", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96 } ] }' >"$schermo"
QT_QPA_PLATFORM="offscreen:configfile=$schermo" "$build/fotografie" docs

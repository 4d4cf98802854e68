#!/bin/bash
# Runs a suite cross-built for Windows under Wine with Qt's own windows
# platform, on a virtual X display with openbox: the windows are real ones,
# drawn with the fonts Windows programs get.
#   [PARSILIA_SCHERMO=WxH] tests/finestre-wine.sh SUITE.exe [ARGUMENTS...]
# on a display of 1280 x 1024 unless PARSILIA_SCHERMO says otherwise.
# The Wine prefix is the one of tests/fumo-wine.sh (CTest runs the two one
# at a time: Wine's desktop keeps the display of the first program).
set -u
qui=$(cd "$(dirname "$0")" && pwd)
. "$qui/schermo.sh"
export PARSILIA_WINEPREFIX=${PARSILIA_WINEPREFIX_SCHERMO:-$(cd "$(dirname "$1")" && pwd)/wine-schermo}
pid_wm=
trap 'WINEPREFIX=$PARSILIA_WINEPREFIX wineserver -k 2>/dev/null; [ -z "$pid_wm" ] || kill $pid_wm 2>/dev/null; schermo_chiudi' EXIT
schermo_avvia "${PARSILIA_SCHERMO:-1280x1024}x24" || exit 1
openbox >/dev/null 2>&1 &
pid_wm=$!
QT_QPA_PLATFORM=windows "$qui/wine.sh" "$@"

#!/bin/bash
# Runs a test program on a virtual X display of its own, without a window
# manager or with openbox, and tells it which in PARSILIA_GESTORE.
#
#   scrivania.sh <program> [openbox]
set -u
programma=$1
gestore=${2:-}
lavoro=$(mktemp -d)
pid_x=; pid_g=
trap 'kill $pid_g $pid_x 2>/dev/null; wait 2>/dev/null; rm -rf "$lavoro"' EXIT

exec 3>"$lavoro/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pid_x=$!
for _ in $(seq 200); do [ -s "$lavoro/display" ] && break; sleep 0.05; done
[ -s "$lavoro/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n1 "$lavoro/display")

export PARSILIA_GESTORE=0
if [ "$gestore" = openbox ]; then
    # Openbox runs the --startup command once it manages the display.
    openbox --sm-disable --startup "touch $lavoro/pronto" >/dev/null 2>&1 &
    pid_g=$!
    for _ in $(seq 200); do [ -e "$lavoro/pronto" ] && break; sleep 0.05; done
    [ -e "$lavoro/pronto" ] || { echo "FAIL: openbox did not start"; exit 1; }
    export PARSILIA_GESTORE=1
fi
QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$programma"

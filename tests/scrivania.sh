#!/bin/bash
# Runs a test program on a virtual X display of its own, without a window
# manager or with openbox, and tells it which in PARSILIA_GESTORE.
#
#   scrivania.sh <program> [openbox]
set -u
programma=$1
gestore=${2:-}
. "$(dirname "$0")/schermo.sh"
lavoro=$(mktemp -d)
pid_g=
trap '[ -z "$pid_g" ] || kill $pid_g 2>/dev/null; schermo_chiudi; rm -rf "$lavoro"' EXIT

schermo_avvia 1280x800x24 || exit 1
export PARSILIA_GESTORE=0
if [ "$gestore" = openbox ]; then
    # Openbox runs the --startup command once it manages the display.
    openbox --sm-disable --startup "touch $lavoro/pronto" >/dev/null 2>&1 &
    pid_g=$!
    attendi 10 test -e "$lavoro/pronto" || { echo "FAIL: openbox did not start"; exit 1; }
    export PARSILIA_GESTORE=1
fi
# No teacher's file of this machine's user: the built-in sentences.
XDG_DATA_HOME=$lavoro/dati XDG_DATA_DIRS=$lavoro/dati QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$programma"

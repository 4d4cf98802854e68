#!/bin/bash
# Runs a suite cross-built for Windows under Wine, as CTest runs a native one:
#   tests/wine.sh SUITE.exe [ARGUMENTS...]
# Under Wine, Qt Test's report does not reach a pipe, so it is
# written to a file and printed from there; the exit code is the suite's.
# The Wine prefix is $PARSILIA_WINEPREFIX (made at the first run, one run at
# a time), by default wine/ beside the suite.
set -u

programma=$1
shift
export WINEPREFIX=${PARSILIA_WINEPREFIX:-$(cd "$(dirname "$programma")" && pwd)/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No menu entries on this machine's desktop, no offer to download Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
        wineserver -w
    ) 9>"$WINEPREFIX.lock"
fi

rapporto=$(mktemp /tmp/wine-suite.XXXXXX)
trap 'rm -f "$rapporto"' EXIT
# Qt's offscreen platform on Windows takes its fonts from one folder, not
# from the system: Liberation Sans there stands for Arial, as on Linux.
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-/usr/share/fonts/truetype/liberation2}
# Wine keeps the QT_ variables of Linux from Windows programs, but hands
# on WINEQT_X as QT_X.
while IFS='=' read -r nome _; do
    export "WINE$nome=${!nome}"
done < <(env | grep -E '^QT_[A-Za-z0-9_]*=')
argomenti=("$@")
# A suite asked for its list of functions, or told where to write, is left be.
case " $* " in
    *" -o "* | *" -functions "* | *" -help "*) ;;
    *) argomenti+=(-o "$(winepath -w "$rapporto"),txt") ;;
esac
wine "$programma" "${argomenti[@]}"
esito=$?
cat "$rapporto"
exit $esito

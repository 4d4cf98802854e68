#!/bin/bash
# Runs a suite cross-built for Windows under Wine, as CTest runs a native one:
#   tests/wine.sh SUITE.exe [ARGUMENTS...]
# Under Wine, Qt Test's report does not reach a pipe, so it is
# written to a file and printed from there; the exit code is the suite's.
# The Wine prefix is tests/wine-prefisso.sh's: wine/ beside the suite.
set -u

programma=$1
shift
. "$(dirname "$0")/wine-prefisso.sh" "$(dirname "$programma")"
rapporto=$(mktemp /tmp/wine-suite.XXXXXX)
trap 'rm -f "$rapporto" "$rapporto.wine"' EXIT
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
    *) argomenti+=(-o "$(winepath -w "$rapporto" 2>/dev/null),txt") ;;
esac
# What Wine itself says goes to a file too: the programs Wine starts on
# demand (explorer.exe for the first window, services...) keep the
# standard error of the program that needed them for as long as the Wine
# server lives, which other suites keep alive; CTest, which waits for the
# suite's pipe to close, would then time out a suite that ended long ago.
wine "$programma" "${argomenti[@]}" </dev/null >"$rapporto.wine" 2>&1
esito=$?
cat "$rapporto.wine" "$rapporto"
exit $esito

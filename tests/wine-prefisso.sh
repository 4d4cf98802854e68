# The Wine prefix of the tests that run Windows programs here. Source it:
#   . tests/wine-prefisso.sh FOLDER
# exports WINEPREFIX ($PARSILIA_WINEPREFIX, or FOLDER/wine), made at the
# first use (one at a time), with Wine quiet and kept from this machine's
# desktop (no menu entries, no offer to download Mono or Gecko).
export WINEPREFIX=${PARSILIA_WINEPREFIX:-$(cd "$1" && pwd)/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Ready once marked so: Wine writes system.reg early, while the prefix is
# still being made, and a program started then may hang.
if [ ! -f "$WINEPREFIX/.pronto" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.pronto" ]; then
            wineboot -i >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.pronto"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
# Wine's server and the programs the first client starts with it
# (services.exe, explorer.exe, ...) keep that client's standard error open
# for as long as the server lives. Started by a suite, they would hold
# CTest's pipe for as long as other suites keep the server busy, and CTest,
# which waits for the pipe to close, would time the suite out long after it
# ended. A client of nothing of ours starts them first, if they are not
# running yet.
wine cmd /c exit </dev/null >/dev/null 2>&1

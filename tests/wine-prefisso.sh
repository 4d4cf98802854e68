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

#!/bin/bash
# espeak-ng for 64-bit Windows: a static library and the data of its Italian
# voice, cross-built here with mingw-w64 from Debian's own source of
# espeak-ng 1.52.0. The library and the data come from that one source (the
# data compiled by the native tools of the same build), so they match.
#
# Why not the 1.51 of Debian 12 that the Linux build uses (libespeak-ng-dev)?
# The archive does not always serve its source whole: the mirror this was
# first built against had lost the 1.51 orig tarball. So Windows speaks with
# the same engine one release later. Its Debian source is that of trixie
# (Debian 13), 1.52.0+dfsg-5: bookworm-backports carries the same release
# as 1.52.0+dfsg-5~bpo12+1, rebuilt from this very source (the same orig
# tarball), but that mirror served neither its .dsc nor its debian tarball.
# Linux keeps Debian 12's 1.51; the check below has both speak the same
# sentence and holds each to the length Italian speech takes.
#
#   packaging/windows/espeak-mingw.sh           build it if it is not cached yet
#   packaging/windows/espeak-mingw.sh --prefix  only print where it is (or would be)
#
# Run as root (it installs with apt and writes under /var/cache/parsilia).
# The result is kept in /var/cache/parsilia/espeak-ng-<version>-mingw64-static-<hash>,
# the hash covering the source's Debian version, the configure options, the
# compilers and the data files kept: changing any of them builds anew beside
# the old one, and a run that finds its build complete does nothing. The
# build takes a few minutes; its output goes to /var/cache/parsilia/espeak-build.log.
#
# What the prefix holds:
#   include/espeak-ng/speak_lib.h, espeak_ng.h, encoding.h
#   lib/libespeak-ng.a       static; it needs only kernel32, advapi32 and
#                            msvcrt, which mingw links by default
#   espeak-ng-data/          phontab, phonindex, phondata, intonations,
#                            it_dict, en_dict and lang/roa/it: what the
#                            Italian voice reads, nothing more
# A program compiles against it with -DLIBESPEAK_NG_EXPORT: without it the
# headers declare every function as imported from a DLL, which a static
# library is not. It gives espeak_Initialize the espeak-ng-data folder, in
# the system's ANSI code page (espeak-ng opens its files with fopen) and in
# under 200 characters (the length espeak-ng keeps of it), and passes
# espeakINITIALIZE_DONT_EXIT, or a missing data file ends the whole program.
set -euo pipefail

QUI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CACHE=${PARSILIA_CACHE:-/var/cache/parsilia}
LOG=$CACHE/espeak-build.log
JOBS=${PARSILIA_ESPEAK_JOBS:-2}
MINGW=x86_64-w64-mingw32

# Only synthesis into memory: no audio output of its own (pcaudiolib), no
# speed-up library (sonic), no command queue and its threads (async), no
# other synthesizers (Klatt, speechPlayer, MBROLA), no large dictionaries of
# other languages. Static only: the program is one static executable. An
# option this release does not know stops configure, not just warns.
FUNZIONI=(
    --without-pcaudiolib
    --without-sonic
    --without-async
    --without-klatt
    --without-speechplayer
    --without-mbrola
    --without-extdict-ru
    --without-extdict-cmn
    --without-extdict-yue
    --disable-shared
    --enable-static
    --enable-option-checking=fatal
)
OPZIONI_WINDOWS=(
    --host=$MINGW
    CC=$MINGW-gcc-posix
    CXX=$MINGW-g++-posix
    CFLAGS=-O2
    CXXFLAGS=-O2
)

# What espeak-ng reads to speak Italian: the phoneme tables and their sounds
# (one set for every language, which the Italian one builds on), the
# intonation tunes, the Italian dictionary and the voice's own file; and the
# English dictionary, through which it names the signs and letters the Italian
# dictionary lacks (« », ǅ): without it, such a sign in a sentence crashes it.
DATI=(phontab phonindex phondata intonations it_dict en_dict lang/roa/it)

# Debian's source of the Windows library, pinned: a suite of the archive
# the machine already uses, and the exact version in it. Once that version
# leaves the suite, apt-get source fails rather than build another one.
SUITE=trixie
VERSIONE=1.52.0+dfsg-5

# libespeak-ng-dev: Debian 12's library, for the same check natively.
PACCHETTI=(g++-mingw-w64-x86-64-posix g++ make autoconf automake libtool dpkg-dev xz-utils
           libespeak-ng-dev wine wine64)

. "$QUI/installa-pacchetti.sh"

# apt-get source needs a deb-src entry for $SUITE. It is made from the
# machine's own entries for its Debian release (same mirror, components and
# keys; the security archive carries no such suite) and goes into a private
# apt state under the work folder, which goes with it: the machine's own apt
# configuration and package lists are left as they were.
APT_SORGENTI=()
sorgenti_privati() {
    local dir=$1/apt f rilascio
    rilascio=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    mkdir -p "$dir/sources.list.d" "$dir/lists/partial"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v rilascio="$rilascio" -v suite="$SUITE" 'BEGIN { RS = ""; ORS = "\n\n" }
             /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ && match($0, /Suites:[^\n]*/) {
                 n = split(substr($0, RSTART + 7, RLENGTH - 7), s, /[ \t]+/)
                 for (i = 1; i <= n; i++) if (s[i] == rilascio) {
                     sub(/Types:[^\n]*/, "Types: deb-src"); sub(/Suites:[^\n]*/, "Suites: " suite)
                     print; break
                 }
             }' "$f" >> "$dir/sources.list.d/debian-src.sources"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -nE "s/^deb[[:space:]]+((\[[^]]*\][[:space:]]+)?[^[:space:]]*debian[^[:space:]]*)[[:space:]]+$rilascio[[:space:]]/deb-src \1 $SUITE /p" \
            /etc/apt/sources.list | sort -u > "$dir/sources.list"
    fi
    : >> "$dir/sources.list"
    if ! grep -qs . "$dir/sources.list" "$dir/sources.list.d/debian-src.sources"; then
        echo "espeak-mingw.sh: no Debian archive for ${rilascio:-this release} in the machine's apt sources" >&2
        exit 1
    fi
    chown -R _apt "$dir/lists" 2>/dev/null || true
    APT_SORGENTI=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/sources.list.d"
                  -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
    echo "Reading Debian's $SUITE source archive into a private apt state ($dir)"
    esegui apt-get "${APT_SORGENTI[@]}" update -q
}

chiave() {
    {
        echo "$SUITE $VERSIONE"
        printf '%s\n' "${FUNZIONI[@]}" "${OPZIONI_WINDOWS[@]}" "${DATI[@]}"
    } | sha256sum | cut -c1-10
}

prefisso() {
    local v=${VERSIONE%%+*}
    v=${v%%-*}
    echo "$CACHE/espeak-ng-$v-mingw64-static-$(chiave)"
}

if [ "${1:-}" = --prefix ]; then
    prefisso
    exit 0
fi

[ "$(id -u)" = 0 ] || { echo "espeak-mingw.sh installs packages and writes $CACHE: run it as root" >&2; exit 1; }
inizio=$(date +%s)
mkdir -p "$CACHE"

# One build at a time: a second run waits for the first and then finds it.
exec 9> "$CACHE/espeak-build.lock"
flock 9

installa_pacchetti
PREFIX=$(prefisso)
if [ -f "$PREFIX/.completo" ]; then
    echo "espeak-ng for Windows already built: $PREFIX ($(($(date +%s) - inizio)) s)"
    exit 0
fi

LAVORO=$CACHE/lavoro-$(basename "$PREFIX")
VINO=
pulisci() {
    if [ -n "$VINO" ]; then
        WINEPREFIX=$VINO/wine wineserver -k 2>/dev/null || true
        rm -rf "$VINO"
    fi
}
trap pulisci EXIT
rm -rf "$LAVORO" "$PREFIX"
mkdir -p "$LAVORO" "$PREFIX"

echo "Building espeak-ng $VERSIONE for Windows into $PREFIX (log: $LOG)"
: > "$LOG"
esegui() {
    echo "+ $*" >> "$LOG"
    if ! "$@" >> "$LOG" 2>&1; then
        echo "espeak-mingw.sh: failed: $*" >&2
        tail -n 40 "$LOG" >&2
        exit 1
    fi
}
lento() { esegui nice -n 19 ionice -c3 "$@"; }
sorgenti_privati "$LAVORO"

cd "$LAVORO"
# apt refuses to drop its privileges into a folder its user cannot write.
chown _apt "$LAVORO" 2>/dev/null || true
esegui apt-get "${APT_SORGENTI[@]}" source --download-only "espeak-ng=$VERSIONE"
esegui dpkg-source -x ./*.dsc sorgente
(cd sorgente && lento ./autogen.sh)

# The data is compiled by espeak-ng itself, so it is built twice: for this
# machine, to run its compiler, and for Windows, the library alone. Each
# build has its own copy of the tree, as espeak-ng builds only in place.
cp -a sorgente nativo
cp -a sorgente windows

cd "$LAVORO/nativo"
lento ./configure "${FUNZIONI[@]}"
lento make -j"$JOBS" src/espeak-ng
dizionari=()
for f in "${DATI[@]}"; do
    if [[ $f == *_dict ]]; then dizionari+=("espeak-ng-data/$f"); fi
done
lento make phsource/phonemes.stamp "${dizionari[@]}"

cd "$LAVORO/windows"
lento ./configure --prefix="$PREFIX" "${FUNZIONI[@]}" "${OPZIONI_WINDOWS[@]}"
lento make -j"$JOBS" src/libespeak-ng.la
esegui make install-espeak_ng_includeHEADERS install-libLTLIBRARIES
rm -f "$PREFIX"/lib/*.la

for f in "${DATI[@]}"; do
    esegui install -D -m 644 "$LAVORO/nativo/espeak-ng-data/$f" "$PREFIX/espeak-ng-data/$f"
done

# Proof that it speaks: the same Italian sentence, then a line of signs,
# into memory on Windows (under Wine, with the data kept above) and on Linux
# (Debian 12's library and data, one release older). Each prints the
# sentence's samples, sample rate and peak, then the samples of the signs.
prova=$QUI/prova-espeak.cpp
debian=/usr/lib/x86_64-linux-gnu/espeak-ng-data
lento "$MINGW-g++-posix" -O2 -static -DLIBESPEAK_NG_EXPORT -I"$PREFIX/include" \
    -o "$LAVORO/prova.exe" "$prova" -L"$PREFIX/lib" -lespeak-ng
lento g++ -O2 -o "$LAVORO/prova" "$prova" -lespeak-ng
linux=$("$LAVORO/prova" "$debian" 2>> "$LOG") || linux=
VINO=$(mktemp -d /tmp/espeak-wine.XXXXXX)
# A program that crashes under Wine gets its report on the standard output:
# into the log with the rest, and only the line of figures kept.
WINEPREFIX=$VINO/wine WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" \
    wine "$LAVORO/prova.exe" "Z:$PREFIX/espeak-ng-data" > "$LAVORO/prova.txt" 2>> "$LOG" || true
tr -d '\r' < "$LAVORO/prova.txt" | tee -a "$LOG" > "$LAVORO/prova-lf.txt"
windows=$(grep -E '^[0-9]+ [0-9]+ [0-9]+ [0-9]+$' "$LAVORO/prova-lf.txt" || true)
echo "Windows under Wine: ${windows:-nothing}; Linux: ${linux:-nothing} (samples, Hz, peak, samples of the signs)" |
    tee -a "$LOG"
# "Il gatto dorme sul divano. Perché c'è l'ora?" takes two or three seconds,
# the signs more than one: anything far from that is no Italian voice. The
# two releases need not give the same count, only both a plausible one.
parla() {
    local campioni hz picco simboli
    read -r campioni hz picco simboli <<< "${1:-0 0 0 0}"
    ((hz > 0 && campioni > hz * 3 / 2 && campioni < hz * 5 && picco > 1000 && simboli > hz))
}
for chi in windows linux; do
    if ! parla "${!chi}"; then
        echo "espeak-mingw.sh: the $chi check does not speak the Italian sentence and the signs" >&2
        exit 1
    fi
done

cd "$CACHE"
rm -rf "$LAVORO"
durata=$(($(date +%s) - inizio))
{
    date -u
    echo "Windows: $windows; Linux: $linux"
} > "$PREFIX/.completo"
echo "espeak-ng for Windows built in $((durata / 60)) min $((durata % 60)) s: $PREFIX" \
     "(library $(du -h "$PREFIX/lib/libespeak-ng.a" | cut -f1), data $(du -sh "$PREFIX/espeak-ng-data" | cut -f1))"

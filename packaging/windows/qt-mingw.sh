#!/bin/bash
# A static Qt for 64-bit Windows, cross-built here with mingw-w64 from
# Debian's own source of the Qt the Linux build uses, so that the host tools
# (moc, rcc, uic of qt6-base-dev-tools) match it exactly.
#
#   packaging/windows/qt-mingw.sh           build it if it is not cached yet
#   packaging/windows/qt-mingw.sh --prefix  only print where it is (or would be)
#
# Run as root (it installs with apt and writes under /var/cache/parsilia).
# The result is kept in /var/cache/parsilia/qt-<version>-mingw64-static-<hash>,
# the hash covering the configure options, our patches and the toolchain file:
# changing any of them builds a new Qt beside the old one, and a run that finds
# its Qt complete does nothing. The build takes the better part of an hour on
# two cores; its output goes to /var/cache/parsilia/qt-build.log.
set -euo pipefail

QUI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CACHE=${PARSILIA_CACHE:-/var/cache/parsilia}
LOG=$CACHE/qt-build.log
TOOLCHAIN=$QUI/mingw64.cmake
PATCHES=("$QUI"/qt-*.patch)
JOBS=${PARSILIA_QT_JOBS:-2}

# What Parsilia uses and nothing more: Core, Gui, Widgets and Test, with the
# windows and offscreen platform plugins. Fonts, shaping and PNG come from
# Qt's bundled copies (mingw's sysroot has none of them). zstd is off because
# Debian's source insists on the system's shared libzstd; the tablet events
# are off because Debian's source lacks their Windows headers; OpenGL is off
# with the one-line patch beside this script. No JPEG nor GIF: the program
# paints its pictures and its icon is PNG. Direct2D stays on although its
# platform plugin goes unused: Qt builds its DirectWrite font engine and
# database only with it, and the windows plugin needs them.
OPZIONI=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_freetype=ON
    -DFEATURE_system_freetype=OFF
    -DFEATURE_harfbuzz=ON
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_png=ON
    -DFEATURE_system_png=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_style_windows=ON
)

PACCHETTI=(g++-mingw-w64-x86-64-posix ninja-build cmake dpkg-dev xz-utils qt6-base-dev-tools qt6-base-dev)

# The Qt source is the one of the host tools: same Debian version.
versione_debian() { dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true; }

. "$QUI/installa-pacchetti.sh"

# apt-get source needs deb-src entries. Those of the Debian archives the
# machine already uses (same suites, components and keys) go into a private
# apt state under the work folder, which goes with it: the machine's own
# apt configuration and package lists are left as they were.
APT_SORGENTI=()
sorgenti_privati() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
        return
    fi
    local dir=$1/apt f
    mkdir -p "$dir/sources.list.d" "$dir/lists/partial"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ {
                 sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >> "$dir/sources.list.d/debian-src.sources"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb[[:space:]].*debian' /etc/apt/sources.list | sed 's/^deb[[:space:]]/deb-src /' \
            > "$dir/sources.list" || true
    fi
    : >> "$dir/sources.list"
    chown -R _apt "$dir/lists" 2>/dev/null || true
    APT_SORGENTI=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/sources.list.d"
                  -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
    echo "Reading the Debian source archives into a private apt state ($dir)"
    apt-get "${APT_SORGENTI[@]}" update -q
}

chiave() {
    {
        versione_debian; echo
        printf '%s\n' "${OPZIONI[@]}"
        cat "$TOOLCHAIN" "${PATCHES[@]}"
    } | sha256sum | cut -c1-10
}

prefisso() {
    local v
    v=$(versione_debian)
    v=${v%%+*}; v=${v%%-*}
    echo "$CACHE/qt-$v-mingw64-static-$(chiave)"
}

if [ "${1:-}" = --prefix ]; then
    prefisso
    exit 0
fi

[ "$(id -u)" = 0 ] || { echo "qt-mingw.sh installs packages and writes $CACHE: run it as root" >&2; exit 1; }
inizio=$(date +%s)
mkdir -p "$CACHE"

# One build at a time: a second run waits for the first and then finds its Qt.
exec 9> "$CACHE/qt-build.lock"
flock 9

installa_pacchetti
PREFIX=$(prefisso)
if [ -f "$PREFIX/.completo" ]; then
    echo "Qt for Windows already built: $PREFIX ($(($(date +%s) - inizio)) s)"
    exit 0
fi

VERSIONE=$(versione_debian)
LAVORO=$CACHE/lavoro-$(basename "$PREFIX")
rm -rf "$LAVORO" "$PREFIX"
mkdir -p "$LAVORO" "$PREFIX"
sorgenti_privati "$LAVORO"
# The toolchain travels with the Qt it built: Qt's own qt.toolchain.cmake
# names it, and the worktree it came from may move.
cp "$TOOLCHAIN" "$PREFIX/mingw64.cmake"

echo "Building Qt $VERSIONE for Windows into $PREFIX (log: $LOG)"
: > "$LOG"
esegui() {
    echo "+ $*" >> "$LOG"
    if ! "$@" >> "$LOG" 2>&1; then
        echo "qt-mingw.sh: failed: $*" >&2
        tail -n 40 "$LOG" >&2
        exit 1
    fi
}

cd "$LAVORO"
# apt refuses to drop its privileges into a folder its user cannot write.
chown _apt "$LAVORO" 2>/dev/null || true
esegui apt-get "${APT_SORGENTI[@]}" source --download-only "qt6-base=$VERSIONE"
esegui dpkg-source -x ./*.dsc sorgente
for p in "${PATCHES[@]}"; do
    esegui patch -d sorgente -p1 -i "$p"
done

esegui nice -n 19 ionice -c3 cmake -G Ninja -S sorgente -B compilazione \
    -DCMAKE_TOOLCHAIN_FILE="$PREFIX/mingw64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    "${OPZIONI[@]}"
echo "Configured; compiling ($(grep -c '' compilazione/build.ninja) lines of build.ninja)"
esegui nice -n 19 ionice -c3 cmake --build compilazione --parallel "$JOBS"
esegui nice -n 19 ionice -c3 cmake --install compilazione

cd "$CACHE"
rm -rf "$LAVORO"
durata=$(($(date +%s) - inizio))
date -u > "$PREFIX/.completo"
echo "Qt for Windows built in $((durata / 60)) min $((durata % 60)) s: $PREFIX ($(du -sh "$PREFIX" | cut -f1))"

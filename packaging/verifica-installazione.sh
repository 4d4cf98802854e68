#!/bin/sh
# Installs the build into a scratch prefix (with a space in its name) and
# checks the result: exactly the expected files, the right modes, PNG icons
# of the size their folder names, a copyright file in Debian's format, and
# a launcher that starts the program from there, also through a symbolic
# link, and that SIGTERM stops. Then, with dpkg-dev, the Debian package's
# dependencies and Maintainer, and a release gathered with it.
#
#   sh verifica-installazione.sh <build folder> <scratch folder>

set -u
build=$1
prova=$2
prefisso="$prova/un prefisso"
guasti=0

guasto() {
    echo "FAIL: $*"
    guasti=$((guasti + 1))
}

rm -rf "$prova"
mkdir -p "$prova"
"${CMAKE:-cmake}" --install "$build" --prefix "$prefisso" >"$prova/install.log" 2>&1 ||
    { cat "$prova/install.log"; echo "FAIL: cmake --install"; exit 1; }

id=it.parsilia.Parsilia
atteso="bin/parsilia
lib/parsilia/parsilia"
for s in conga congafine esatto esatto2 esatto3 esatto4 esatto5 premivia rumorevia sbagliato1; do
    atteso="$atteso
lib/parsilia/suoni/$s.wav"
done
atteso="$atteso
share/applications/$id.desktop
share/doc/parsilia/frasi-esempio.txt
share/man/man1/parsilia.1.gz
share/icons/hicolor/scalable/apps/$id.svg"
for n in 16 32 48 64 128 256; do
    atteso="$atteso
share/icons/hicolor/${n}x$n/apps/$id.png"
done
atteso="$atteso
share/metainfo/$id.metainfo.xml
share/doc/parsilia/copyright"

trovato=$(cd "$prefisso" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
atteso=$(printf '%s\n' "$atteso" | LC_ALL=C sort)
if [ "$trovato" != "$atteso" ]; then
    guasto "installed files differ from the expected layout"
    printf '%s\n' "$atteso" >"$prova/atteso"
    printf '%s\n' "$trovato" >"$prova/trovato"
    diff "$prova/atteso" "$prova/trovato"
fi

for f in bin/parsilia lib/parsilia/parsilia; do
    [ -x "$prefisso/$f" ] || guasto "$f is not executable"
done
for f in $(cd "$prefisso" && find share lib/parsilia/suoni -type f); do
    [ -x "$prefisso/$f" ] && guasto "$f should not be executable"
done
lontani=$(find "$prefisso" -perm /022 | head -n 3)
[ -z "$lontani" ] || guasto "writable by others: $lontani"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for n in 16 32 48 64 128 256; do
    png="$prefisso/share/icons/hicolor/${n}x$n/apps/$id.png"
    [ -f "$png" ] || continue
    set -- $(od -An -tu1 -j16 -N8 "$png")
    larghezza=$(( ($1 << 24) | ($2 << 16) | ($3 << 8) | $4 ))
    altezza=$(( ($5 << 24) | ($6 << 16) | ($7 << 8) | $8 ))
    [ "$larghezza $altezza" = "$n $n" ] || guasto "$png is ${larghezza}x$altezza, not ${n}x$n"
done

# The copyright file in Debian's machine-readable format: fields and their
# continuation lines only, every file under the GPL 3 or later (the
# metainfo's licence) with who holds it, the metadata under CC0 as it says,
# where the sources are, and the licences' texts pointed to where Debian
# keeps them.
copyright="$prefisso/share/doc/parsilia/copyright"
if [ -f "$copyright" ]; then
    cerca() { grep -Eq "$1" "$copyright" || guasto "copyright: no line like $1"; }
    head -n1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        guasto "copyright: the first line is not DEP-5's Format"
    strana=$(grep -Env '^$|^ |^[A-Za-z-]+: ?' "$copyright" | head -n1)
    [ -z "$strana" ] || guasto "copyright: neither a field nor a continuation: $strana"
    cerca '^Upstream-Name: Parsilia$'
    cerca '^Files: \*$'
    cerca '^Copyright: [0-9]{4}(-[0-9]{4})? [^<>]+ <[^<>@ ]+@[^<> ]+>$'
    [ "$(grep -c '^License: GPL-3+$' "$copyright")" = 2 ] ||
        guasto "copyright: GPL-3+ should be named once for the files and once with its text"
    cerca '^ .*"/usr/share/common-licenses/GPL-3"\.$'
    cerca '^ .*"/usr/share/common-licenses/CC0-1.0"\.$'
    grep -q '<project_license>GPL-3.0-or-later</project_license>' "$prefisso/share/metainfo/$id.metainfo.xml" ||
        guasto "the metainfo declares another licence than the copyright file"
    grep -q '<metadata_license>CC0-1.0</metadata_license>' "$prefisso/share/metainfo/$id.metainfo.xml" &&
        grep -A2 -x "Files: packaging/$id.metainfo.xml" "$copyright" | grep -qx 'License: CC0-1.0' ||
        guasto "copyright: the metainfo's own licence, CC0-1.0, is not the one given for it"
    cerca "^Source: parsilia-$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")-sorgenti\.tar\.gz, "
fi

# The Debian package itself, when dpkg-dev is here to make it (make package
# installs it): it depends on Qt's platform plugins, without which no window
# opens, and its Maintainer is whoever builds it (packaging/manutentore.sh).
if command -v dpkg-shlibdeps >/dev/null && command -v dpkg-deb >/dev/null; then
    cpack=$(dirname "${CMAKE:-cmake}")/cpack
    [ -x "$cpack" ] || cpack=cpack
    if (cd "$build" && "$cpack" -G DEB -B "$prova/deb") >"$prova/cpack.log" 2>&1; then
        deb=$(ls "$prova"/deb/parsilia_*.deb)
        dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -qx ' *qt6-qpa-plugins' ||
            guasto "the .deb does not depend on qt6-qpa-plugins: $(dpkg-deb -f "$deb" Depends)"
        atteso=$(sed -n 's/^PARSILIA_MAINTAINER:[A-Z]*=//p' "$build/CMakeCache.txt")
        [ -n "$atteso" ] || atteso=$(sh "$(dirname "$0")/manutentore.sh" 2>/dev/null)
        [ "$(dpkg-deb -f "$deb" Maintainer)" = "$atteso" ] ||
            guasto "the .deb's Maintainer is \"$(dpkg-deb -f "$deb" Maintainer)\", not \"$atteso\""
        # A release gathers it with the Windows packages (stand-ins here):
        # all of them, the sources, the news and the sums, once only.
        versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
        mkdir -p "$prova/windows"
        echo msi >"$prova/windows/parsilia-$versione-x64.msi"
        echo zip >"$prova/windows/parsilia-$versione-win64.zip"
        rilascio=$prova/rilascio/parsilia-$versione
        if "$(dirname "$0")/rilascio.sh" "$prova/rilascio" "$versione" "$prova/deb" "$prova/windows" >"$prova/rilascio.log" 2>&1; then
            [ "$(cd "$rilascio" && ls | tr '\n' ' ')" = "NOVITA.txt SHA256SUMS parsilia-$versione-sorgenti.tar.gz parsilia-$versione-win64.zip parsilia-$versione-x64.msi $(basename "$deb") " ] ||
                guasto "the release holds $(cd "$rilascio" && ls | tr '\n' ' ')"
            (cd "$rilascio" && sha256sum --quiet -c SHA256SUMS) || guasto "the release's SHA256SUMS do not check"
            head -n1 "$rilascio/NOVITA.txt" | grep -q "^Parsilia $versione (" || guasto "the release's NOVITA.txt is not this version's"
            tar -tzf "$rilascio/parsilia-$versione-sorgenti.tar.gz" | grep -qx "parsilia-$versione/CMakeLists.txt" ||
                guasto "the release's sources are not a parsilia-$versione folder of the sources"
            ! "$(dirname "$0")/rilascio.sh" "$prova/rilascio" "$versione" "$prova/deb" "$prova/windows" >"$prova/rilascio.log" 2>&1 &&
                grep -q "la cartella $rilascio esiste già" "$prova/rilascio.log" && (cd "$rilascio" && sha256sum --quiet -c SHA256SUMS) ||
                guasto "a second release of $versione is not refused, or touches the first: $(cat "$prova/rilascio.log")"
        else
            cat "$prova/rilascio.log"
            guasto "rilascio.sh"
        fi
    else
        cat "$prova/cpack.log"
        guasto "cpack -G DEB"
    fi
fi
[ "$(PARSILIA_MANUTENTORE='Anna Rossi <anna.rossi@scuola.example>' sh "$(dirname "$0")/manutentore.sh")" = \
    'Anna Rossi <anna.rossi@scuola.example>' ] || guasto "PARSILIA_MANUTENTORE is not the one who makes the package"
PARSILIA_MANUTENTORE='anna.rossi@scuola.example' sh "$(dirname "$0")/manutentore.sh" >/dev/null 2>&1 &&
    guasto "a PARSILIA_MANUTENTORE without a name is taken"

# The launcher passes its options on; the example sentences check as good.
"$prefisso/bin/parsilia" --verifica "$prefisso/share/doc/parsilia/frasi-esempio.txt" >"$prova/verifica.log" 2>&1 ||
    { cat "$prova/verifica.log"; guasto "the installed example does not check as good"; }
gzip -t "$prefisso/share/man/man1/parsilia.1.gz" || guasto "the manual page is not a gzip file"

# Left running, the program is still there when timeout stops it, and it
# stops on that SIGTERM (124) rather than waiting for the SIGKILL (137).
avvia() {
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout -k 5 3 "$1" >"$prova/avvio.log" 2>&1
    esito=$?
    [ $esito = 124 ] || { cat "$prova/avvio.log"; guasto "$1 ended with $esito instead of running"; }
}
avvia "$prefisso/bin/parsilia"
mkdir -p "$prova/altrove"
ln -sf "$prefisso/bin/parsilia" "$prova/altrove/parsilia"
avvia "$prova/altrove/parsilia"

[ $guasti = 0 ] && echo "installation layout: all checks passed"
[ $guasti = 0 ]

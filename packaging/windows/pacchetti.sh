#!/bin/bash
# Parsilia's two Windows packages, made from a Windows build:
#   OUT_DIR/parsilia-VERSION-x64.msi    the installer for a school's PCs
#                                       (per machine; msiexec /i ... /qn MUTO=1)
#   OUT_DIR/parsilia-VERSION-win64.zip  a Parsilia\ folder for a home PC, to
#                                       unzip anywhere, no administrator needed
#
#   packaging/windows/pacchetti.sh BUILD_DIR OUT_DIR VERSION
#
# BUILD_DIR holds Parsilia.exe, suoni/*.wav and espeak-ng-data/, the data
# of the voice (make windows); the licence
# is the repository's LICENSE. Needs wixl (Debian's package of that name)
# and zip.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "uso: $0 BUILD_DIR OUT_DIR VERSIONE" >&2
    exit 2
fi
build=$1
versione=$3
qui=$(cd "$(dirname "$0")" && pwd)
radice=$(cd "$qui/../.." && pwd)

errore() {
    echo "pacchetti.sh: $*" >&2
    exit 1
}

# The cues the program plays: the installer lists each of them by name.
suoni="conga congafine esatto esatto2 esatto3 esatto4 esatto5 premivia rumorevia sbagliato1"

# Windows Installer's ProductVersion: major.minor.build, at most 255.255.65535;
# anything else (1.0, 1.0.0-rc1, 1.0.0.1) is refused here, not at install time.
[[ $versione =~ ^(0|[1-9][0-9]{0,2})\.(0|[1-9][0-9]{0,2})\.(0|[1-9][0-9]{0,4})$ ]] ||
    errore "versione '$versione' non valida: serve A.B.C (per esempio 1.0.0)"
((BASH_REMATCH[1] <= 255 && BASH_REMATCH[2] <= 255 && BASH_REMATCH[3] <= 65535)) ||
    errore "versione '$versione' fuori dai limiti di Windows Installer (255.255.65535)"

for programma in wixl zip; do
    command -v $programma >/dev/null ||
        errore "manca $programma (apt-get install --no-install-recommends $programma)"
done

# The program: a 64-bit Windows one. A Linux build or a 32-bit exe would
# make a package that installs and then never starts.
exe=$build/Parsilia.exe
licenza_carattere=/usr/share/doc/fonts-urw-base35/copyright
[ -f "$licenza_carattere" ] || errore "$licenza_carattere manca (apt-get install fonts-urw-base35)"
[ -f "$exe" ] || errore "manca $exe (make windows)"
[ -f "$build/Parsilia.com" ] || errore "manca $build/Parsilia.com, il gemello per il Prompt dei comandi (make windows)"
[ "$(head -c 2 "$exe")" = MZ ] || errore "$exe non è un programma Windows"
pe=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
[ "$(od -An -c -j "$pe" -N 4 "$exe" | tr -d ' ')" = 'PE\0\0' ] || errore "$exe non è un programma Windows"
[ "$(od -An -t x2 -j $((pe + 4)) -N 2 "$exe" | tr -d ' ')" = 8664 ] ||
    errore "$exe non è un programma a 64 bit (x86-64)"

# The cues: these ten and no others, since what the installer does not
# list would be in the zip only.
for s in $suoni; do
    [ -f "$build/suoni/$s.wav" ] || errore "manca $build/suoni/$s.wav"
done
for f in "$build"/suoni/*; do
    nome=$(basename "$f" .wav)
    [[ " $suoni " == *" $nome "* && $f == *.wav ]] ||
        errore "$f: un file in suoni che il pacchetto non conosce (va aggiunto in parsilia.wxs e qui)"
done

# The voice's data: the files the installer lists, and no others.
dati_voce="phontab phonindex phondata intonations it_dict en_dict lang/roa/it"
for d in $dati_voce; do
    [ -f "$build/espeak-ng-data/$d" ] || errore "manca $build/espeak-ng-data/$d, i dati della voce (make windows)"
done
while IFS= read -r f; do
    [[ " $dati_voce " == *" ${f#"$build"/espeak-ng-data/} "* ]] ||
        errore "$f: un file dei dati della voce che il pacchetto non conosce (va aggiunto in parsilia.wxs e qui)"
done < <(find "$build/espeak-ng-data" -type f)

mkdir -p "$2"
uscita=$(cd "$2" && pwd)
msi=$uscita/parsilia-$versione-x64.msi
zipfile=$uscita/parsilia-$versione-win64.zip

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
cartella=$lavoro/Parsilia
mkdir -p "$cartella/suoni"
cp "$exe" "$cartella/Parsilia.exe"
cp "$build/Parsilia.com" "$cartella/Parsilia.com"
for s in $suoni; do
    cp "$build/suoni/$s.wav" "$cartella/suoni/"
done
for d in $dati_voce; do
    install -D -m 644 "$build/espeak-ng-data/$d" "$cartella/espeak-ng-data/$d"
done
# Text for Notepad: CRLF line ends; the readme in UTF-8 with a BOM, so that
# its accented letters show as they are.
sed 's/\r*$/\r/' "$radice/LICENSE" >"$cartella/LICENSE.txt"
# The title's font, carried inside Parsilia.exe, with its own licence.
sed 's/\r*$/\r/' "$licenza_carattere" >"$cartella/LICENZA-CARATTERE.txt"
{
    printf '\357\273\277'
    sed -e "s/@VERSIONE@/$versione/" -e 's/\r*$/\r/' "$qui/LEGGIMI.txt"
} >"$cartella/LEGGIMI.txt"

# The installer. wixl looks for the files first in the folder it runs in.
rm -f "$msi"
(cd "$cartella" && wixl -a x64 -D Versione="$versione" -o "$msi" "$qui/parsilia.wxs") ||
    errore "wixl non ha fatto $msi"

# The zip: made anew (zip would add to an old one), without the extra
# Unix fields (-X) that Windows' own unzipping has no use for.
rm -f "$zipfile"
(cd "$lavoro" && zip -q -X -r "$zipfile" Parsilia) || errore "zip non ha fatto $zipfile"

echo "$msi"
echo "$zipfile"

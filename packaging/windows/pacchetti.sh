#!/bin/bash
# Parsilia's two Windows packages, made from a Windows build:
#   OUT_DIR/parsilia-VERSION-x64.msi    the installer for a school's PCs
#                                       (per machine; msiexec /i ... /qn MUTO=1)
#   OUT_DIR/parsilia-VERSION-win64.zip  a Parsilia\ folder for a home PC, to
#                                       unzip anywhere, no administrator needed
#
#   packaging/windows/pacchetti.sh BUILD_DIR OUT_DIR VERSION
#
# BUILD_DIR holds Parsilia.exe, Parsilia.com, suoni/*.wav and
# espeak-ng-data/, the data of the voice (make windows).
# Both packages carry the readme, an example of a teacher's file, the
# licence (the repository's LICENSE), the title font's licence and the
# notices of what Parsilia.exe contains (terze-parti.txt). From the
# environment:
#   PARSILIA_MANUTENTORE          "Name <address>": the contact Apps & features
#                                 shows (default: packaging/manutentore.sh)
#   PARSILIA_FIRMA_PFX            a code-signing certificate with its key
#                                 (.pfx): Parsilia.exe, Parsilia.com and the
#                                 MSI are signed with it (Authenticode)
#   PARSILIA_FIRMA_PASSWORD_FILE  the file holding its password
#   PARSILIA_FIRMA_TIMESTAMP      optional: the URL of an RFC 3161 timestamp
#                                 server, so that the signatures outlive the
#                                 certificate
# Without a certificate the packages are made unsigned, and it says so.
# Needs wixl and msitools, zip, and osslsigncode to sign. A package is
# made in a work folder and moved to OUT_DIR only when whole: a failure
# leaves no package of VERSION there, signed in part or not at all.
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

for programma in wixl msibuild msiinfo zip; do
    command -v $programma >/dev/null ||
        errore "manca $programma (apt-get install --no-install-recommends wixl msitools zip)"
done

# The program: a 64-bit Windows one. A Linux build or a 32-bit exe would
# make a package that installs and then never starts.
exe=$build/Parsilia.exe
licenza_carattere=/usr/share/doc/fonts-urw-base35/copyright
licenza_mingw=/usr/share/doc/mingw-w64-common/copyright
[ -f "$licenza_carattere" ] || errore "$licenza_carattere manca (apt-get install fonts-urw-base35)"
[ -f "$licenza_mingw" ] || errore "$licenza_mingw manca (apt-get install g++-mingw-w64-x86-64-posix)"
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

# The versions of what Parsilia.exe is built from, for the notices: the Qt
# is the one of the host tools (qt-mingw.sh builds that very source).
versione_debian() {
    dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null | grep . ||
        errore "manca il pacchetto $1, di cui le licenze dicono la versione"
}
qt_debian=$(versione_debian qt6-base-dev-tools)
gcc_debian=$(versione_debian gcc-mingw-w64-x86-64-posix-runtime)
mingw_debian=$(versione_debian mingw-w64-common)
urw_debian=$(versione_debian fonts-urw-base35)

contatto=$(sh "$radice/packaging/manutentore.sh") || exit 1

# Signing: both the certificate and its password, or neither.
firma=false
if [ -n "${PARSILIA_FIRMA_PFX:-}${PARSILIA_FIRMA_PASSWORD_FILE:-}" ]; then
    [ -n "${PARSILIA_FIRMA_PFX:-}" ] ||
        errore "PARSILIA_FIRMA_PASSWORD_FILE senza PARSILIA_FIRMA_PFX: manca il certificato con cui firmare"
    [ -n "${PARSILIA_FIRMA_PASSWORD_FILE:-}" ] ||
        errore "PARSILIA_FIRMA_PFX senza PARSILIA_FIRMA_PASSWORD_FILE: manca il file con la password del certificato"
    [ -f "$PARSILIA_FIRMA_PFX" ] && [ -r "$PARSILIA_FIRMA_PFX" ] ||
        errore "il certificato $PARSILIA_FIRMA_PFX non esiste o non si può leggere: nessun pacchetto fatto"
    [ -f "$PARSILIA_FIRMA_PASSWORD_FILE" ] && [ -r "$PARSILIA_FIRMA_PASSWORD_FILE" ] ||
        errore "il file della password $PARSILIA_FIRMA_PASSWORD_FILE non esiste o non si può leggere: nessun pacchetto fatto"
    command -v osslsigncode >/dev/null ||
        errore "manca osslsigncode, che firma i programmi (apt-get install --no-install-recommends osslsigncode)"
    firma=true
fi

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

# firma_file FILE: signs FILE in place, with SHA-256 and the program's name; on a
# failure nothing of it is kept and the reason is said in words.
firma_file() {
    local file=$1 rapporto=$lavoro/osslsigncode.log
    local ts=()
    [ -z "${PARSILIA_FIRMA_TIMESTAMP:-}" ] || ts=(-ts "$PARSILIA_FIRMA_TIMESTAMP")
    rm -f "$file.firmato"
    if ! osslsigncode sign -pkcs12 "$PARSILIA_FIRMA_PFX" -readpass "$PARSILIA_FIRMA_PASSWORD_FILE" \
        -h sha256 -n "Parsilia" "${ts[@]}" -in "$file" -out "$file.firmato" >"$rapporto" 2>&1; then
        if grep -qi -e 'wrong password' -e 'mac verify' "$rapporto"; then
            errore "la password in $PARSILIA_FIRMA_PASSWORD_FILE non apre il certificato $PARSILIA_FIRMA_PFX: nessun pacchetto fatto"
        fi
        errore "$(basename "$file") non si firma con $PARSILIA_FIRMA_PFX${PARSILIA_FIRMA_TIMESTAMP:+ (server della marca temporale: $PARSILIA_FIRMA_TIMESTAMP)}: nessun pacchetto fatto. osslsigncode dice: $(grep -v '^$' "$rapporto" | head -n 3 | tr '\n' ' ')"
    fi
    mv "$file.firmato" "$file"
}
if $firma; then
    firma_file "$cartella/Parsilia.exe"
    firma_file "$cartella/Parsilia.com"
fi
# From here on nothing can go wrong with the inputs: the packages of this
# version already in OUT_DIR go, so that a failure leaves none of them.
rm -f "$msi" "$zipfile"

# Text for Notepad: CRLF line ends, and UTF-8 with a BOM, so that the
# accented letters show as they are even in an older Notepad.
testo() {
    printf '\357\273\277'
    sed -e 's/^\xEF\xBB\xBF//' -e 's/\r*$/\r/' "$@"
}
testo "$radice/LICENSE" >"$cartella/LICENSE.txt"
# The title's font, carried inside Parsilia.exe, with its own licence.
testo "$licenza_carattere" >"$cartella/LICENZA-CARATTERE.txt"
qt_upstream=${qt_debian%%+*}
qt_upstream=${qt_upstream%%-*}
gcc_upstream=${gcc_debian%%-*}
sed -e "s/@VERSIONE@/$versione/g" -e "s/@QT_VERSIONE@/$qt_upstream/g" -e "s/@QT_DEBIAN@/$qt_debian/g" \
    -e "s/@QT_DEBIAN_URL@/${qt_debian//+/%2B}/g" -e "s/@GCC_VERSIONE@/$gcc_upstream/g" \
    -e "s/@GCC_DEBIAN@/$gcc_debian/g" -e "s/@MINGW_DEBIAN@/$mingw_debian/g" -e "s/@URW_DEBIAN@/$urw_debian/g" \
    "$qui/terze-parti.txt" >"$lavoro/terze-parti.txt"
cat "$licenza_mingw" >>"$lavoro/terze-parti.txt"
testo "$lavoro/terze-parti.txt" >"$cartella/TERZE-PARTI.txt"
sed "s/@VERSIONE@/$versione/g" "$qui/LEGGIMI.txt" >"$lavoro/leggimi.txt"
testo "$lavoro/leggimi.txt" >"$cartella/LEGGIMI.txt"
testo "$radice/packaging/frasi-esempio.txt" >"$cartella/frasi-esempio.txt"

# The installer. wixl looks for the files first in the folder it runs in.
msi_lavoro=$lavoro/parsilia.msi
(cd "$cartella" && wixl -a x64 -D Versione="$versione" -D Contatto="$contatto" -o "$msi_lavoro" "$qui/parsilia.wxs") ||
    errore "wixl non ha fatto $msi"
# What this wixl cannot write, in the tables themselves:
# - the same version, rebuilt, replaces the one installed (the inclusive
#   maximum of the upgrade, 512, with the inclusive minimum, 256);
# - MUTO and VOCE reach an elevated install (secure properties);
# - the class's folder: full control to the system and the administrators,
#   read and run to the users, inherited by what is in it, and not inherited
#   from ProgramData, where any user may create files.
codice=$(msiinfo export "$msi_lavoro" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
sicure=$(msiinfo export "$msi_lavoro" Property | tr -d '\r' | awk -F'\t' '$1 == "SecureCustomProperties" { print $2 }')
msibuild "$msi_lavoro" \
    -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
        VALUES ('$codice', '0.0.0', '$versione', 768, 'WIX_UPGRADE_DETECTED')" \
    -q "UPDATE \`Property\` SET \`Value\` = '$sicure;MUTO;VOCE' WHERE \`Property\` = 'SecureCustomProperties'" \
    -q "CREATE TABLE \`MsiLockPermissionsEx\` (\`MsiLockPermissionsEx\` CHAR(72) NOT NULL, \`LockObject\` CHAR(72) NOT NULL,
        \`Table\` CHAR(32) NOT NULL, \`SDDL\` LONGCHAR NOT NULL, \`Condition\` CHAR(255) PRIMARY KEY \`MsiLockPermissionsEx\`)" \
    -q "INSERT INTO \`MsiLockPermissionsEx\` (\`MsiLockPermissionsEx\`, \`LockObject\`, \`Table\`, \`SDDL\`)
        VALUES ('CartellaClasse', 'CARTELLACLASSE', 'CreateFolder', 'D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)')" ||
    errore "msibuild non ha completato $msi"
if $firma; then
    firma_file "$msi_lavoro"
fi

# The zip: without the extra Unix fields (-X) that Windows' own unzipping
# has no use for.
zip_lavoro=$lavoro/parsilia.zip
(cd "$lavoro" && zip -q -X -r "$zip_lavoro" Parsilia) || errore "zip non ha fatto $zipfile"

mv "$msi_lavoro" "$msi"
mv "$zip_lavoro" "$zipfile"
if $firma; then
    echo "Firmati con $PARSILIA_FIRMA_PFX: Parsilia.exe, Parsilia.com e il pacchetto .msi" >&2
else
    echo "Pacchetti senza firma digitale (per firmarli: PARSILIA_FIRMA_PFX e PARSILIA_FIRMA_PASSWORD_FILE)" >&2
fi
echo "$msi"
echo "$zipfile"

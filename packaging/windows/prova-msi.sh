#!/bin/bash
# Tries Parsilia's Windows packages under Wine, as a school's technician
# and a family would use them:
#   - pacchetti.sh refuses what would make a broken package, and a
#     certificate it cannot sign with (missing, or the wrong password),
#     leaving nothing; with a good one, the programs and the MSI carry
#     signatures that verify; Parsilia.exe and Parsilia.com carry their
#     version information;
#   - the MSI is a 64-bit, per-machine package with its version in it;
#   - msiexec /i ... /qn installs the program, its cues, its voice's data,
#     the readme, an
#     example that --verifica passes and the licences in Program
#     Files\Parsilia, Start-menu entries for Parsilia and its readme, the
#     entry in Apps & features (with its help and contact), "Open with" for
#     .txt and the class's folder in ProgramData; the program starts from
#     there;
#   - a second shortcut, "Parsilia con lettura ad alta voce", starts it with
#     --voce (--muto --voce with MUTO=1), and VOCE=1 makes it the only one
#     besides the readme's;
#   - MUTO=1 gives the shortcut and "Open with" --muto, nothing does not; a
#     newer version keeps the older one's MUTO=1, unless given MUTO=0; the
#     group policy's Muto silences the installed program;
#   - a newer version replaces an older, the same version rebuilt replaces
#     itself, an older does not go over a newer;
#   - msiexec /x leaves nothing behind but the class's file;
#   - the zip holds a Parsilia folder with the program, the cues, the
#     licences, the example and a readme that Notepad shows right.
#
#   packaging/windows/prova-msi.sh BUILD_DIR     the real build (make windows)
#   packaging/windows/prova-msi.sh --sostituto   a small stand-in program,
#                                                 no need for the Qt build
#
# Everything happens in a temporary folder, with a Wine prefix of its own.
# Needs wine (wine64), wixl, msitools, zip, unzip, binutils, icoutils,
# osslsigncode, openssl; the stand-in also g++-mingw-w64-x86-64-posix.
set -u

qui=$(cd "$(dirname "$0")" && pwd)
radice=$(cd "$qui/../.." && pwd)
suoni="conga congafine esatto esatto2 esatto3 esatto4 esatto5 premivia rumorevia sbagliato1"
dati_voce="phontab phonindex phondata intonations it_dict en_dict lang/roa/it"

passati=0
falliti=0
bene() { echo "ok: $*"; passati=$((passati + 1)); }
male() { echo "FAIL: $*"; falliti=$((falliti + 1)); }
# verifica DESCRIPTION COMMAND...: a check passes when COMMAND does.
verifica() {
    local cosa=$1
    shift
    if "$@"; then bene "$cosa"; else male "$cosa"; fi
}
fine() {
    echo "$passati passed, $falliti failed"
    [ "$falliti" -eq 0 ]
    exit
}

if [ $# -ne 1 ]; then
    echo "uso: $0 BUILD_DIR | --sostituto" >&2
    exit 2
fi

mancano=""
for p in wine wineserver winepath wixl msiinfo msiextract zip unzip strings wrestool osslsigncode openssl; do
    command -v $p >/dev/null || mancano="$mancano $p"
done
if [ -n "$mancano" ]; then
    male "mancano:$mancano (apt-get install --no-install-recommends wine wine64 wixl msitools zip unzip binutils icoutils osslsigncode openssl)"
    fine
fi

lavoro=$(mktemp -d /tmp/prova-msi.XXXXXX)
export WINEPREFIX=$lavoro/wine
export WINEDEBUG=-all
# No menu entries or file associations on this machine's own desktop, and
# no offer to download Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
pulisci() {
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    rm -rf "$lavoro"
}
trap pulisci EXIT

# The program's version, as the build gives it; a later one for the upgrade.
versione=$(sed -n 's/^project(Parsilia VERSION \([0-9.]*\).*/\1/p' "$radice/CMakeLists.txt")
versione_programma=$versione
IFS=. read -r v1 v2 v3 <<<"$versione"
successiva=$v1.$v2.$((v3 + 1))

# --- The build to package ----------------------------------------------------

# A 16-bit PCM WAV of a tenth of a second of silence.
wav_muto() {
    local dati=1600
    {
        printf 'RIFF'
        printf "\\x$(printf %02x $(((36 + dati) & 255)))\\x$(printf %02x $(((36 + dati) >> 8 & 255)))\\x00\\x00"
        printf 'WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00'
        printf "data\\x$(printf %02x $((dati & 255)))\\x$(printf %02x $((dati >> 8 & 255)))\\x00\\x00"
        head -c $dati /dev/zero
    } >"$1"
}

# A 16 x 16 icon, all transparent: an ICO of one 32-bit bitmap.
icona_vuota() {
    {
        printf '\x00\x00\x01\x00\x01\x00'
        printf '\x10\x10\x00\x00\x01\x00\x20\x00\x68\x04\x00\x00\x16\x00\x00\x00'
        printf '\x28\x00\x00\x00\x10\x00\x00\x00\x20\x00\x00\x00\x01\x00\x20\x00'
        head -c 24 /dev/zero
        head -c $((16 * 16 * 4 + 16 * 4)) /dev/zero
    } >"$1"
}

sostituto=false
if [ "$1" = --sostituto ]; then
    sostituto=true
    build=$lavoro/build
    mkdir -p "$build/suoni"
    icona_vuota "$lavoro/icona.ico"
    # The resources of the real ones: an icon and the version information.
    risorse() {
        sed -e "s|@PARSILIA_RISORSA_ICONA@|$1|" -e "s|@PARSILIA_VERSIONE_RC@|${versione//./,},0|" \
            -e "s|@PARSILIA_VERSIONE@|$versione|" -e "s|@PARSILIA_DESCRIZIONE@|$2|" -e "s|@PARSILIA_FILE@|$3|" \
            "$qui/versione.rc.in" >"$lavoro/risorse.rc" &&
            (cd "$lavoro" && x86_64-w64-mingw32-windres risorse.rc -O coff -o "$4")
    }
    if ! risorse '1 ICON "icona.ico"' "Parsilia - esercizi di analisi logica" Parsilia.exe programma.o ||
        ! x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -municode -DVERSIONE="\"$versione\"" \
            -o "$build/Parsilia.exe" "$qui/prova-sostituto.cpp" "$lavoro/programma.o"; then
        male "il programma sostituto non si compila (g++-mingw-w64-x86-64-posix)"
        fine
    fi
    risorse '' "Parsilia - per il Prompt dei comandi" Parsilia.com gemello.o &&
        x86_64-w64-mingw32-g++-posix -O2 -static -municode -o "$build/Parsilia.com" "$radice/avvio/gemello_win.cpp" \
            "$lavoro/gemello.o" ||
        { male "il gemello per il Prompt dei comandi non si compila"; fine; }
    for s in $suoni; do wav_muto "$build/suoni/$s.wav"; done
    for d in $dati_voce; do
        mkdir -p "$(dirname "$build/espeak-ng-data/$d")" && echo "$d" >"$build/espeak-ng-data/$d"
    done
else
    build=$(cd "$1" && pwd) || { male "manca la cartella $1"; fine; }
    if [ ! -f "$build/Parsilia.exe" ]; then
        male "manca $build/Parsilia.exe (make windows)"
        fine
    fi
fi

# The shortcut and Apps & features show the icon inside Parsilia.exe: without
# one of its own, Windows shows its blank one for programs.
verifica "Parsilia.exe ha una sua icona (una risorsa RT_GROUP_ICON)" \
    sh -c "wrestool -l -t 14 '$build/Parsilia.exe' 2>/dev/null | grep -q ."
# What Explorer shows in a file's properties: its version information.
informazioni() { wrestool -x --raw -t 16 "$1" 2>/dev/null | strings -el | paste -sd'|'; }
for f in "Parsilia.exe|esercizi di analisi logica" "Parsilia.com|per il Prompt dei comandi"; do
    verifica "${f%|*} dice prodotto, versione, descrizione e copyright ($(informazioni "$build/${f%|*}"))" \
        grep -qF "|FileDescription|Parsilia - ${f#*|}|FileVersion|$versione|InternalName|Parsilia|LegalCopyright|Copyright (C) gli autori di Parsilia. Licenza GPL-3.0-or-later.|OriginalFilename|${f%|*}|ProductName|Parsilia|ProductVersion|$versione|" \
        <<<"$(informazioni "$build/${f%|*}")|"
done

# Whatever a tool leaves in the folder it runs in stays out of the checkout.
cd "$lavoro" || exit 1

# --- pacchetti.sh refuses what would make a broken package ------------------

# pacchetti.sh BUILD VERSION must fail and leave nothing in its OUT_DIR.
rifiuta() {
    local b=$1 v=$2
    ! "$qui/pacchetti.sh" "$b" "$lavoro/rifiutati" "$v" >/dev/null 2>&1 &&
        [ -z "$(ls -A "$lavoro/rifiutati" 2>/dev/null)" ]
}
cattivo=$lavoro/cattivo
copia_build() { rm -rf "$cattivo" && cp -r "$build" "$cattivo"; }
for v in 1.0 1.0.0-rc1 1.0.0.1 256.0.0 1.0.65536 01.0.0; do
    verifica "pacchetti.sh rifiuta la versione $v" rifiuta "$build" "$v"
done
copia_build && rm "$cattivo/suoni/esatto3.wav"
verifica "pacchetti.sh rifiuta una build senza un suono" rifiuta "$cattivo" "$versione"
copia_build && wav_muto "$cattivo/suoni/nuovo.wav"
verifica "pacchetti.sh rifiuta un suono che il pacchetto non elenca" rifiuta "$cattivo" "$versione"
copia_build && head -c 4096 /bin/sh >"$cattivo/Parsilia.exe"
verifica "pacchetti.sh rifiuta un programma che non è per Windows" rifiuta "$cattivo" "$versione"
# The same program marked for x86 (machine 0x014c) in its PE header.
copia_build
pe=$(od -An -t u4 -j 60 -N 4 "$cattivo/Parsilia.exe" | tr -d ' ')
printf '\x4c\x01' | dd of="$cattivo/Parsilia.exe" bs=1 seek=$((pe + 4)) conv=notrunc status=none
verifica "pacchetti.sh rifiuta un programma a 32 bit" rifiuta "$cattivo" "$versione"
rm -rf "$cattivo"

# --- Signed packages -------------------------------------------------------------

# A throw-away code-signing certificate of a school, its own authority, in a
# .pfx with a password, as a supplier would hand it over.
firma=$lavoro/firma
mkdir -p "$firma"
printf 'la password giusta\n' >"$firma/password"
printf 'una password sbagliata\n' >"$firma/sbagliata"
if ! openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Scuola di prova" \
        -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
        -keyout "$firma/chiave.pem" -out "$firma/certificato.pem" >"$firma/openssl.log" 2>&1 ||
    ! openssl pkcs12 -export -in "$firma/certificato.pem" -inkey "$firma/chiave.pem" \
        -passout "file:$firma/password" -out "$firma/certificato.pfx" >>"$firma/openssl.log" 2>&1; then
    cat "$firma/openssl.log"
    male "openssl non fa il certificato di prova"
    fine
fi
# pacchetti.sh with these variables fails, saying MESSAGE, and makes nothing.
rifiuta_firma() {
    local cosa=$1 messaggio=$2 esito=no
    shift 2
    rm -rf "$lavoro/rifiutati"
    if ! env "$@" "$qui/pacchetti.sh" "$build" "$lavoro/rifiutati" "$versione" >"$lavoro/firma.log" 2>&1 &&
        grep -qF "$messaggio" "$lavoro/firma.log" && [ -z "$(ls -A "$lavoro/rifiutati" 2>/dev/null)" ]; then
        esito=si
    else
        cat "$lavoro/firma.log"
    fi
    verifica "$cosa: nessun pacchetto, e il perché" test $esito = si
}
pfx="PARSILIA_FIRMA_PFX=$firma/certificato.pfx"
rifiuta_firma "una password sbagliata" "la password in $firma/sbagliata non apre il certificato $firma/certificato.pfx" \
    "$pfx" "PARSILIA_FIRMA_PASSWORD_FILE=$firma/sbagliata"
rifiuta_firma "un certificato che non c'è" "il certificato $firma/nessuno.pfx non esiste" \
    "PARSILIA_FIRMA_PFX=$firma/nessuno.pfx" "PARSILIA_FIRMA_PASSWORD_FILE=$firma/password"
rifiuta_firma "un file della password che non c'è" "il file della password $firma/nessuna non esiste" \
    "$pfx" "PARSILIA_FIRMA_PASSWORD_FILE=$firma/nessuna"
rifiuta_firma "un certificato senza password" "PARSILIA_FIRMA_PFX senza PARSILIA_FIRMA_PASSWORD_FILE" "$pfx"

# Whether FILE carries a signature that verifies, with the school's
# certificate taken as trusted.
firmato() { osslsigncode verify -CAfile "$firma/certificato.pem" -in "$1" 2>&1 | grep -qx 'Signature verification: ok'; }
firmati=$lavoro/firmati
if env "$pfx" "PARSILIA_FIRMA_PASSWORD_FILE=$firma/password" \
    "$qui/pacchetti.sh" "$build" "$firmati" "$versione" >"$lavoro/firmati.log" 2>&1; then
    mkdir -p "$firmati/zip" "$firmati/msi"
    unzip -q "$firmati/parsilia-$versione-win64.zip" -d "$firmati/zip"
    (cd "$firmati/msi" && msiextract "$firmati/parsilia-$versione-x64.msi" >/dev/null)
    firmati_zip() { firmato "$firmati/zip/Parsilia/Parsilia.exe" && firmato "$firmati/zip/Parsilia/Parsilia.com"; }
    firmati_msi() { firmato "$firmati/parsilia-$versione-x64.msi" && firmato "$(find "$firmati/msi" -name Parsilia.exe)"; }
    verifica "con un certificato, Parsilia.exe e Parsilia.com dello zip sono firmati" firmati_zip
    verifica "con un certificato, il pacchetto .msi è firmato, e così il Parsilia.exe che installa" firmati_msi
else
    cat "$lavoro/firmati.log"
    male "pacchetti.sh non firma con un certificato buono"
fi

# --- The packages --------------------------------------------------------------

# Who answers for them, in Apps & features.
export PARSILIA_MANUTENTORE="Ufficio tecnico <tecnico@scuola.example>"
out=$lavoro/out
if ! "$qui/pacchetti.sh" "$build" "$out" "$versione" >"$lavoro/pacchetti.log" 2>&1 ||
    ! "$qui/pacchetti.sh" "$build" "$out" "$successiva" >>"$lavoro/pacchetti.log" 2>&1 ||
    ! "$qui/pacchetti.sh" "$build" "$lavoro/ricostruito" "$versione" >>"$lavoro/pacchetti.log" 2>&1; then
    cat "$lavoro/pacchetti.log"
    male "pacchetti.sh non fa i pacchetti"
    fine
fi
msi=$out/parsilia-$versione-x64.msi
msi2=$out/parsilia-$successiva-x64.msi
# The same version, built again: another package of the same program.
msi1bis=$lavoro/ricostruito/parsilia-$versione-x64.msi
zipfile=$out/parsilia-$versione-win64.zip
verifica "pacchetti.sh fa parsilia-$versione-x64.msi e parsilia-$versione-win64.zip" \
    test -s "$msi" -a -s "$zipfile"
verifica "senza certificato i pacchetti non sono firmati, e pacchetti.sh lo dice" \
    sh -c "grep -q '^Pacchetti senza firma digitale' '$lavoro/pacchetti.log' &&
           ! osslsigncode verify -in '$msi' >/dev/null 2>&1"

# --- The MSI's tables and summary ----------------------------------------------

# msiinfo export writes a table's binary streams (the Icon table's) into
# the folder it runs in: there it runs in the temporary one.
tabella() { (cd "$lavoro" && msiinfo export "$@"); }
proprieta() { tabella "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }
riassunto() { msiinfo suminfo "$1" | tr -d '\r' | sed -n "s/^$2: //p"; }

# Windows Installer on 32-bit Windows refuses a package whose template names x64.
verifica "il modello del pacchetto è x64;1033" test "$(riassunto "$msi" Template)" = "x64;1033"
verifica "la versione è nel riassunto del pacchetto" test "$(riassunto "$msi" Subject)" = "Parsilia $versione"
verifica "ProductVersion è $versione" test "$(proprieta "$msi" ProductVersion)" = "$versione"
verifica "ALLUSERS=1: si installa per tutto il PC" test "$(proprieta "$msi" ALLUSERS)" = 1
verifica "Manufacturer è Parsilia" test "$(proprieta "$msi" Manufacturer)" = Parsilia
verifica "il pacchetto non si dice installabile senza privilegi (Source senza il bit 8)" \
    test "$(( $(riassunto "$msi" Source | cut -d' ' -f1) & 8 ))" = 0
verifica "ARPPRODUCTICON è un'icona del pacchetto" \
    grep -qx "$(proprieta "$msi" ARPPRODUCTICON)" <(tabella "$msi" Icon | tr -d '\r' | cut -f1)
codice1=$(proprieta "$msi" UpgradeCode)
verifica "lo UpgradeCode è lo stesso in due versioni, il ProductCode no" \
    test "$codice1" = "$(proprieta "$msi2" UpgradeCode)" -a -n "$codice1" \
    -a "$(proprieta "$msi" ProductCode)" != "$(proprieta "$msi2" ProductCode)"
verifica "due pacchetti diversi hanno PackageCode diversi" \
    test "$(riassunto "$msi" 'Revision number (UUID)')" != "$(riassunto "$msi2" 'Revision number (UUID)')"
verifica "ogni componente è a 64 bit" \
    awk -F'\t' 'NR > 3 && int($4 / 256) % 2 != 1 { male = 1 } END { exit male }' <(tabella "$msi" Component | tr -d '\r')
verifica "la cartella del programma è in ProgramFiles64Folder" \
    grep -qx $'INSTALLDIR\tProgramFiles64Folder\tParsilia' <(tabella "$msi" Directory | tr -d '\r')
# What Wine does not apply, and so is checked in the tables: the same version
# is among those an install removes (versions 0.0.0 to this one, both
# included: 256 + 512), and removed before anything is installed, right
# after InstallValidate.
verifica "le versioni da 0.0.0 alla $versione compresa sono tolte da questa" \
    grep -qxF "$codice1"$'\t0.0.0\t'"$versione"$'\t\t768\t\tWIX_UPGRADE_DETECTED' <(tabella "$msi" Upgrade | tr -d '\r')
verifica "la versione installata è tolta subito dopo InstallValidate, prima di installare" \
    awk -F'\t' '{ n[$1] = $3 } END { exit !(n["InstallValidate"] < n["RemoveExistingProducts"] &&
                                          n["RemoveExistingProducts"] < n["InstallInitialize"]) }' \
        <(tabella "$msi" InstallExecuteSequence | tr -d '\r')
verifica "MUTO e VOCE sono proprietà sicure, che un'installazione con privilegi non perde" \
    test "$(proprieta "$msi" SecureCustomProperties | tr ';' '\n' | grep -cx -e MUTO -e VOCE)" = 2
# Windows applies the permissions of the class's folder as it makes it: full
# control to the system and the administrators, read and run to the users,
# protected from what ProgramData lets users do.
cartella_classe() {
    grep -qx $'CARTELLACLASSE\tCommonAppDataFolder\tparsilia' <(tabella "$msi" Directory | tr -d '\r') &&
        grep -qx $'CARTELLACLASSE\tCartellaClasse' <(tabella "$msi" CreateFolder | tr -d '\r') &&
        grep -qxF $'CartellaClasse\tCARTELLACLASSE\tCreateFolder\tD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)\t' \
            <(tabella "$msi" MsiLockPermissionsEx | tr -d '\r')
}
verifica "la cartella della classe è fatta dal pacchetto, scrivibile solo dagli amministratori" cartella_classe

# --- Wine ----------------------------------------------------------------------

if ! wine wineboot -i >"$lavoro/wineboot.log" 2>&1; then
    cat "$lavoro/wineboot.log"
    male "wineboot: il prefisso di Wine non si crea"
    fine
fi
wineserver -w
c=$WINEPREFIX/drive_c
cartella="$c/Program Files/Parsilia"
registro() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
# The value of NAME in KEY; of its default value when NAME is "".
valore() {
    if [ -z "$2" ]; then
        registro "$1" /ve | sed -n 's/^ *(Default) *REG_[A-Z_]* *//p'
    else
        registro "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
    fi
}
installa() {
    local log=$1
    shift
    wine msiexec "$@" /qn /l*v "$(winepath -w "$log")" >/dev/null 2>&1
    local rc=$?
    wineserver -w
    return $rc
}
proprieta_log() { tr -d '\r' <"$1" | sed -n "s/^Property(S): $2 = //p" | tail -1; }
# The Unix path of a Windows one in the prefix.
unix() { winepath -u "$1" 2>/dev/null; }

documenti="LEGGIMI.txt LICENSE.txt LICENZA-CARATTERE.txt TERZE-PARTI.txt frasi-esempio.txt"
atteso=$( (for f in $documenti Parsilia.com Parsilia.exe; do echo $f; done; for s in $suoni; do echo "suoni/$s.wav"; done
    for d in $dati_voce; do echo "espeak-ng-data/$d"; done) | sort)
classe=$c/ProgramData/parsilia
# A text file as the packages give it to Notepad: UTF-8 with a BOM, CRLF.
testo() { printf '\357\273\277'; sed 's/$/\r/' "$1"; }
voce_lnk="Parsilia con lettura ad alta voce.lnk"

# ProgramMenuFolder, where the installer puts the shortcut: on Windows, with
# ALLUSERS=1, the Start menu of all users under ProgramData; Wine (8) keeps
# it in the user's profile (a FIXME of its msi), so the test asks the log.
controlla_installato() {
    local log=$1 versione=$2 muto=$3 voce=${4:-no}
    local trovati menu lnk codice
    trovati=$(cd "$cartella" 2>/dev/null && find . -type f | sed 's|^\./||' | sort)
    verifica "$versione: in Program Files\\Parsilia ci sono il programma, i suoni, i dati della voce, il LEGGIMI, l'esempio e le licenze, e nient'altro" \
        test "$trovati" = "$atteso"
    verifica "$versione: i dati della voce sono quelli della build" \
        sh -c "for d in $dati_voce; do cmp -s '$build/espeak-ng-data/'\$d '$cartella/espeak-ng-data/'\$d || exit 1; done"
    verifica "$versione: Parsilia.exe è quello della build" cmp -s "$build/Parsilia.exe" "$cartella/Parsilia.exe"
    verifica "$versione: i suoni sono quelli della build" \
        sh -c "for s in $suoni; do cmp -s '$build/suoni/'\$s.wav '$cartella/suoni/'\$s.wav || exit 1; done"
    verifica "$versione: LICENSE.txt è la licenza, con gli a capo di Windows" \
        cmp -s <(testo "$radice/LICENSE") "$cartella/LICENSE.txt"
    verifica "$versione: frasi-esempio.txt è l'esempio dei sorgenti, per il Blocco note" \
        cmp -s <(testo "$radice/packaging/frasi-esempio.txt") "$cartella/frasi-esempio.txt"
    verifica "$versione: la cartella della classe, ProgramData\\parsilia, c'è" test -d "$classe"

    menu=$(proprieta_log "$log" ProgramMenuFolder)
    # The reading aloud's shortcut: --voce, after --muto with MUTO=1.
    local argomenti_voce=--voce
    [ "$muto" = si ] && argomenti_voce="--muto --voce"
    verifica "$versione: c'è il collegamento «Parsilia con lettura ad alta voce», con $argomenti_voce" \
        sh -c "strings -a -el '$(unix "${menu}$voce_lnk")' | grep -qx -- '$argomenti_voce'"
    verifica "$versione: nel menu Start c'è «Parsilia - istruzioni», che apre LEGGIMI.txt" \
        grep -qxF 'C:\Program Files\Parsilia\LEGGIMI.txt' <(strings -a "$(unix "${menu}Parsilia - istruzioni.lnk")" 2>/dev/null)
    lnk=$(unix "${menu}Parsilia.lnk")
    if [ "$voce" = si ]; then
        verifica "$versione: con VOCE=1 il collegamento con la voce prende il posto di «Parsilia»" test ! -e "$lnk"
        return
    fi
    verifica "$versione: c'è il collegamento Parsilia nel menu Start ($menu)" test -n "$menu" -a -f "$lnk"
    # A .lnk keeps its strings in UTF-16.
    local stringhe
    stringhe=$(strings -a -el "$lnk" 2>/dev/null; strings -a "$lnk" 2>/dev/null)
    verifica "$versione: il collegamento porta a C:\\Program Files\\Parsilia\\Parsilia.exe" \
        grep -qxF 'C:\Program Files\Parsilia\Parsilia.exe' <<<"$stringhe"
    verifica "$versione: il collegamento parte nella cartella del programma" \
        grep -qxF 'C:\Program Files\Parsilia\' <<<"$stringhe"
    codice=$(proprieta_log "$log" ProductCode)
    verifica "$versione: l'icona del collegamento è quella del programma, che Windows Installer conserva" \
        sh -c "grep -qF 'Installer\\$codice\\Parsilia.exe' <<'FINE'
$stringhe
FINE
        cmp -s '$build/Parsilia.exe' '$c/windows/Installer/$codice/Parsilia.exe'"
    if [ "$muto" = si ]; then
        verifica "$versione: con MUTO=1 il collegamento avvia Parsilia con --muto" \
            sh -c "strings -a -el '$lnk' | grep -qx -- --muto"
    else
        verifica "$versione: senza MUTO=1 il collegamento non ha --muto" \
            sh -c "! strings -a -el '$lnk' | grep -q -- --muto"
    fi
    if $sostituto; then
        # The shortcut opened as Explorer would: the stand-in writes where it
        # started and with what.
        rm -f "$c/argomenti.txt"
        PARSILIA_ARGOMENTI='C:\argomenti.txt' timeout 60 wine start /wait "${menu}Parsilia.lnk" >/dev/null 2>&1
        wineserver -w
        local aspettati='C:\Program Files\Parsilia'
        [ "$muto" = si ] && aspettati=$aspettati$'\n--muto'
        verifica "$versione: aperto, il collegamento avvia Parsilia.exe nella sua cartella$([ "$muto" = si ] && echo ' con --muto')" \
            test "$(tr -d '\r' <"$c/argomenti.txt" 2>/dev/null)" = "$aspettati"
    fi

    local disinstalla="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$codice"
    verifica "$versione: in App e funzionalità come Parsilia $versione di Parsilia" \
        test "$(valore "$disinstalla" DisplayName)|$(valore "$disinstalla" DisplayVersion)|$(valore "$disinstalla" Publisher)" \
        = "Parsilia|$versione|Parsilia"
    verifica "$versione: una sola voce Parsilia in App e funzionalità" \
        test "$(registro 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -c 'DisplayName *REG_SZ *Parsilia$')" = 1
    verifica "$versione: in App e funzionalità l'aiuto è LEGGIMI.txt, e il contatto chi fa i pacchetti" \
        test "$(valore "$disinstalla" HelpLink)|$(valore "$disinstalla" Contact)" \
        = "C:\\Program Files\\Parsilia\\LEGGIMI.txt|$PARSILIA_MANUTENTORE"
    local apri='"C:\Program Files\Parsilia\Parsilia.exe" --banca "%1"'
    [ "$muto" = si ] && apri='"C:\Program Files\Parsilia\Parsilia.exe" --muto --banca "%1"'
    verifica "$versione: \"Apri con\" per i .txt avvia Parsilia con il file come banca$([ "$muto" = si ] && echo ', senza suoni')" \
        test "$(valore 'HKLM\Software\Classes\Applications\Parsilia.exe\shell\open\command' '')" = "$apri"
    verifica "$versione: Parsilia dice di aprire i .txt e sta nella loro lista \"Apri con\"" \
        sh -c "wine reg query 'HKLM\\Software\\Classes\\Applications\\Parsilia.exe\\SupportedTypes' /v .txt >/dev/null 2>&1 &&
               wine reg query 'HKLM\\Software\\Classes\\.txt\\OpenWithList\\Parsilia.exe' >/dev/null 2>&1"

    local uscita
    uscita=$(timeout 120 wine 'C:\Program Files\Parsilia\Parsilia.exe' --version 2>/dev/null | tr -d '\r')
    # Until it has quite gone: a program still running keeps its file.
    wineserver -w
    # The program's own version: the newer package holds the same program.
    verifica "$versione: Parsilia.exe installato parte e risponde a --version ($(head -n1 <<<"$uscita"))" \
        grep -qx "parsilia $versione_programma" <<<"$uscita"
    if ! $sostituto; then
        # The example beside the program is a file a teacher can start from.
        uscita=$(timeout 120 wine 'C:\Program Files\Parsilia\Parsilia.exe' --verifica \
            'C:\Program Files\Parsilia\frasi-esempio.txt' 2>&1 | tr -d '\r')
        rc=${PIPESTATUS[0]}
        wineserver -w
        verifica "$versione: --verifica passa l'esempio installato (${rc})" \
            test "$rc|$(head -n1 <<<"$uscita")" = '0|C:\Program Files\Parsilia\frasi-esempio.txt: 5 frasi, 25 sintagmi.'
        # Typed in a Command Prompt without the extension: the console twin
        # answers there and the Prompt gets the exit code.
        # (A batch file: Wine's own quoting of a command line for cmd /c
        # would mangle the quotes around the folder.)
        printf '@"C:\\Program Files\\Parsilia\\parsilia" --verifica nessuna.txt\r\n' >"$lavoro/gemello.bat"
        (cd "$lavoro" && timeout 120 wine cmd /c "$(winepath -w "$lavoro/gemello.bat")" >"$lavoro/gemello.txt" 2>/dev/null)
        rc=$?
        wineserver -w
        uscita=$(tr -d '\r' <"$lavoro/gemello.txt")
        verifica "$versione: nel Prompt dei comandi «parsilia --verifica» risponde lì, con il suo codice d'uscita (${rc})" \
            test "$rc|$uscita" = "1|nessuna.txt: il file non esiste"$'\n'"nessuna.txt: 1 problema: il file non si può usare così."
    fi
}

controlla_niente() {
    local cosa=$1 log=$2 codice=$3
    local menu
    menu=$(proprieta_log "$log" ProgramMenuFolder)
    verifica "$cosa: niente Program Files\\Parsilia" test ! -e "$cartella"
    verifica "$cosa: niente collegamenti nel menu Start" \
        test -n "$menu" -a ! -e "$(unix "${menu}Parsilia.lnk")" -a ! -e "$(unix "${menu}Parsilia - istruzioni.lnk")" \
        -a ! -e "$(unix "${menu}$voce_lnk")"
    verifica "$cosa: niente cartella della classe, vuota" test ! -e "$classe"
    verifica "$cosa: niente voce in App e funzionalità" \
        sh -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$codice' >/dev/null 2>&1"
    verifica "$cosa: niente \"Apri con\" né chiavi di Parsilia nel registro" \
        sh -c "! wine reg query 'HKLM\\Software\\Classes\\Applications\\Parsilia.exe' >/dev/null 2>&1 &&
               ! wine reg query 'HKLM\\Software\\Classes\\.txt\\OpenWithList\\Parsilia.exe' >/dev/null 2>&1 &&
               ! wine reg query 'HKLM\\Software\\Parsilia' >/dev/null 2>&1"
    verifica "$cosa: niente icona conservata da Windows Installer" test ! -e "$c/windows/Installer/$codice"
}

# Plain install, then uninstall.
installa "$lavoro/i1.log" /i "$(winepath -w "$msi")"
verifica "msiexec /i parsilia-$versione-x64.msi /qn riesce" test $? = 0
codice=$(proprieta_log "$lavoro/i1.log" ProductCode)
controlla_installato "$lavoro/i1.log" "$versione" no
installa "$lavoro/x1.log" /x "$(winepath -w "$msi")"
verifica "msiexec /x parsilia-$versione-x64.msi /qn riesce" test $? = 0
controlla_niente "dopo msiexec /x" "$lavoro/i1.log" "$codice"

# A lab: MUTO=1.
installa "$lavoro/i2.log" /i "$(winepath -w "$msi")" MUTO=1
verifica "msiexec /i ... /qn MUTO=1 riesce" test $? = 0
controlla_installato "$lavoro/i2.log" "$versione" si
installa "$lavoro/x2.log" /x "$(winepath -w "$msi")"
verifica "msiexec /x dopo MUTO=1 riesce" test $? = 0
controlla_niente "dopo msiexec /x di un'installazione MUTO=1" "$lavoro/i2.log" "$(proprieta_log "$lavoro/i2.log" ProductCode)"

# A PC for pupils who need the voice: VOCE=1, and a newer version keeps it.
installa "$lavoro/v1.log" /i "$(winepath -w "$msi")" VOCE=1
verifica "msiexec /i ... /qn VOCE=1 riesce" test $? = 0
controlla_installato "$lavoro/v1.log" "$versione" no si
installa "$lavoro/v2.log" /i "$(winepath -w "$msi2")"
controlla_installato "$lavoro/v2.log" "$successiva" no si
installa "$lavoro/v3.log" /x "$(winepath -w "$msi2")"
verifica "msiexec /x dopo VOCE=1 riesce" test $? = 0
controlla_niente "dopo msiexec /x di un'installazione VOCE=1" "$lavoro/v2.log" "$(proprieta_log "$lavoro/v2.log" ProductCode)"

# The newer version over the older one, installed with MUTO=1: it takes its
# place, and the shortcut keeps --muto without MUTO being given again.
# (Each upgrade or downgrade here starts from a fresh install: after a major
# upgrade Wine (8) loses the new product's UpgradeCode registration, so that
# another version would not find it; Windows keeps it.)
installa "$lavoro/i3.log" /i "$(winepath -w "$msi")" MUTO=1
installa "$lavoro/i4.log" /i "$(winepath -w "$msi2")"
verifica "msiexec /i parsilia-$successiva-x64.msi /qn sopra la $versione riesce" test $? = 0
controlla_installato "$lavoro/i4.log" "$successiva" si
verifica "la $successiva ha tolto la $versione da App e funzionalità" \
    sh -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(proprieta_log "$lavoro/i3.log" ProductCode)' >/dev/null 2>&1"
installa "$lavoro/x4.log" /x "$(winepath -w "$msi2")"
verifica "msiexec /x parsilia-$successiva-x64.msi /qn riesce" test $? = 0
controlla_niente "dopo msiexec /x della $successiva" "$lavoro/i4.log" "$(proprieta_log "$lavoro/i4.log" ProductCode)"

# MUTO=0 with the newer version takes the older one's MUTO=1 back.
installa "$lavoro/i6.log" /i "$(winepath -w "$msi")" MUTO=1
installa "$lavoro/i7.log" /i "$(winepath -w "$msi2")" MUTO=0
menu=$(proprieta_log "$lavoro/i7.log" ProgramMenuFolder)
verifica "con MUTO=0 sopra un'installazione MUTO=1 il collegamento non ha più --muto" \
    sh -c "test -f '$(unix "${menu}Parsilia.lnk")' && ! strings -a -el '$(unix "${menu}Parsilia.lnk")' | grep -q -- --muto"
installa "$lavoro/x7.log" /x "$(winepath -w "$msi2")"
controlla_niente "dopo msiexec /x della $successiva installata con MUTO=0" "$lavoro/i7.log" "$(proprieta_log "$lavoro/i7.log" ProductCode)"

# The older over the newer: refused, and the newer stays.
installa "$lavoro/i8.log" /i "$(winepath -w "$msi2")"
installa "$lavoro/i9.log" /i "$(winepath -w "$msi")"
rc=$?
verifica "msiexec /i parsilia-$versione-x64.msi sopra la $successiva è rifiutato" \
    test $rc != 0 -a -n "$(proprieta_log "$lavoro/i9.log" WIX_DOWNGRADE_DETECTED)"
verifica "dopo il rifiuto resta la $successiva, sola" \
    test "$(valore "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(proprieta_log "$lavoro/i8.log" ProductCode)" DisplayVersion)|$(registro 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -c 'DisplayName *REG_SZ *Parsilia$')" = "$successiva|1"
verifica "dopo il rifiuto Parsilia.exe è ancora al suo posto" cmp -s "$build/Parsilia.exe" "$cartella/Parsilia.exe"
installa "$lavoro/x8.log" /x "$(winepath -w "$msi2")"
controlla_niente "dopo msiexec /x della $successiva rimasta" "$lavoro/i8.log" "$(proprieta_log "$lavoro/i8.log" ProductCode)"

# The same version built again and installed over itself: it takes the
# place of the first, as a newer version would, and the class's file put in
# the class's folder meanwhile stays, as it does when Parsilia is removed.
installa "$lavoro/i10.log" /i "$(winepath -w "$msi")"
printf 'Il gatto dorme.\r\nIl gatto = soggetto\r\ndorme. = predicato verbale\r\n' >"$classe/frasi.txt"
installa "$lavoro/i11.log" /i "$(winepath -w "$msi1bis")"
verifica "la $versione ricostruita sopra la $versione riesce" test $? = 0
controlla_installato "$lavoro/i11.log" "$versione" no
verifica "la $versione ricostruita ha preso il posto della prima" \
    sh -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(proprieta_log "$lavoro/i10.log" ProductCode)' >/dev/null 2>&1"
verifica "il file della classe resta dopo un aggiornamento" test -s "$classe/frasi.txt"
installa "$lavoro/x11.log" /x "$(winepath -w "$msi1bis")"
verifica "il file della classe resta anche quando Parsilia è tolto, e solo lui" \
    test "$(ls -A "$classe" 2>/dev/null)|$(ls -A "$cartella" 2>/dev/null)" = "frasi.txt|"
rm -rf "$classe"
controlla_niente "dopo msiexec /x della $versione ricostruita" "$lavoro/i11.log" "$(proprieta_log "$lavoro/i11.log" ProductCode)"

# A lab silenced by group policy: the value Muto under the policies key
# silences the installed Parsilia started as any user would, without
# --muto. Seen in the sounds Wine's winmm is asked for: the title screen
# plays "conga" as it opens (on Qt's offscreen platform, with no display).
if ! $sostituto; then
    # suoni_chiesti SECONDS: starts the installed Parsilia.exe for at most
    # SECONDS, until it asks for a sound; sets chiesti to the sounds asked
    # for, and in_vita to how long it ran (it must still run at the end).
    suoni_chiesti() {
        local traccia=$lavoro/winmm.txt pid
        in_vita=0
        WINEDEBUG=trace+winmm wine 'C:\Program Files\Parsilia\Parsilia.exe' -platform offscreen \
            >/dev/null 2>"$traccia" &
        pid=$!
        while [ $in_vita -lt "$1" ] && kill -0 $pid 2>/dev/null && ! grep -q 'SoundName=' "$traccia"; do
            sleep 1
            in_vita=$((in_vita + 1))
        done
        kill -0 $pid 2>/dev/null || in_vita=morto
        wineserver -k 2>/dev/null
        wineserver -w
        chiesti=$(grep -o 'SoundName=L"[^"]*"' "$traccia")
    }
    installa "$lavoro/i12.log" /i "$(winepath -w "$msi")"
    suoni_chiesti 120
    verifica "senza criterio Parsilia installato suona (${in_vita} s: $chiesti)" \
        grep -q 'suoni\\\\conga.wav"$' <<<"$chiesti"
    verifica "un avvio non crea la chiave del criterio (Parsilia non scrive nulla)" \
        sh -c "! wine reg query 'HKLM\\Software\\Policies\\Parsilia' >/dev/null 2>&1"
    # Muted, three times as long as it took to sound, and ten seconds more.
    tempo=$in_vita
    [[ $tempo =~ ^[1-9][0-9]*$ ]] || tempo=20
    attesa=$((tempo * 3 + 10))
    wine reg add 'HKLM\Software\Policies\Parsilia' /v Muto /t REG_DWORD /d 1 /f >/dev/null 2>&1
    suoni_chiesti $attesa
    verifica "con il criterio Muto=1 Parsilia installato, avviato senza --muto, non suona ($in_vita di $attesa s)" \
        test "$in_vita|$chiesti" = "$attesa|"
    wine reg delete 'HKLM\Software\Policies\Parsilia' /f >/dev/null 2>&1
    installa "$lavoro/x12.log" /x "$(winepath -w "$msi")"
fi

# --- The zip -------------------------------------------------------------------

elenco=$(unzip -Z1 "$zipfile" 2>/dev/null | sort)
atteso_zip=$( (echo Parsilia/; echo Parsilia/suoni/
    for f in $documenti Parsilia.com Parsilia.exe; do echo "Parsilia/$f"; done
    for s in $suoni; do echo "Parsilia/suoni/$s.wav"; done
    for d in "" lang/ lang/roa/ $dati_voce; do echo "Parsilia/espeak-ng-data/$d"; done) | sort)
verifica "lo zip ha la cartella Parsilia con programma, suoni, dati della voce, licenze, esempio e LEGGIMI.txt, e nient'altro" \
    test "$elenco" = "$atteso_zip"
estratto=$lavoro/zip
mkdir -p "$estratto" && unzip -q "$zipfile" -d "$estratto"
verifica "nello zip Parsilia.exe è quello della build" cmp -s "$build/Parsilia.exe" "$estratto/Parsilia/Parsilia.exe"
gpl=/usr/share/common-licenses/GPL-3
licenza_intera() {
    cmp -s <(testo "$radice/LICENSE") "$estratto/Parsilia/LICENSE.txt" &&
        tr -d '\r' <"$estratto/Parsilia/LICENSE.txt" | tail -n "$(wc -l <"$gpl")" | cmp -s - "$gpl"
}
verifica "nello zip LICENSE.txt è la licenza, con il testo intero della GPL 3" licenza_intera
verifica "nello zip LICENZA-CARATTERE.txt è la licenza del carattere del titolo" \
    cmp -s <(testo /usr/share/doc/fonts-urw-base35/copyright) "$estratto/Parsilia/LICENZA-CARATTERE.txt"
verifica "nello zip frasi-esempio.txt è l'esempio" \
    cmp -s <(testo "$radice/packaging/frasi-esempio.txt") "$estratto/Parsilia/frasi-esempio.txt"
# What Parsilia.exe carries of others, each with its licence, and where
# every source is; Qt's version is the one Qt was built from.
terze=$(tr -d '\r' <"$estratto/Parsilia/TERZE-PARTI.txt")
qt_debian=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
avvisi() {
    ! grep -q '@[A-Z_]*@' <<<"$terze" &&
        grep -qF "qt6-base, version $qt_debian, built by" <<<"$terze" &&
        grep -qF "parsilia-$versione-sorgenti.tar.gz" <<<"$terze" &&
        for nome in 'GNU LESSER GENERAL PUBLIC LICENSE' 'The FreeType Project LICENSE' 'HarfBuzz' 'PNG Reference Library' \
            'Jean-loup Gailly' 'PCRE2 LICENCE' 'the V8 project authors' 'Martin Mitáš' 'GCC RUNTIME LIBRARY EXCEPTION' \
            'Upstream-Name: mingw-w64' 'URW Bookman' 'Unicode' 'shared-mime-info' 'espeak-ng 1.52.0' 'Apple Computer'; do
            grep -qF "$nome" <<<"$terze" || { echo "  TERZE-PARTI.txt non nomina $nome"; return 1; }
        done
}
verifica "TERZE-PARTI.txt ha le licenze di Qt, delle librerie che include, della voce e del compilatore, e dove sono i sorgenti" avvisi
leggimi=$estratto/Parsilia/LEGGIMI.txt
verifica "LEGGIMI.txt comincia con il BOM dell'UTF-8" test "$(head -c 3 "$leggimi" | od -An -tx1 | tr -d ' ')" = efbbbf
verifica "LEGGIMI.txt è UTF-8 valido e ha le lettere accentate" \
    sh -c "iconv -f UTF-8 -t UTF-8 '$leggimi' >/dev/null && grep -q 'è' '$leggimi'"
verifica "ogni riga di LEGGIMI.txt finisce con CRLF" \
    test "$(grep -c $'\r$' "$leggimi")" = "$(wc -l <"$leggimi")" -a "$(tail -c 2 "$leggimi" | od -An -c | tr -d ' ')" = '\r\n'
verifica "LEGGIMI.txt dice la versione, --muto, --voce, frasi.txt e la licenza" \
    sh -c "grep -q 'Parsilia $versione' '$leggimi' && grep -q 'Parsilia.exe --muto' '$leggimi' &&
           grep -q 'Parsilia.exe --voce' '$leggimi' &&
           grep -q 'frasi.txt' '$leggimi' && grep -q 'GNU General Public License' '$leggimi'"
# The folders the readme gives for a teacher's file are those the program
# looks in (its --help lists them), and it runs from wherever it was unzipped.
if ! $sostituto; then
    aiuto=$(timeout 120 wine "$(winepath -w "$estratto/Parsilia/Parsilia.exe")" --help 2>/dev/null | tr -d '\r')
    wineserver -w
    cercati=$(grep -o '[^ ]*\\parsilia\\frasi\.txt' <<<"$aiuto" | head -3 | tr '\\' / |
        sed -e 's|^C:/users/[^/]*/AppData/Local/|%LOCALAPPDATA%/|' -e 's|^C:/ProgramData/|%PROGRAMDATA%/|' \
            -e "s|^$(winepath -w "$estratto/Parsilia" | tr '\\' / | sed 's/[.[*^$]/\\&/g')/|<Parsilia.exe>/|")
    verifica "LEGGIMI.txt dà le cartelle dove Parsilia cerca frasi.txt" \
        test "$cercati" = $'%LOCALAPPDATA%/parsilia/frasi.txt\n%PROGRAMDATA%/parsilia/frasi.txt\n<Parsilia.exe>/parsilia/frasi.txt' \
        -a "$(grep -c -e '%LOCALAPPDATA%\\parsilia\\frasi.txt' -e '%PROGRAMDATA%\\parsilia\\frasi.txt' \
                  -e 'parsilia\\frasi.txt nella cartella di Parsilia.exe' "$leggimi")" = 3
fi

fine

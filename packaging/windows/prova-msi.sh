#!/bin/bash
# Tries Parsilia's Windows packages under Wine, as a school's technician
# and a family would use them:
#   - pacchetti.sh refuses what would make a broken package;
#   - the MSI is a 64-bit, per-machine package with its version in it;
#   - msiexec /i ... /qn installs the program, its cues, its voice's data
#     and the licence in
#     Program Files\Parsilia, a Start-menu shortcut, the entry in Apps &
#     features and "Open with" for .txt; the program starts from there;
#   - MUTO=1 gives the shortcut --muto, nothing does not; a newer version
#     keeps the older one's MUTO=1, unless given MUTO=0;
#   - a second shortcut, "Parsilia con lettura ad alta voce", starts it with
#     --voce (--muto --voce with MUTO=1), and VOCE=1 makes it the only one;
#   - a newer version replaces an older, an older does not go over a newer;
#   - msiexec /x leaves nothing behind;
#   - the zip holds a Parsilia folder with the program, the cues, the
#     licence and a readme that Notepad shows right.
#
#   packaging/windows/prova-msi.sh BUILD_DIR     the real build (make windows)
#   packaging/windows/prova-msi.sh --sostituto   a small stand-in program,
#                                                 no need for the Qt build
#
# Everything happens in a temporary folder, with a Wine prefix of its own.
# Needs wine (wine64), wixl, msitools, zip, unzip, binutils, icoutils; the
# stand-in also g++-mingw-w64-x86-64-posix.
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
for p in wine wineserver winepath wixl msiinfo zip unzip strings wrestool; do
    command -v $p >/dev/null || mancano="$mancano $p"
done
if [ -n "$mancano" ]; then
    male "mancano:$mancano (apt-get install --no-install-recommends wine wine64 wixl msitools zip unzip binutils icoutils)"
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
    echo '1 ICON "icona.ico"' >"$lavoro/icona.rc"
    if ! (cd "$lavoro" && x86_64-w64-mingw32-windres icona.rc -O coff -o icona.o) ||
        ! x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -municode -DVERSIONE="\"$versione\"" \
            -o "$build/Parsilia.exe" "$qui/prova-sostituto.cpp" "$lavoro/icona.o"; then
        male "il programma sostituto non si compila (g++-mingw-w64-x86-64-posix)"
        fine
    fi
    x86_64-w64-mingw32-g++-posix -O2 -static -municode -o "$build/Parsilia.com" "$radice/avvio/gemello_win.cpp" ||
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

# --- The packages --------------------------------------------------------------

out=$lavoro/out
if ! "$qui/pacchetti.sh" "$build" "$out" "$versione" >"$lavoro/pacchetti.log" 2>&1 ||
    ! "$qui/pacchetti.sh" "$build" "$out" "$successiva" >>"$lavoro/pacchetti.log" 2>&1; then
    cat "$lavoro/pacchetti.log"
    male "pacchetti.sh non fa i pacchetti"
    fine
fi
msi=$out/parsilia-$versione-x64.msi
msi2=$out/parsilia-$successiva-x64.msi
zipfile=$out/parsilia-$versione-win64.zip
verifica "pacchetti.sh fa parsilia-$versione-x64.msi e parsilia-$versione-win64.zip" \
    test -s "$msi" -a -s "$zipfile"

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

atteso=$( (echo LICENSE.txt; echo LICENZA-CARATTERE.txt; echo Parsilia.com; echo Parsilia.exe; for s in $suoni; do echo "suoni/$s.wav"; done
    for d in $dati_voce; do echo "espeak-ng-data/$d"; done) | sort)
voce_lnk="Parsilia con lettura ad alta voce.lnk"

# ProgramMenuFolder, where the installer puts the shortcut: on Windows, with
# ALLUSERS=1, the Start menu of all users under ProgramData; Wine (8) keeps
# it in the user's profile (a FIXME of its msi), so the test asks the log.
controlla_installato() {
    local log=$1 versione=$2 muto=$3 voce=${4:-no}
    local trovati menu lnk codice
    trovati=$(cd "$cartella" 2>/dev/null && find . -type f | sed 's|^\./||' | sort)
    verifica "$versione: in Program Files\\Parsilia ci sono il programma, i suoni, i dati della voce e la licenza, e nient'altro" \
        test "$trovati" = "$atteso"
    verifica "$versione: i dati della voce sono quelli della build" \
        sh -c "for d in $dati_voce; do cmp -s '$build/espeak-ng-data/'\$d '$cartella/espeak-ng-data/'\$d || exit 1; done"
    verifica "$versione: Parsilia.exe è quello della build" cmp -s "$build/Parsilia.exe" "$cartella/Parsilia.exe"
    verifica "$versione: i suoni sono quelli della build" \
        sh -c "for s in $suoni; do cmp -s '$build/suoni/'\$s.wav '$cartella/suoni/'\$s.wav || exit 1; done"
    verifica "$versione: LICENSE.txt è la licenza, con gli a capo di Windows" \
        cmp -s <(sed 's/$/\r/' "$radice/LICENSE") "$cartella/LICENSE.txt"

    menu=$(proprieta_log "$log" ProgramMenuFolder)
    # The reading aloud's shortcut: --voce, after --muto with MUTO=1.
    local argomenti_voce=--voce
    [ "$muto" = si ] && argomenti_voce="--muto --voce"
    verifica "$versione: c'è il collegamento «Parsilia con lettura ad alta voce», con $argomenti_voce" \
        sh -c "strings -a -el '$(unix "${menu}$voce_lnk")' | grep -qx -- '$argomenti_voce'"
    lnk=$(unix "${menu}Parsilia.lnk")
    if [ "$voce" = si ]; then
        verifica "$versione: con VOCE=1 il collegamento con la voce è l'unico" test ! -e "$lnk"
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
    verifica "$versione: \"Apri con\" per i .txt avvia Parsilia con il file come banca" \
        test "$(valore 'HKLM\Software\Classes\Applications\Parsilia.exe\shell\open\command' '')" \
        = '"C:\Program Files\Parsilia\Parsilia.exe" --banca "%1"'
    verifica "$versione: Parsilia dice di aprire i .txt e sta nella loro lista \"Apri con\"" \
        sh -c "wine reg query 'HKLM\\Software\\Classes\\Applications\\Parsilia.exe\\SupportedTypes' /v .txt >/dev/null 2>&1 &&
               wine reg query 'HKLM\\Software\\Classes\\.txt\\OpenWithList\\Parsilia.exe' >/dev/null 2>&1"

    local uscita
    uscita=$(timeout 120 wine 'C:\Program Files\Parsilia\Parsilia.exe' --version 2>/dev/null | tr -d '\r')
    # Until it has quite gone: a program still running keeps its file.
    wineserver -w
    # The program's own version: the newer package holds the same program.
    verifica "$versione: Parsilia.exe installato parte e risponde a --version ($uscita)" \
        grep -qx "parsilia $versione_programma" <<<"$uscita"
    if ! $sostituto; then
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
    verifica "$cosa: niente collegamento nel menu Start" \
        test -n "$menu" -a ! -e "$(unix "${menu}Parsilia.lnk")" -a ! -e "$(unix "${menu}$voce_lnk")"
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

# --- The zip -------------------------------------------------------------------

elenco=$(unzip -Z1 "$zipfile" 2>/dev/null | sort)
atteso_zip=$( (echo Parsilia/; echo Parsilia/suoni/
    for f in LEGGIMI.txt LICENSE.txt LICENZA-CARATTERE.txt Parsilia.com Parsilia.exe; do echo "Parsilia/$f"; done
    for s in $suoni; do echo "Parsilia/suoni/$s.wav"; done
    for d in "" lang/ lang/roa/ $dati_voce; do echo "Parsilia/espeak-ng-data/$d"; done) | sort)
verifica "lo zip ha la cartella Parsilia con programma, suoni, dati della voce, licenza e LEGGIMI.txt, e nient'altro" \
    test "$elenco" = "$atteso_zip"
estratto=$lavoro/zip
mkdir -p "$estratto" && unzip -q "$zipfile" -d "$estratto"
verifica "nello zip Parsilia.exe è quello della build" cmp -s "$build/Parsilia.exe" "$estratto/Parsilia/Parsilia.exe"
verifica "nello zip LICENSE.txt è la licenza" cmp -s <(sed 's/$/\r/' "$radice/LICENSE") "$estratto/Parsilia/LICENSE.txt"
verifica "nello zip LICENZA-CARATTERE.txt è la licenza del carattere del titolo" \
    cmp -s <(sed 's/$/\r/' /usr/share/doc/fonts-urw-base35/copyright) "$estratto/Parsilia/LICENZA-CARATTERE.txt"
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

#!/bin/bash
# The folder of a release of Parsilia, ready to publish as it is:
#
#   DIR/parsilia-VERSION/
#     parsilia_VERSION_ARCH.deb          for Debian 12 and its derivatives
#     parsilia-VERSION-x64.msi           for a school's Windows PCs
#     parsilia-VERSION-win64.zip         for a Windows PC at home
#     parsilia-VERSION-sorgenti.tar.gz   the sources the three are built from
#     NOVITA.txt                         what changed, this version's part of
#                                        NOVITA.txt in the sources
#     SHA256SUMS                         their SHA-256 sums (sha256sum -c)
#
#   packaging/rilascio.sh --controlla DIR VERSION   whether it can be made
#   packaging/rilascio.sh DIR VERSION DEB_DIR WINDOWS_DIR
#
# make release runs both, with the packages of make package and make
# windows-package in between. A release is never made over another: a
# folder that exists already is refused, and left as it is. The folder is
# gathered beside it and takes its name only when whole.
set -euo pipefail

qui=$(cd "$(dirname "$0")" && pwd)
radice=$(cd "$qui/.." && pwd)
novita=$radice/NOVITA.txt

errore() {
    echo "rilascio: $*" >&2
    exit 1
}

controlla() {
    local cartella=$1/parsilia-$2
    [ ! -e "$cartella" ] ||
        errore "la cartella $cartella esiste già: un rilascio non si fa sopra un altro. Per rifarlo, spostarla o cancellarla; per uno nuovo, cambiare la versione in CMakeLists.txt"
    grep -q "^Parsilia $2 " "$novita" ||
        errore "in NOVITA.txt manca la parte della versione $2 (una riga «Parsilia $2 (mese anno)» e, sotto, che cosa è cambiato)"
}

if [ "${1:-}" = --controlla ] && [ $# -eq 3 ]; then
    controlla "$2" "$3"
    exit 0
fi
if [ $# -ne 4 ]; then
    echo "uso: $0 [--controlla] CARTELLA VERSIONE [CARTELLA_DEB CARTELLA_WINDOWS]" >&2
    exit 2
fi
versione=$2
controlla "$1" "$versione"
mkdir -p "$1"
cartella=$(cd "$1" && pwd)/parsilia-$versione

deb=$(ls "$3"/parsilia_"$versione"_*.deb 2>/dev/null || true)
[ "$(grep -c . <<<"$deb")" = 1 ] || errore "in $3 non c'è un solo parsilia_${versione}_*.deb (make package)"
msi=$4/parsilia-$versione-x64.msi
zipfile=$4/parsilia-$versione-win64.zip
[ -f "$msi" ] && [ -f "$zipfile" ] || errore "mancano $msi o $zipfile (make windows-package)"

lavoro=$(mktemp -d "$cartella.XXXXXX")
trap 'rm -rf "$lavoro"' EXIT
cp "$deb" "$msi" "$zipfile" "$lavoro/"

# The sources: those of the commit checked out, with the changes not yet
# committed (git stash create makes a commit of them without touching the
# tree), so that they are the ones the packages were built from.
sorgenti=parsilia-$versione-sorgenti.tar.gz
if git -C "$radice" rev-parse --show-toplevel 2>/dev/null | grep -qxF "$radice"; then
    commit=$(git -C "$radice" stash create)
    if [ -n "$commit" ]; then
        echo "rilascio: i sorgenti hanno modifiche non registrate in git: sono nel file dei sorgenti, ma conviene registrarle" >&2
    fi
    nuovi=$(git -C "$radice" ls-files --others --exclude-standard | head -n 5)
    [ -z "$nuovi" ] ||
        echo "rilascio: file nuovi che git non conosce, lasciati fuori dal file dei sorgenti: $(tr '\n' ' ' <<<"$nuovi")" >&2
    git -C "$radice" archive --format=tar.gz --prefix="parsilia-$versione/" -o "$lavoro/$sorgenti" "${commit:-HEAD}"
else
    tar -C "$radice/.." --exclude-vcs --exclude="$(basename "$radice")/build*" \
        --exclude="$(basename "$radice")/$(basename "$1")" --transform="s|^$(basename "$radice")|parsilia-$versione|" \
        -czf "$lavoro/$sorgenti" "$(basename "$radice")"
fi

# This version's part of NOVITA.txt: from its heading to the next one.
awk -v titolo="Parsilia $versione " '
    /^Parsilia [0-9]+\.[0-9]+\.[0-9]+ / { dentro = index($0, titolo) == 1 }
    dentro { righe[++n] = $0; if ($0 != "") ultima = n }
    END { for (i = 1; i <= ultima; ++i) print righe[i] }' "$novita" >"$lavoro/NOVITA.txt"

(cd "$lavoro" && sha256sum -- *.deb *.msi *.zip *.tar.gz NOVITA.txt >SHA256SUMS)
chmod 755 "$lavoro"
# Made whole; and still no release of this version beside it.
[ ! -e "$cartella" ] || errore "la cartella $cartella è comparsa nel frattempo: lasciata com'è"
mv -T "$lavoro" "$cartella"
trap - EXIT
echo "Rilascio di Parsilia $versione: $cartella"
(cd "$cartella" && ls -l)

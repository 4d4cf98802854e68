#!/bin/sh
# Who answers for this machine's packages of Parsilia, as "Name <address>":
# the Maintainer of the Debian package and the contact the Windows installer
# gives in Apps & features. Whoever builds and hands out the packages answers
# for them, so the default is the one building, found as Debian's own tools
# find a packager:
#
#   1. PARSILIA_MANUTENTORE, when given ("Name <address>");
#   2. DEBFULLNAME (or NAME) and DEBEMAIL (or EMAIL), as for dch;
#   3. the git identity of whoever builds (git config user.name, user.email);
#   4. the login's name at this host, with a warning: nobody may read that.
#
#   sh packaging/manutentore.sh     prints it; exit 1 for a malformed one
set -u

forma='^[^<>]*[^<> ] <[^<>@ ]+@[^<> ]+>$'
dalla_forma() { printf '%s\n' "$1" | grep -Eqx "$forma"; }

if [ -n "${PARSILIA_MANUTENTORE:-}" ]; then
    if ! dalla_forma "$PARSILIA_MANUTENTORE"; then
        echo "PARSILIA_MANUTENTORE è \"$PARSILIA_MANUTENTORE\": serve \"Nome <indirizzo>\", per esempio \"Anna Rossi <anna.rossi@scuola.it>\"" >&2
        exit 1
    fi
    printf '%s\n' "$PARSILIA_MANUTENTORE"
    exit 0
fi

nome=${DEBFULLNAME:-${NAME:-}}
indirizzo=${DEBEMAIL:-${EMAIL:-}}
# DEBEMAIL may hold both, as "Name <address>".
if dalla_forma "$indirizzo"; then
    printf '%s\n' "$indirizzo"
    exit 0
fi
if [ -n "$nome" ] && [ -n "$indirizzo" ] && dalla_forma "$nome <$indirizzo>"; then
    printf '%s\n' "$nome <$indirizzo>"
    exit 0
fi

nome=$(git config user.name 2>/dev/null)
indirizzo=$(git config user.email 2>/dev/null)
if [ -n "$nome" ] && [ -n "$indirizzo" ] && dalla_forma "$nome <$indirizzo>"; then
    printf '%s\n' "$nome <$indirizzo>"
    exit 0
fi

utente=$(id -un)
macchina=$(hostname -f 2>/dev/null || hostname)
nome=$(getent passwd "$utente" | cut -d: -f5 | cut -d, -f1)
identita="${nome:-$utente} <$utente@$macchina>"
echo "Nessun nome per chi fa i pacchetti: uso \"$identita\". Per darne uno: PARSILIA_MANUTENTORE=\"Nome <indirizzo>\"" >&2
printf '%s\n' "$identita"

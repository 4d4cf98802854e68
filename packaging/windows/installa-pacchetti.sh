# Sourced by the scripts that cross-build a library for Windows.
# installa_pacchetti installs, without recommends, those of the Debian
# packages in PACCHETTI that are not installed yet, and nothing when all are.
installa_pacchetti() {
    local mancanti=() p
    for p in "${PACCHETTI[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'ok installed' || mancanti+=("$p")
    done
    if ((${#mancanti[@]})); then
        echo "Installing: ${mancanti[*]}"
        apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${mancanti[@]}"
    fi
}

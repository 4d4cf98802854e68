# A virtual X display of its own for a test that runs the real program.
# Source it from a bash script:
#
#   . "$(dirname "$0")/schermo.sh"
#   trap 'schermo_chiudi' EXIT
#   schermo_avvia 1280x800x24 || exit 1
#
# Functions:
#   schermo_avvia [WxHxD]     starts Xvfb on a free display number and exports
#                             DISPLAY; status 1 and a message on stderr when no
#                             display is up within 20 seconds
#   schermo_chiudi            stops the display and waits until it has gone;
#                             call it from the script's EXIT trap
#   attendi SECONDI COMANDO…  runs COMANDO every 50 ms until it succeeds (its
#                             output goes on through); status 1 once SECONDI
#                             (whole seconds) have passed
#
# Variables: SCHERMO_PID, the server's process id (empty when none runs).
#
# How the display is started, and why:
#   -displayfd  Xvfb takes the first number it can bind its sockets to, so two
#               tests starting displays at once never share one (the kernel
#               settles the race; no lock files are read), and it writes the
#               number only once it accepts connections.
#   -noreset    by default an X server resets when its last client leaves, and
#               drops every client still connecting. A test polling with
#               xdotool while the program starts would now and then make the
#               program fail with "could not connect to display".

SCHERMO_PID=
schermo_cartella=

# Microseconds since the epoch (the decimal point depends on the locale).
schermo_adesso() { echo "${EPOCHREALTIME/[.,]/}"; }

attendi() {
    local fine=$(($(schermo_adesso) + $1 * 1000000))
    shift
    until "$@"; do
        [ "$(schermo_adesso)" -lt "$fine" ] || return 1
        sleep 0.05
    done
}

# The number is complete once its line is: Xvfb writes the digits, then "\n".
schermo_numero_scritto() { [ "$(wc -l < "$schermo_cartella/numero")" -ge 1 ]; }
# Ended, or a zombie still to be waited for: either way its sockets are closed.
schermo_spento() { case $(ps -o stat= -p "$SCHERMO_PID" 2>/dev/null) in '' | Z*) return 0 ;; *) return 1 ;; esac; }
schermo_deciso() { schermo_numero_scritto || schermo_spento; }

schermo_avvia() {
    local fd
    schermo_cartella=$(mktemp -d)
    : > "$schermo_cartella/numero"
    exec {fd}> "$schermo_cartella/numero"
    Xvfb -displayfd "$fd" -noreset -nolisten tcp -screen 0 "${1:-1280x800x24}" \
        > "$schermo_cartella/xvfb.log" 2>&1 &
    SCHERMO_PID=$!
    exec {fd}>&- # only Xvfb writes the number; the programs started later do not inherit it
    if ! attendi 20 schermo_deciso || ! schermo_numero_scritto; then
        echo "Xvfb did not start:" >&2
        sed 's/^/  Xvfb: /' "$schermo_cartella/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$(head -n1 "$schermo_cartella/numero")
}

schermo_chiudi() {
    if [ -n "$SCHERMO_PID" ]; then
        kill -TERM "$SCHERMO_PID" 2>/dev/null
        attendi 5 schermo_spento || kill -KILL "$SCHERMO_PID" 2>/dev/null
        wait "$SCHERMO_PID" 2>/dev/null
        SCHERMO_PID=
    fi
    [ -z "$schermo_cartella" ] || rm -rf "$schermo_cartella"
    schermo_cartella=
}

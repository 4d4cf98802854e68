#!/bin/bash
# Smoke test of the real program: started on a virtual X display, it shows
# the title screen, passes to the exercise screen at a click (both windows
# of the class its menu entry names, with its icon), sits idle
# without using the processor, and ends with FINE; started again, it stops
# at SIGTERM. Then the cues on a sound device, and the voice (--voce).
#
#   fumo.sh <path to parsilia>
set -u
programma=$1
. "$(dirname "$0")/schermo.sh"
lavoro=$(mktemp -d)
pid_p=
trap '[ -z "$pid_p" ] || kill $pid_p 2>/dev/null; schermo_chiudi; rm -rf "$lavoro"' EXIT

voce=$(dirname "$0")/../packaging/it.parsilia.Parsilia.desktop

fallito() { echo "FAIL: $*"; [ -s "$lavoro/stderr" ] && sed 's/^/  parsilia: /' "$lavoro/stderr"; exit 1; }

schermo_avvia 1280x800x24 || fallito "no virtual display"
# No teacher's file of this machine's user: the built-in sentences.
export XDG_DATA_HOME=$lavoro/dati XDG_DATA_DIRS=$lavoro/dati

# No sound device here: the cues must fail silently.
QT_QPA_PLATFORM=xcb "$programma" 2>"$lavoro/stderr" &
pid_p=$!

# What a taskbar reads: the window's class, which the menu entry's
# StartupWMClass names, and the icon's sizes and pixels.
identita() {
    classe=$(sed -n 's/^StartupWMClass=//p' "$voce")
    xprop -id "$1" -notype WM_CLASS | grep -q "^WM_CLASS = \"parsilia\", \"$classe\"\$" ||
        fallito "$2: WM_CLASS $(xprop -id "$1" -notype WM_CLASS), not \"$classe\""
    xprop -id "$1" -notype -f _NET_WM_ICON 32c ' $0 $1\n' _NET_WM_ICON | grep -q '^_NET_WM_ICON [1-9][0-9]* [1-9]' ||
        fallito "$2 has no icon"
}

# The visible windows of the program, the newest last; the second screen
# appears before the title screen goes.
finestre() { xdotool search --onlyvisible --name '^Form1$' 2>/dev/null; }
finestra() { finestre | head -n1 | grep .; }
altra_finestra() { finestre | grep -vx "$titolo" | head -n1 | grep .; }
vivo() { kill -0 $pid_p 2>/dev/null; }
finito() { ! vivo; }

titolo=$(attendi 15 finestra) || fallito "no title screen"
identita "$titolo" "the title screen"
echo "title screen up, with the program's class and icon"

# A click on the title's background hands over at once.
xdotool mousemove 5 5 click 1
esercizio=$(attendi 15 altra_finestra) || fallito "no exercise screen after the click"
vivo || fallito "the program died"
identita "$esercizio" "the exercise screen"
echo "exercise screen up, with the program's class and icon"

# Idle: at most a few clock ticks' worth of processor time in half a second.
tick() { awk '{ print $14 + $15 }' /proc/$pid_p/stat; }
sleep 0.3
prima=$(tick); sleep 0.5; dopo=$(tick)
[ $((dopo - prima)) -le 3 ] || fallito "busy while idle: $((dopo - prima)) ticks in 0.5 s"
echo "idle: $((dopo - prima)) ticks in 0.5 s"

# fine_pulita WHEN: FINE, at the right end of the bottom bar, ends the
# program with exit status 0 and nothing written to the terminal.
fine_pulita() {
    eval "$(xdotool getwindowgeometry --shell "$esercizio")"
    xdotool mousemove $((X + WIDTH * 1201 / 1280)) $((Y + HEIGHT * 758 / 800)) click 1
    attendi 3 finito || fallito "FINE did not end the program$1"
    wait $pid_p
    stato=$?
    pid_p=
    [ $stato -eq 0 ] || fallito "exit status $stato$1"
    grep -v -E 'XDG_RUNTIME_DIR|^$' "$lavoro/stderr" | grep -q . && fallito "the program wrote to the terminal$1"
}

fine_pulita ""
echo "ended by FINE, exit status 0, nothing on the terminal"

# Asked to stop (Ctrl+C, the end of a session), it stops, sound or no sound.
QT_QPA_PLATFORM=xcb "$programma" 2>"$lavoro/stderr" &
pid_p=$!
attendi 15 finestra > /dev/null || fallito "no title screen at the second start"
sleep 0.3
kill -TERM $pid_p
attendi 2 finito || fallito "SIGTERM did not stop the program"
pid_p=
echo "stopped by SIGTERM"

# The title's cue reaches the sound device (SDL's "disk" device writes it to
# a file); with --muto not even the device is opened.
for muto in "" --muto; do
    rm -f "$lavoro/suono.raw"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$lavoro/suono.raw QT_QPA_PLATFORM=xcb "$programma" $muto 2>"$lavoro/stderr" &
    pid_p=$!
    attendi 15 finestra > /dev/null || fallito "no title screen with ${muto:-sound}"
    [ -n "$muto" ] || attendi 5 test -s "$lavoro/suono.raw" || fallito "the title's cue was not played"
    sleep 0.5
    kill -TERM $pid_p
    attendi 2 finito || fallito "SIGTERM did not stop the program"
    pid_p=
    [ -z "$muto" ] || [ ! -e "$lavoro/suono.raw" ] || fallito "--muto opened the sound device"
done
echo "the cues sound, and --muto silences them"

# --voce with --muto: no cue, but the sentence read at VIA, through the same
# device, opened for the voice alone.
parla() { [ -n "$(tr -d '\000' < "$lavoro/suono.raw" 2>/dev/null | head -c 16)" ]; }
rm -f "$lavoro/suono.raw"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$lavoro/suono.raw QT_QPA_PLATFORM=xcb "$programma" --muto --voce 2>"$lavoro/stderr" &
pid_p=$!
titolo=$(attendi 15 finestra) || fallito "no title screen with --voce"
xdotool mousemove 5 5 click 1
esercizio=$(attendi 15 altra_finestra) || fallito "no exercise screen with --voce"
sleep 1
[ ! -e "$lavoro/suono.raw" ] || fallito "--muto --voce opened the sound device before anything was read"
eval "$(xdotool getwindowgeometry --shell "$esercizio")"
xdotool mousemove $((X + WIDTH * 7785 / 12000)) $((Y + HEIGHT * 4282 / 9000)) click 1 # VIA
attendi 5 parla || fallito "--voce read nothing at VIA"
fine_pulita " with --voce, while it was reading"
echo "--voce reads the sentence at VIA, with the cues muted, and FINE ends it while it reads"

#!/bin/bash
# Smoke test of the real Parsilia.exe under Wine, on a virtual X display with
# Qt's windows platform, as a pupil on a Windows PC: the title screen, a
# click, the exercise screen, VIA, a wrong answer, a double-click on the
# right one (no second error), a wrong answer with a click on the right
# button 300 ms after it (the red mark stays), a right answer after the hold,
# FINE, exit status 0; then, with a teacher's file that has a fault, the
# message box before the title screen; with --voce, no message with the
# voice's data beside the program and one without. The pictures of each
# step are kept in the folder given, the test's artefacts.
#
#   fumo-wine.sh PARSILIA.EXE CATTURA PICTURES_FOLDER
#
# CATTURA is tools/cattura of a native build.
set -u
programma=$(realpath "$1")
cattura=$2
foto=$3
qui=$(cd "$(dirname "$0")" && pwd)
. "$qui/schermo.sh"
# A Wine prefix of its own: Wine's desktop, started by the first program of a
# prefix, keeps the display it found, and the suites have none.
PARSILIA_WINEPREFIX=${PARSILIA_WINEPREFIX_SCHERMO:-$(dirname "$programma")/wine-schermo}
. "$qui/wine-prefisso.sh" "$(dirname "$programma")"
lavoro=$(mktemp -d)
pid_p=
pid_wm=
trap '[ -z "$pid_p" ] || kill $pid_p 2>/dev/null; wineserver -k 2>/dev/null; [ -z "$pid_wm" ] || kill $pid_wm 2>/dev/null; schermo_chiudi; rm -rf "$lavoro"' EXIT
rm -rf "$foto"
mkdir -p "$foto"

fallito() {
    echo "FAIL: $*"
    "$cattura" "$foto/fallito.png" 2>/dev/null && echo "  the screen then: $foto/fallito.png"
    [ -s "$lavoro/uscita" ] && sed 's/^/  Parsilia.exe: /' "$lavoro/uscita"
    exit 1
}

[ -x "$cattura" ] || fallito "$cattura is missing (cmake --build build --target cattura)"
# cattura, without Qt's notes on the environment.
cattura() { "$cattura" "$@" 2>/dev/null || fallito "no picture of the screen: $("$cattura" "$@" 2>&1)"; }
schermo_avvia 1280x1024x24 || fallito "no virtual display"
# A window manager, as on every Windows desktop: the program's screens are
# shown maximised.
openbox >/dev/null 2>&1 &
pid_wm=$!

# One sentence of the teacher's, so that the right answers are known:
# "Il gatto" is the subject, "dorme" the verb, "sul divano." where.
printf 'Il gatto dorme sul divano.\nIl gatto = soggetto\ndorme = predicato verbale\nsul divano. = stato in luogo\n' \
    > "$lavoro/frasi.txt"
wine "$programma" --muto --banca "$(winepath -w "$lavoro/frasi.txt")" > "$lavoro/uscita" 2>&1 &
pid_p=$!

finestre() { xdotool search --onlyvisible --name '^Form1$' 2>/dev/null; }
finestra() { finestre | head -n1 | grep .; }
altra_finestra() { finestre | grep -vx "$titolo" | head -n1 | grep .; }
vivo() { kill -0 $pid_p 2>/dev/null; }
finito() { ! vivo; }

titolo=$(attendi 60 finestra) || fallito "no title screen"
sleep 0.5
cattura "$foto/1-titolo.png"
echo "title screen up"
xdotool mousemove 5 50 click 1
esercizio=$(attendi 15 altra_finestra) || fallito "no exercise screen after the click"
echo "exercise screen up"

# The window is maximised a moment after it shows: its measures are taken
# once they hold still.
geometria() { xdotool getwindowgeometry --shell "$esercizio" 2>/dev/null; }
ferma() { local prima; prima=$(geometria); sleep 0.5; [ -n "$prima" ] && [ "$prima" = "$(geometria)" ]; }
attendi 15 ferma || fallito "the exercise screen never held still"
eval "$(geometria)"
# A point of the exercise screen, from its design measures (a 12000 x 9000
# grid) to the screen's pixels.
px() { echo $((X + WIDTH * $1 / 12000)) $((Y + HEIGHT * $2 / 9000)); }
clic() { sleep 0.3; xdotool mousemove $(px "$1" "$2") click 1; }
# The boxes of the answers given and of the errors, at the bottom.
riquadro() { local a b; read -r a b <<<"$(px "$1" "$2")"; echo "$a $b $((WIDTH * $3 / 12000)) $((HEIGHT * $4 / 9000))"; }
risposte=$(riquadro 2115 8235 1350 690)
errori=$(riquadro 3555 8235 1095 645)
# cambiato FILE X Y W H: that part of the screen is no longer as FILE holds it.
cambiato() { cattura "$lavoro/ora.png" $2 && ! cmp -s "$1" "$lavoro/ora.png"; }

sleep 0.5
cattura "$foto/2-esercizio.png"
clic 7785 4282 # VIA
sleep 1
cattura "$foto/3-via.png"
cattura "$lavoro/risposte0.png" $risposte
cattura "$lavoro/errori0.png" $errori

# The second phrase, "dorme", turns from black to red when it is the one to
# classify, and back to black once classified; the errors box changes only
# when an error is booked.
dorme=$(riquadro 270 1710 1200 330)
cattura "$lavoro/dorme0.png" $dorme
clic 4417 5272 # predicato VERBALE for "Il gatto": wrong
attendi 5 cambiato "$lavoro/errori0.png" "$errori" || fallito "the wrong answer was not counted"
cattura "$foto/4-sbagliata.png"
echo "a wrong answer, counted"
sleep 1.5
cattura "$lavoro/errori1.png" $errori
# Windows stamps each click with when it was made, Qt with when it handles
# it, a second later under Wine: the double-click filter and the hold must
# go by the first.
sleep 0.3
xdotool mousemove $(px 1447 5272) click --repeat 2 --delay 80 1 # SOGGETTO, double-clicked: right, once
attendi 5 cambiato "$lavoro/dorme0.png" "$dorme" || fallito "the right answer was not counted"
cattura "$foto/5-giusta.png"
sleep 2.5 # the hold, and a second click delivered late
cambiato "$lavoro/errori1.png" "$errori" && fallito "a double-click on the right answer also booked an error"
cattura "$lavoro/dorme1.png" $dorme
echo "a double-click on the right answer: one answer"

# SOGGETTO again, for the verb: wrong; the right button 300 ms later, on the
# pink screen, is no answer: "dorme" stays red.
sleep 0.3
xdotool mousemove $(px 1447 5272) click 1 sleep 0.3 mousemove $(px 4417 5272) click 1
attendi 5 cambiato "$lavoro/errori1.png" "$errori" || fallito "the wrong answer was not counted"
cattura "$foto/6-sbagliata.png"
sleep 2.5
cambiato "$lavoro/dorme1.png" "$dorme" && fallito "a click 300 ms after a wrong answer was booked as an answer"
echo "a wrong answer and another button 300 ms later: one answer"
clic 4417 5272 # predicato VERBALE, a moment later: right
attendi 5 cambiato "$lavoro/dorme1.png" "$dorme" || fallito "a right answer after the hold was not counted"
echo "a click after the hold: an answer"
sleep 1.2

vivo || fallito "the program died"
clic 11200 8527 # FINE
attendi 10 finito || fallito "FINE did not end the program"
wait $pid_p
stato=$?
pid_p=
[ $stato -eq 0 ] || fallito "exit status $stato"
echo "ended by FINE, exit status 0; pictures in $foto"

# A teacher's file with a fault: the message box in Italian, then the
# built-in sentences.
printf 'Il gatto dorme.\nIl gatto = verbo\ndorme. = 2\n' > "$lavoro/guasto.txt"
wine "$programma" --muto --banca "$(winepath -w "$lavoro/guasto.txt")" > "$lavoro/uscita" 2>&1 &
pid_p=$!
messaggio() { xdotool search --onlyvisible --name '^Parsilia$' 2>/dev/null | head -n1 | grep .; }
avviso=$(attendi 60 messaggio) || fallito "no message box for a file with a fault"
sleep 0.5
cattura "$foto/7-file-guasto.png"
xdotool windowactivate --sync "$avviso" key Return 2>/dev/null || xdotool key Return
titolo=$(attendi 15 finestra) || fallito "no title screen after the message"
echo "a file with a fault: the message box, then the title screen"
kill $pid_p 2>/dev/null
wait $pid_p 2>/dev/null
pid_p=

# The voice (--muto --voce): with its data beside the program, no message;
# Parsilia.exe alone in a folder, without the data, says so in one message
# box, and the title screen comes all the same.
wine "$programma" --muto --voce > "$lavoro/uscita" 2>&1 &
pid_p=$!
titolo=$(attendi 60 finestra) || fallito "no title screen with --voce"
sleep 3 # the voice loads meanwhile
messaggio > /dev/null && fallito "a message box with --voce and the voice's data beside the program"
kill $pid_p 2>/dev/null
wait $pid_p 2>/dev/null
mkdir -p "$lavoro/solo" && cp "$programma" "$lavoro/solo/"
wine "$lavoro/solo/Parsilia.exe" --muto --voce > "$lavoro/uscita" 2>&1 &
pid_p=$!
avviso=$(attendi 60 messaggio) || fallito "no message box for a voice without its data"
sleep 0.5
cattura "$foto/8-voce-senza-dati.png"
finestra > /dev/null || fallito "no title screen beside the message of the voice"
echo "--voce: no message with its data, one message without, and the title screen"
kill $pid_p 2>/dev/null
wait $pid_p 2>/dev/null
pid_p=

#!/bin/bash
# The Windows build under Wine (make bench-windows), on a virtual X display
# with Qt's windows platform and openbox, in one run:
#   - start-up to the title screen painted (bench_avvio.exe, which ends right
#     there) against a bare Qt window shown and painted (bench_avvio_qt.exe),
#     both built as Parsilia.exe is: the median of the wall-clock times of
#     whole runs, Wine's own start included in both; target ratio <= 1.5;
#   - the size of Parsilia.exe;
#   - the resident memory of Parsilia.exe five seconds after its start;
#   - the voice (bench_voce.exe): from VIA to the sentence handed to winmm,
#     and the peak memory with the voice against the same presses without.
# docs/BENCHMARKS.md keeps the figures.
#
#   bench/wine.sh BUILD_WINDOWS [RUNS]
set -euo pipefail

build=$(cd "$1" && pwd)
esecuzioni=${2:-15}
sorgenti=$(cd "$(dirname "$0")/.." && pwd)
. "$sorgenti/tests/schermo.sh"
PARSILIA_WINEPREFIX=$build/wine-bench
. "$sorgenti/tests/wine-prefisso.sh" "$build"
pid_wm=
pid_p=
riordina() {
    [ -z "$pid_p" ] || kill "$pid_p" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$pid_wm" ] || kill "$pid_wm" 2>/dev/null || true
    schermo_chiudi
}
trap riordina EXIT

for f in bench_avvio.exe bench_avvio_qt.exe bench_voce.exe Parsilia.exe; do
    [ -f "$build/$f" ] || { echo "$build/$f is missing (make bench-windows)" >&2; exit 1; }
done

echo "CPU:    $(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) cores"
echo "Wine:   $(wine --version)"
echo "Load:   $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) before the runs"

schermo_avvia 1280x1024x24
openbox >/dev/null 2>&1 &
pid_wm=$!
# Wine's server and desktop kept up between runs, as on a PC where Windows is
# already running; two runs of each to warm the caches.
wineserver -p
adesso() { echo "${EPOCHREALTIME/[.,]/}"; }
mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
misura() { # PROGRAM: the median of RUNS runs, in ms
    local i inizio tempi=()
    for ((i = 0; i < esecuzioni + 2; i++)); do
        inizio=$(adesso)
        wine "$build/$1" >/dev/null 2>&1
        ((i < 2)) || tempi+=($((($(adesso) - inizio) / 1000)))
    done
    printf '%s\n' "${tempi[@]}" | mediana
}
parsilia=$(misura bench_avvio.exe)
nuda=$(misura bench_avvio_qt.exe)
rapporto=$(awk -v a="$parsilia" -v b="$nuda" 'BEGIN { printf "%.2f", a / b }')
echo "start-up to the title screen painted, median of $esecuzioni: $parsilia ms"
echo "a bare Qt window shown and painted, median of $esecuzioni:   $nuda ms"
echo "ratio: $rapporto (target <= 1.5: $(awk -v r="$rapporto" 'BEGIN { print (r <= 1.5) ? "met" : "MISSED" }'))"

dimensione=$(stat -c %s "$build/Parsilia.exe")
echo "Parsilia.exe: $dimensione bytes ($(awk -v d="$dimensione" 'BEGIN { printf "%.1f", d / 1048576 }') MiB)"

# The real program, on the title screen and then the exercise screen.
wine "$build/Parsilia.exe" --muto >/dev/null 2>&1 &
pid_p=$!
sleep 5
memoria=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid_p/status" 2>/dev/null || true)
[ -n "$memoria" ] || { echo "Parsilia.exe was not running after five seconds" >&2; exit 1; }
echo "Parsilia.exe five seconds after its start: $memoria kB resident"
kill "$pid_p" 2>/dev/null || true
wait "$pid_p" 2>/dev/null || true
pid_p=

# The voice: its figures from the program itself, its peak memory from
# outside (Wine's /proc), sampled until the program ends.
picco() { # OUTPUT ARGUMENTS...: runs bench_voce.exe; its output, then its peak VmHWM in kB, into OUTPUT
    local uscita=$1 massimo=0 ora pid
    shift
    wine "$build/bench_voce.exe" "$@" >"$uscita.crlf" 2>/dev/null &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        ora=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
        ((${ora:-0} > massimo)) && massimo=$ora
        sleep 0.2
    done
    wait "$pid" || true
    { tr -d '\r' <"$uscita.crlf"; echo "peak (outside): $massimo kB"; } >"$uscita"
    rm -f "$uscita.crlf"
}
picco "$build/voce-bench.txt"
cat "$build/voce-bench.txt"
picco "$build/voce-bench-senza.txt" senza
con=$(awk '/peak \(outside\)/ { print $3 }' "$build/voce-bench.txt")
senza=$(awk '/peak \(outside\)/ { print $3 }' "$build/voce-bench-senza.txt")
echo "the same presses without the voice: peak $senza kB; the voice adds" \
    "$(awk -v a="$con" -v b="$senza" 'BEGIN { printf "%.1f", (a - b) / 1024 }') MiB (target <= 15)"

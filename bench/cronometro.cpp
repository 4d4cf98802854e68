// Runs a program many times and reports, over the runs: the time from the
// start of the program to each mark it prints ("segno NAME NANOSECONDS" on
// the monotonic clock, see segni.h), the time to its end, and its peak
// resident memory (the kernel's maximum RSS, as /usr/bin/time -v reports it).
//
//   bench_cronometro [-n RUNS] [-w WARM-UP RUNS] PROGRAM [ARGUMENTS...]
//
// The warm-up runs are not counted. A run that fails, or that misses a mark
// the first counted run printed, stops the measure.

#include "monotono.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Esecuzione
{
    std::vector<std::pair<std::string, long long>> segni; // from the start, ns
    long long fine = 0;                                   // from the start, ns
    long picco = 0;                                       // kB
};

Esecuzione esegui(char **comando)
{
    int tubo[2];
    if (pipe(tubo) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    posix_spawn_file_actions_addclose(&azioni, tubo[1]);

    Esecuzione e;
    pid_t pid = 0;
    const long long inizio = nanosecondiMonotoni();
    if (posix_spawn(&pid, comando[0], &azioni, nullptr, comando, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", comando[0]);
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);

    std::string uscita;
    char blocco[4096];
    ssize_t letti;
    while ((letti = read(tubo[0], blocco, sizeof blocco)) > 0)
        uscita.append(blocco, size_t(letti));
    close(tubo[0]);

    int stato = 0;
    rusage uso{};
    if (wait4(pid, &stato, 0, &uso) != pid) {
        std::perror("wait4");
        std::exit(2);
    }
    e.fine = nanosecondiMonotoni() - inizio;
    e.picco = uso.ru_maxrss;
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", comando[0], stato);
        std::exit(1);
    }

    std::istringstream righe(uscita);
    std::string riga;
    while (std::getline(righe, riga)) {
        std::istringstream campi(riga);
        std::string parola, nome;
        long long ns = 0;
        if (campi >> parola >> nome >> ns && parola == "segno")
            e.segni.emplace_back(nome, ns - inizio);
    }
    return e;
}

// Nearest-rank percentile of sorted values.
double percentile(const std::vector<double> &ordinati, double p)
{
    const size_t rango = size_t(std::ceil(p / 100.0 * double(ordinati.size())));
    return ordinati[std::max<size_t>(rango, 1) - 1];
}

double mediana(const std::vector<double> &ordinati)
{
    const size_t n = ordinati.size();
    return n % 2 ? ordinati[n / 2] : (ordinati[n / 2 - 1] + ordinati[n / 2]) / 2.0;
}

void riga(const char *nome, std::vector<double> valori, const char *unita)
{
    std::sort(valori.begin(), valori.end());
    std::printf("  %-22s median %8.1f  p90 %8.1f  min %8.1f  max %8.1f  %s\n", nome, mediana(valori),
                percentile(valori, 90), valori.front(), valori.back(), unita);
}

} // namespace

int main(int argc, char **argv)
{
    int esecuzioni = 30;
    int riscaldamento = 2;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (std::strcmp(argv[i], "-n") == 0)
            esecuzioni = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "-w") == 0)
            riscaldamento = std::atoi(argv[i + 1]);
        else
            break;
    }
    if (i >= argc || esecuzioni < 1 || riscaldamento < 0) {
        std::fprintf(stderr, "usage: %s [-n RUNS] [-w WARM-UP RUNS] PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    char **comando = argv + i;

    for (int k = 0; k < riscaldamento; ++k)
        esegui(comando);

    std::vector<std::string> nomi;
    std::map<std::string, std::vector<double>> segni; // ms from the start
    std::map<std::string, std::vector<double>> tratti; // ms from the mark before
    std::vector<double> fini, picchi;
    for (int k = 0; k < esecuzioni; ++k) {
        const Esecuzione e = esegui(comando);
        if (k == 0)
            for (const auto &s : e.segni)
                nomi.push_back(s.first);
        if (e.segni.size() != nomi.size()) {
            std::fprintf(stderr, "run %d printed %zu marks, the first run %zu\n", k + 1, e.segni.size(),
                         nomi.size());
            return 1;
        }
        long long prima = 0;
        for (size_t m = 0; m < nomi.size(); ++m) {
            if (e.segni[m].first != nomi[m]) {
                std::fprintf(stderr, "run %d: mark %s where %s was expected\n", k + 1,
                             e.segni[m].first.c_str(), nomi[m].c_str());
                return 1;
            }
            segni[nomi[m]].push_back(double(e.segni[m].second) / 1e6);
            tratti[nomi[m]].push_back(double(e.segni[m].second - prima) / 1e6);
            prima = e.segni[m].second;
        }
        fini.push_back(double(e.fine) / 1e6);
        picchi.push_back(double(e.picco) / 1024.0);
    }

    std::printf("%s: %d runs (%d warm-up runs not counted)\n", comando[0], esecuzioni, riscaldamento);
    for (size_t m = 0; m < nomi.size(); ++m) {
        riga(("start -> " + nomi[m]).c_str(), segni[nomi[m]], "ms");
        if (m > 0)
            riga((nomi[m - 1] + " -> " + nomi[m]).c_str(), tratti[nomi[m]], "ms");
    }
    riga("start -> end", fini, "ms");
    riga("peak RSS", picchi, "MiB");
    return 0;
}

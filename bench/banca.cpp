// A teacher's file of 1000 sentences (each different, seven phrases, about
// the length of the built-in ones, an attribute detached from its noun): read from disk and checked, as at
// start-up; checked from memory; and the tables filled from it, as the
// exercise screen does when it loads.

#include "content/bancainsegnante.h"
#include "exercise/modulo1.h"

#include <benchmark/benchmark.h>

#include <QTemporaryFile>

namespace {

const char *const soggetti[] = {"Il cane", "La gatta", "Il nonno", "La maestra", "Il bambino",
                                "La zia", "Il pastore", "La volpe", "Il cuoco", "La bambina"};
const char *const specificazioni[] = {"di Marta", "di Luca", "del vicino", "della nonna", "di Paolo",
                                      "dei cugini", "di Giulia", "del fornaio", "di Anna", "del sindaco"};
const char *const azioni[][2] = {{"ha trovato", "un osso"},    {"ha portato", "una torta"},
                                 {"ha visto", "un uccello"},   {"ha preso", "un libro"},
                                 {"ha lasciato", "il cappello"}, {"ha comprato", "un regalo"},
                                 {"ha perso", "la chiave"},    {"ha dipinto", "un quadro"},
                                 {"ha nascosto", "una mela"},  {"ha cercato", "il pallone"}};

QByteArray milleFrasi()
{
    QByteArray testo = "# Mille frasi per la prova di velocità.\n";
    for (int n = 0; n < 1000; ++n) {
        const char *soggetto = soggetti[n % 10];
        const char *specificazione = specificazioni[n / 10 % 10];
        const auto &azione = azioni[n / 100];
        // The attribute comes before its noun, and is detached after it, so
        // that every sentence goes through the comparison of its words.
        const QString oggetto = QString::fromUtf8(azione[1]);
        const QString articolo = oggetto.section(QLatin1Char(' '), 0, 0);
        const QString nome = oggetto.section(QLatin1Char(' '), 1);
        testo += QStringLiteral("\n%1 %2 %3 %5 grande %6 nel giardino in primavera.\n"
                                "%1 = soggetto\n%2 = complemento di specificazione\n%3 = predicato verbale\n"
                                "%4 = complemento oggetto\ngrande = attributo\nnel giardino = stato in luogo\n"
                                "in primavera. = tempo determinato\n")
                     .arg(QString::fromUtf8(soggetto), QString::fromUtf8(specificazione),
                          QString::fromUtf8(azione[0]), oggetto, articolo, nome)
                     .toUtf8();
    }
    return testo;
}

void controlla(benchmark::State &stato, const bancainsegnante::Lettura &lettura)
{
    if (!lettura.valida() || lettura.frasi.size() != 1000)
        stato.SkipWithError("the 1000 sentences did not read as a good file");
}

void BM_LetturaDaFile(benchmark::State &stato)
{
    QTemporaryFile file;
    if (!file.open() || file.write(milleFrasi()) < 0 || !file.flush())
        return stato.SkipWithError("no temporary file");
    for (auto _ : stato) {
        const bancainsegnante::Lettura lettura = bancainsegnante::leggiFile(file.fileName());
        controlla(stato, lettura);
    }
    stato.counters["byte"] = double(file.size());
}
BENCHMARK(BM_LetturaDaFile)->Unit(benchmark::kMillisecond);

void BM_Verifica(benchmark::State &stato)
{
    const QByteArray testo = milleFrasi();
    for (auto _ : stato)
        controlla(stato, bancainsegnante::leggi(testo, QStringLiteral("mille.txt")));
}
BENCHMARK(BM_Verifica)->Unit(benchmark::kMillisecond);

void BM_Caricafrasi(benchmark::State &stato)
{
    Modulo1::frasiinsegnante = bancainsegnante::leggi(milleFrasi(), QStringLiteral("mille.txt")).frasi;
    for (auto _ : stato)
        Modulo1::caricafrasi();
    if (Modulo1::fraseinteraa.limiteSuperiore() != 999)
        stato.SkipWithError("the tables do not have 1000 rows");
}
BENCHMARK(BM_Caricafrasi)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

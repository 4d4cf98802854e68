// Synthesises the program's ten sound cues as 16-bit PCM mono wave files:
// cheerful rising chimes for the right answers, a soft low buzz for a wrong
// one, fanfares to greet and to close, a whoosh for a new sentence and a
// two-note call inviting the pupil to press VIA.
//
//   gensuoni <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int frequenza = 22050;
constexpr double pi = 3.14159265358979323846;

using Campioni = std::vector<double>;

double nota(int semitoniDaLa4)
{
    return 440.0 * std::pow(2.0, semitoniDaLa4 / 12.0);
}

Campioni silenzio(double secondi)
{
    return Campioni(static_cast<size_t>(secondi * frequenza), 0.0);
}

void aggiungi(Campioni &traccia, const Campioni &suono, double inizio)
{
    const size_t da = static_cast<size_t>(inizio * frequenza);
    if (traccia.size() < da + suono.size())
        traccia.resize(da + suono.size(), 0.0);
    for (size_t i = 0; i < suono.size(); ++i)
        traccia[da + i] += suono[i];
}

// A bell-like tone: a few inharmonic partials with an exponential decay.
Campioni campanella(double hz, double durata, double volume)
{
    Campioni s(static_cast<size_t>(durata * frequenza));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / frequenza;
        const double attacco = std::min(1.0, t / 0.004);
        const double decadimento = std::exp(-t * 5.0);
        const double onda = std::sin(2 * pi * hz * t) + 0.35 * std::sin(2 * pi * hz * 2.0 * t)
                            + 0.12 * std::sin(2 * pi * hz * 3.01 * t) * std::exp(-t * 12.0);
        s[i] = volume * attacco * decadimento * onda / 1.47;
    }
    return s;
}

// A brassy note: a few harmonics with a soft attack and release.
Campioni tromba(double hz, double durata, double volume)
{
    Campioni s(static_cast<size_t>(durata * frequenza));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / frequenza;
        const double inviluppo = std::min({1.0, t / 0.03, (durata - t) / 0.06});
        const double vibrato = 1.0 + 0.004 * std::sin(2 * pi * 5.5 * t);
        double onda = 0;
        for (int h = 1; h <= 6; ++h)
            onda += std::sin(2 * pi * hz * h * vibrato * t) / (h * 1.2);
        s[i] = volume * std::max(0.0, inviluppo) * onda / 2.0;
    }
    return s;
}

Campioni arpeggio(const std::vector<int> &note, double passo, double volume)
{
    Campioni traccia;
    for (size_t i = 0; i < note.size(); ++i)
        aggiungi(traccia, campanella(nota(note[i]), 0.55, volume), i * passo);
    return traccia;
}

Campioni fanfara(const std::vector<std::pair<int, double>> &note)
{
    Campioni traccia;
    double t = 0;
    for (const auto &[semitoni, durata] : note) {
        aggiungi(traccia, tromba(nota(semitoni), durata * 0.95, 0.55), t);
        t += durata;
    }
    return traccia;
}

Campioni ronzio()
{
    const double durata = 0.45;
    Campioni s(static_cast<size_t>(durata * frequenza));
    double fase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / frequenza;
        const double hz = 150.0 - 40.0 * t / durata;
        fase += 2 * pi * hz / frequenza;
        const double inviluppo = std::min({1.0, t / 0.02, (durata - t) / 0.08});
        // A rounded square wave: buzzy but gentle.
        const double onda = std::tanh(3.0 * std::sin(fase)) * 0.8 + 0.2 * std::sin(2 * fase);
        s[i] = 0.32 * std::max(0.0, inviluppo) * onda;
    }
    return s;
}

Campioni fruscio()
{
    const double durata = 0.6;
    Campioni s(static_cast<size_t>(durata * frequenza));
    std::mt19937 generatore(2024);
    std::uniform_real_distribution<double> rumore(-1.0, 1.0);
    // A resonant band-pass whose centre sweeps upwards: air rushing past.
    double basso = 0, banda = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / frequenza;
        const double centro = 300.0 + 2500.0 * (t / durata) * (t / durata);
        const double f = 2.0 * std::sin(pi * centro / frequenza);
        const double alto = rumore(generatore) - basso - 0.5 * banda;
        banda += f * alto;
        basso += f * banda;
        const double inviluppo = std::sin(pi * t / durata);
        s[i] = 0.5 * inviluppo * inviluppo * banda;
    }
    return s;
}

Campioni richiamo()
{
    Campioni traccia;
    aggiungi(traccia, campanella(nota(10), 0.5, 0.6), 0.0);  // G5
    aggiungi(traccia, campanella(nota(15), 0.7, 0.6), 0.28); // C6
    return traccia;
}

void scriviWav(const std::string &percorso, Campioni campioni)
{
    // A short fade at both ends: no click.
    const size_t bordo = std::min<size_t>(campioni.size() / 2, frequenza / 200);
    for (size_t i = 0; i < bordo; ++i) {
        campioni[i] *= double(i) / bordo;
        campioni[campioni.size() - 1 - i] *= double(i) / bordo;
    }
    std::vector<int16_t> pcm(campioni.size());
    for (size_t i = 0; i < campioni.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(campioni[i], -1.0, 1.0) * 30000.0));

    const uint32_t dati = static_cast<uint32_t>(pcm.size() * 2);
    std::ofstream out(percorso, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char *>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char *>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dati);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(frequenza);
    u32(frequenza * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dati);
    out.write(reinterpret_cast<const char *>(pcm.data()), dati);
    if (!out) {
        std::fprintf(stderr, "gensuoni: impossibile scrivere %s\n", percorso.c_str());
        std::exit(1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: gensuoni <cartella>\n");
        return 2;
    }
    const std::string cartella = std::string(argv[1]) + "/";
    // Semitones from A4: 3 = C5, 7 = E5, 10 = G5, 15 = C6.
    scriviWav(cartella + "esatto.wav", arpeggio({3, 7, 10, 15}, 0.08, 0.45));
    scriviWav(cartella + "esatto2.wav", arpeggio({5, 9, 12, 17}, 0.07, 0.45));
    scriviWav(cartella + "esatto3.wav", arpeggio({-2, 2, 5, 10, 14}, 0.06, 0.42));
    scriviWav(cartella + "esatto4.wav", arpeggio({7, 10, 15, 19}, 0.09, 0.42));
    scriviWav(cartella + "esatto5.wav", arpeggio({3, 10, 15, 22}, 0.10, 0.40));
    scriviWav(cartella + "sbagliato1.wav", ronzio());
    scriviWav(cartella + "conga.wav",
              fanfara({{-2, 0.14}, {-2, 0.14}, {3, 0.14}, {7, 0.28}, {3, 0.14}, {7, 0.6}}));
    scriviWav(cartella + "congafine.wav",
              fanfara({{10, 0.16}, {7, 0.16}, {3, 0.16}, {5, 0.3}, {3, 0.7}}));
    scriviWav(cartella + "rumorevia.wav", fruscio());
    scriviWav(cartella + "premivia.wav", richiamo());
    return 0;
}

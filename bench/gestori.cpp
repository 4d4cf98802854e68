// Micro-benchmarks of the exercise screen: loading it, presenting a sentence,
// judging an answer and the paint its hold does, the clock's tick, and
// fitting the 41 registered controls to a new size. They run on Qt's
// offscreen platform with the fake clock (the one-second hold costs no real
// time) and the recording player (no sound).
//
// Every figure is the time of the named call alone, read on the steady clock
// around it; what each iteration needs first (a sentence on screen, counters
// back to zero, a form to unload) happens outside that time. Where a
// benchmark takes "disegno:1", the time also takes in the paint pass the call
// leaves pending, that is what the event loop does next before the pupil
// sees the result; "disegno:2" (the answers) leaves out the paint each
// one-second hold does before its wait, which is part of the hold: what
// remains is the handler apart from the hold.

#include "ambiente.h"

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/pulsante.h"
#include "services/ridimschermo.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using Cronometro = std::chrono::steady_clock;

namespace {

double secondiTra(Cronometro::time_point da, Cronometro::time_point a)
{
    return std::chrono::duration<double>(a - da).count();
}

// Runs the events already waiting: the layout and paint passes a handler left.
void svolgiEventi()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

// Counts the paint events a window receives.
class ContaDisegni : public QObject
{
public:
    explicit ContaDisegni(QWidget *finestra)
    {
        finestra->installEventFilter(this);
    }
    int disegni = 0;

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++disegni;
        return false;
    }
};

// The paint a hold does before it waits, timed from inside the call: from
// the first paint event the window or a control in it receives to the wait
// that follows (the fake clock's attendi). A repaint paints the window
// before its controls, so the first paint event is where it starts.
class DisegnoDellAttesa : public QObject
{
public:
    DisegnoDellAttesa(QWidget *finestra, OrologioFinto &orologio)
    {
        finestra->installEventFilter(this);
        for (QWidget *controllo : finestra->findChildren<QWidget *>())
            controllo->installEventFilter(this);
        orologio.durante = [this] { chiudi(); };
    }
    // Seconds of paint before the waits since the last call, and the count.
    double azzera()
    {
        const double s = m_secondi;
        m_secondi = 0;
        m_dentro = false;
        attese = 0;
        return s;
    }
    int attese = 0;

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && !m_dentro) {
            m_inizio = Cronometro::now();
            m_dentro = true;
        }
        return false;
    }

private:
    void chiudi()
    {
        if (m_dentro)
            m_secondi += secondiTra(m_inizio, Cronometro::now());
        m_dentro = false;
        ++attese;
    }
    Cronometro::time_point m_inizio;
    bool m_dentro = false;
    double m_secondi = 0;
};

// The exercise screen as the pupil has it: loaded, shown, active, painted.
struct Esercizio
{
    Ambiente ambiente;
    FormB &f;
    std::unique_ptr<ContaDisegni> conta;

    Esercizio()
        : f(istanza<FormB>())
    {
        f.Show();
        QApplication::setActiveWindow(&f);
        conta = std::make_unique<ContaDisegni>(&f);
        svolgiEventi();
    }

    // Presents bank row riga (0..99) at once, as a press of VIA drawing it.
    void presenta(int riga)
    {
        Modulo1::usata.svuota();
        ambiente.orologio.numeri = {(float(riga) + 0.5f) / 100.0f};
        f.VIA_Click();
        svolgiEventi();
    }

    // Counters back to the start of a series, so no grade screen comes up,
    // and the recorders emptied.
    void azzeraSerie()
    {
        Modulo1::risposte = 0;
        Modulo1::errori = 0;
        Modulo1::erroricategoria.svuota();
        ambiente.orologio.attese.clear();
        ambiente.lettore.richieste.clear();
    }
};

// Times one call, and with disegno the paint pass it leaves pending too.
template<class Chiamata>
double cronometra(bool disegno, Chiamata chiamata)
{
    const auto t0 = Cronometro::now();
    chiamata();
    if (disegno)
        svolgiEventi();
    const auto t1 = Cronometro::now();
    if (!disegno)
        svolgiEventi();
    return secondiTra(t0, t1);
}

// FormB's load event, reachable here so that the load can be timed without
// showing the window.
class FormBCaricabile : public FormB
{
public:
    using FormB::Form_Load;
};

// ---- Loading the exercise screen ---------------------------------------------------

// new FormB + Form_Load: 41 controls built and registered, fitted to the
// screen, the 101-row bank loaded. Starts each time from the state of a fresh
// program: empty bank tables, empty registry.
void BM_CaricamentoFormB(benchmark::State &stato)
{
    Ambiente ambiente;
    for (auto _ : stato) {
        Modulo1::azzera();
        ridimschermo::azzera();
        const auto t0 = Cronometro::now();
        auto *f = new FormBCaricabile;
        f->Form_Load();
        const auto t1 = Cronometro::now();
        stato.SetIterationTime(secondiTra(t0, t1));
        if (ridimschermo::numerocontrolli != 41 || Modulo1::fraseinteraa(100).isEmpty()) {
            stato.SkipWithError("the load did not register the controls or load the bank");
            delete f;
            break;
        }
        delete f;
        ambiente.lettore.richieste.clear();
    }
}

// istanza<FormB>().Show(): the same, plus the window created and shown
// maximized; with disegno:1 up to the end of its first paint.
void BM_MostraFormB(benchmark::State &stato)
{
    const bool disegno = stato.range(0) != 0;
    Ambiente ambiente;
    for (auto _ : stato) {
        Modulo1::azzera();
        ridimschermo::azzera();
        const auto t0 = Cronometro::now();
        FormB &f = istanza<FormB>();
        ContaDisegni conta(&f);
        f.Show();
        if (disegno) {
            const auto limite = Cronometro::now() + std::chrono::seconds(2);
            while (conta.disegni == 0 && Cronometro::now() < limite)
                svolgiEventi();
        }
        const auto t1 = Cronometro::now();
        stato.SetIterationTime(secondiTra(t0, t1));
        svolgiEventi();
        const bool dipinto = conta.disegni > 0;
        f.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ambiente.lettore.richieste.clear();
        if (!dipinto) {
            stato.SkipWithError("the exercise screen was never painted");
            break;
        }
    }
}

// ---- The handlers -----------------------------------------------------------------

// VIA_Click: a sentence drawn and presented, from the screen as the pupil
// has it when VIA shows: the sentence before completed with right answers
// (outside the time), the category buttons disabled. The rows drawn go round
// the whole bank; the rows shown are forgotten before each press.
void BM_VIA_Click(benchmark::State &stato)
{
    const bool disegno = stato.range(0) != 0;
    Esercizio e;
    int riga = 0;
    for (auto _ : stato) {
        e.azzeraSerie();
        while (!e.f.VIA->isVisible()) {
            e.f.com_Click(Modulo1::codiceatteso);
            svolgiEventi();
        }
        Modulo1::usata.svuota();
        e.ambiente.orologio.numeri = {(float(riga) + 0.5f) / 100.0f};
        e.ambiente.lettore.richieste.clear();
        stato.SetIterationTime(cronometra(disegno, [&] { e.f.VIA_Click(); }));
        if (Modulo1::numerofrase != riga || !e.f.Com(1)->isEnabled() || e.f.VIA->isVisible()) {
            stato.SkipWithError("VIA did not present the row asked for");
            break;
        }
        riga = (riga + 1) % 100;
    }
}

// com_Click(codiceatteso): a right answer, with its hold on the fake clock.
// ultimo:0 a phrase with more to follow; ultimo:1 the phrase that completes
// the sentence (two holds, VIA back). The sentences go round the whole bank.
void BM_RispostaGiusta(benchmark::State &stato)
{
    const bool ultimo = stato.range(0) != 0;
    const bool disegno = stato.range(1) == 1;
    const bool senzaAttesa = stato.range(1) == 2;
    Esercizio e;
    DisegnoDellAttesa attesa(&e.f, e.ambiente.orologio);
    int riga = 0;
    for (auto _ : stato) {
        // A sentence on screen whose next phrase is of the kind asked for.
        const auto daFare = [] { return Modulo1::codici(Modulo1::numerofrase, 0) - Modulo1::numerosintagma; };
        if (e.f.VIA->isVisible() || (!ultimo && daFare() < 1)) {
            e.presenta(riga);
            riga = (riga + 1) % 100;
        }
        e.azzeraSerie();
        while (ultimo && daFare() > 0) {
            e.f.com_Click(Modulo1::codiceatteso);
            svolgiEventi();
        }
        e.azzeraSerie();
        const int sintagma = Modulo1::numerosintagma;
        const int disegniPrima = e.conta->disegni;
        attesa.azzera();
        const double tempo = cronometra(disegno, [&] { e.f.com_Click(Modulo1::codiceatteso); });
        const int attese = int(e.ambiente.orologio.attese.size());
        const int attesePrese = attesa.attese;
        const double disegnoAttesa = attesa.azzera();
        stato.SetIterationTime(senzaAttesa ? tempo - disegnoAttesa : tempo);
        if (Modulo1::numerosintagma != sintagma + 1 || Modulo1::errori != 0
            || attese != (ultimo ? 2 : 1) || attesePrese != attese || e.f.VIA->isVisible() != ultimo
            || e.conta->disegni == disegniPrima || disegnoAttesa <= 0) {
            stato.SkipWithError("the answer was not judged right, held and painted");
            break;
        }
    }
}

// com_Click with a wrong code: the window disabled and pink for the hold,
// the error counted. The same sentence stays on screen throughout.
void BM_RispostaSbagliata(benchmark::State &stato)
{
    const bool disegno = stato.range(0) == 1;
    const bool senzaAttesa = stato.range(0) == 2;
    Esercizio e;
    DisegnoDellAttesa attesa(&e.f, e.ambiente.orologio);
    e.presenta(5);
    for (auto _ : stato) {
        e.azzeraSerie();
        const int sbagliato = Modulo1::codiceatteso % 16 + 1;
        attesa.azzera();
        const double tempo = cronometra(disegno, [&] { e.f.com_Click(sbagliato); });
        const double disegnoAttesa = attesa.azzera();
        stato.SetIterationTime(senzaAttesa ? tempo - disegnoAttesa : tempo);
        if (Modulo1::errori != 1 || e.ambiente.orologio.attese.size() != 1 || !e.f.isEnabled()
            || disegnoAttesa <= 0) {
            stato.SkipWithError("the answer was not judged wrong and held");
            break;
        }
    }
}

// Timer1_Timer: the clock's tick once the clock runs, one second later each time.
void BM_Timer1_Timer(benchmark::State &stato)
{
    const bool disegno = stato.range(0) != 0;
    Esercizio e;
    e.presenta(5);
    for (auto _ : stato) {
        e.ambiente.orologio.avanza(1.0);
        const QString prima = e.f.Lbclock->caption();
        stato.SetIterationTime(cronometra(disegno, [&] { e.f.Timer1_Timer(); }));
        if (e.f.Lbclock->caption() == prima) {
            stato.SkipWithError("the clock did not move");
            break;
        }
        // Keeps the count of seconds short, as in a series.
        if (e.ambiente.orologio.mono - Modulo1::inizio > 600)
            Modulo1::inizio = e.ambiente.orologio.mono;
    }
}

// The paint the hold does before its one-second wait, alone: the part of
// com_Click that is not the handler's own work. sbagliata:0 is what a right
// answer paints: the bounding rectangle of the sixteen category buttons, just
// disabled, and gratifica's place, just captioned "BRAVO!!!"; with
// statistiche:1 the three statistics captions have changed too, as before the
// second hold of an answer that completes its sentence, and that repaint
// paints them as well. sbagliata:1 is what a wrong answer paints: the whole
// window, just disabled and turned pink, with "No riprova".
// Each iteration first puts the screen back as it was before the answer and
// paints it, then changes it as com_Click does before its hold, both outside
// the time, so that the timed repaint finds the same pending updates as the
// hold's own and paints what that paints: after a wrong answer that includes
// the opaque labels and the bottom bar, which a repaint of the window with
// nothing pending would leave as they are.
void BM_DisegnoAttesa(benchmark::State &stato)
{
    const bool sbagliata = stato.range(0) != 0;
    const bool statistiche = stato.range(1) != 0;
    Esercizio e;
    e.presenta(5);
    const QColor verde = e.f.backColor(), rosso = e.f.gratifica->foreColor();
    const auto categorie = [&](bool abilitate) {
        for (int i = 1; i <= 16; ++i)
            e.f.Com(i)->setEnabled(abilitate);
    };
    // Painted at each answer: a button and the word; only after a wrong one:
    // the notice at the top, and the bottom bar with its opaque back (the
    // grid's rectangle reaches two pixels into it, so a right answer may
    // paint a strip of it too); with the statistics, the count of answers.
    ContaDisegni tasto(e.f.Com(16)), parola(e.f.gratifica), avviso(e.f.AVVISO), barra(e.f.Frame5),
        conteggio(e.f.Lrisposte);
    for (auto _ : stato) {
        // Before the answer: a phrase to classify, the buttons enabled, the
        // series well short of its end.
        e.f.setEnabled(true);
        e.f.setBackColor(verde);
        e.f.gratifica->setForeColor(rosso);
        e.f.gratifica->setCaption(QString());
        categorie(true);
        e.azzeraSerie();
        Modulo1::risposte = 5;
        Modulo1::errori = 1;
        e.f.aggiornastatistiche();
        svolgiEventi();
        // What com_Click and flash change before the hold paints.
        if (sbagliata) {
            e.f.setEnabled(false);
            e.f.setBackColor(QColor::fromRgb(0xFFC0C0));
            e.f.gratifica->setForeColor(QApplication::palette().color(QPalette::ButtonText));
            e.f.gratifica->setCaption(QStringLiteral("No riprova"));
        } else {
            if (statistiche)
                e.f.aggiornastatistiche();
            e.f.gratifica->setCaption(QStringLiteral("BRAVO!!!"));
        }
        categorie(false);
        const int prima[] = {tasto.disegni, parola.disegni, avviso.disegni, barra.disegni, conteggio.disegni};
        stato.SetIterationTime(cronometra(false, [&] {
            if (sbagliata) {
                e.f.repaint();
                return;
            }
            QRect griglia;
            for (int i = 1; i <= 16; ++i)
                griglia |= e.f.Com(i)->geometry();
            e.f.repaint(QRegion(griglia) | e.f.gratifica->geometry());
        }));
        const bool tutta = avviso.disegni != prima[2] && barra.disegni != prima[3];
        if (tasto.disegni == prima[0] || parola.disegni == prima[1] || tutta != sbagliata
            || (statistiche && conteggio.disegni == prima[4])) {
            stato.SkipWithError("the hold's paint did not cover what it should");
            break;
        }
    }
}

// What sizing an autosizing label costs, per caption: metriche:0 is
// Etichetta::setCaption on the first phrase label (the caption set, then the
// label measured and resized), metriche:1 only the caption's advance from
// QFontMetricsF in the same font, the floor of what the measure can cost.
// The captions are the bank's phrases, in turn.
void BM_MisuraDidascalia(benchmark::State &stato)
{
    const bool soloMetriche = stato.range(0) != 0;
    Esercizio e;
    e.presenta(5);
    QStringList didascalie;
    for (int n = 0; n < 101; ++n)
        for (int j = 1; j <= 8; ++j)
            if (!Modulo1::frasi(n, j).trimmed().isEmpty())
                didascalie.append(Modulo1::frasi(n, j));
    Etichetta *etichetta = e.f.Lbmostra(1);
    const QFontMetricsF metriche(etichetta->font());
    qreal larghezze = 0;
    int i = 0;
    for (auto _ : stato) {
        const QString &testo = didascalie.at(i);
        i = (i + 1) % didascalie.size();
        if (soloMetriche)
            stato.SetIterationTime(cronometra(false, [&] { larghezze += metriche.horizontalAdvance(testo); }));
        else
            stato.SetIterationTime(cronometra(false, [&] { etichetta->setCaption(testo); }));
    }
    benchmark::DoNotOptimize(larghezze);
}

// Etichetta::setForeColor on a phrase label: cambia:1 alternating two
// colours, as the phrases turn red and back; cambia:0 the colour it already has.
void BM_ColoreEtichetta(benchmark::State &stato)
{
    const bool cambia = stato.range(0) != 0;
    Esercizio e;
    e.presenta(5);
    Etichetta *etichetta = e.f.Lbmostra(2);
    const QColor colori[] = {QColor(0, 0x40, 0), QColor(0xFF, 0, 0)};
    int k = 0;
    for (auto _ : stato) {
        if (cambia)
            k = 1 - k;
        stato.SetIterationTime(cronometra(false, [&] { etichetta->setForeColor(colori[k]); }));
        if (etichetta->foreColor() != colori[k]) {
            stato.SkipWithError("the colour was not set");
            break;
        }
    }
}

// ---- Fitting the screen -------------------------------------------------------------

// ridimschermo::ridimensiona() over FormB's 41 controls, the window going in
// turn to the whole screen and to two thirds of it. The window is resized
// outside the time with the registry pointing nowhere, so that only the timed
// call places the controls. With intero:1 the time is that of the window's
// own resize instead: Qt's handling, Form_Resize calling ridimensiona, and the
// paint pass that follows.
void BM_ridimensiona(benchmark::State &stato)
{
    const bool intero = stato.range(0) != 0;
    Esercizio e;
    e.presenta(5);
    const QSize grande = e.f.screen()->geometry().size();
    const QSize dimensioni[] = {grande, grande * 2 / 3};
    // The first phrase's place: it must differ from one size to the other.
    const auto inizioTesto = [&] { return e.f.Lbmostra(1)->geometry(); };
    QRect precedente;
    int k = 0;
    // Starts from the smaller size, the controls placed for it by Form_Resize,
    // so that the first timed call already moves them.
    e.f.resize(dimensioni[1]);
    svolgiEventi();
    for (auto _ : stato) {
        const QSize dimensione = dimensioni[k];
        k = 1 - k;
        double tempo = 0;
        if (intero) {
            tempo = cronometra(true, [&] { e.f.resize(dimensione); });
        } else {
            ridimschermo::formcorrente = nullptr;
            e.f.resize(dimensione);
            svolgiEventi();
            ridimschermo::formcorrente = &e.f;
            tempo = cronometra(false, [] { ridimschermo::ridimensiona(); });
        }
        stato.SetIterationTime(tempo);
        if (e.f.size() != dimensione || ridimschermo::numerocontrolli != 41 || inizioTesto() == precedente) {
            stato.SkipWithError("the window or its controls did not change size");
            break;
        }
        precedente = inizioTesto();
    }
}

} // namespace

BENCHMARK(BM_CaricamentoFormB)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MostraFormB)->UseManualTime()->Unit(benchmark::kMicrosecond)->ArgName("disegno")->Arg(0)->Arg(1);
// Each press of VIA first needs a sentence answered in full: a fixed count
// (twice round the bank) keeps the run short.
BENCHMARK(BM_VIA_Click)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200)
    ->ArgName("disegno")
    ->Arg(0)
    ->Arg(1);
BENCHMARK(BM_RispostaGiusta)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"ultimo", "disegno"})
    ->ArgsProduct({{0, 1}, {0, 1, 2}});
BENCHMARK(BM_RispostaSbagliata)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ArgName("disegno")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2);
BENCHMARK(BM_Timer1_Timer)->UseManualTime()->Unit(benchmark::kMicrosecond)->ArgName("disegno")->Arg(0)->Arg(1);
BENCHMARK(BM_DisegnoAttesa)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"sbagliata", "statistiche"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0});
BENCHMARK(BM_MisuraDidascalia)->UseManualTime()->Unit(benchmark::kMicrosecond)->ArgName("metriche")->Arg(0)->Arg(1);
// A colour set again costs next to nothing: left to itself, the library would
// run it for millions of iterations to gather 0.2 s of it, minutes in all.
BENCHMARK(BM_ColoreEtichetta)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(100000)
    ->ArgName("cambia")
    ->Arg(0)
    ->Arg(1);
BENCHMARK(BM_ridimensiona)->UseManualTime()->Unit(benchmark::kMicrosecond)->ArgName("intero")->Arg(0)->Arg(1);

int main(int argc, char **argv)
{
    // Offscreen and silent unless told otherwise, as the tests run.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parsilia"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

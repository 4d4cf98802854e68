// Pictures of the four screens for the README, taken with the program's own
// code on Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen:configfile=<screen.json> fotografie <folder>
//
// (tools/fotografie.sh does exactly that, at 1280 x 800). Every picture is a
// moment of one real session, played with mouse clicks on the real windows:
// whatever a screen shows (answers, errors, clock, grades, best time) is what
// the program itself made of the clicks before it. The clock moves only when
// the pupil thinks or the program holds, and the draws follow a fixed
// sequence, so the pictures are the same at every run.

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/lettore.h"
#include "services/orologio.h"
#include "services/pulsante.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

class OrologioFisso : public Orologio
{
public:
    double Timer() override { return 36000 + adesso; }
    double monotono() override { return adesso; }
    void attendi(double secondi) override { adesso += secondi; }
    void Randomize() override {}
    // The first draw is fixed by hand, then a small linear congruential
    // generator.
    float Rnd() override
    {
        if (primo >= 0) {
            const float r = primo;
            primo = -1;
            return r;
        }
        seme = seme * 1103515245u + 12345u;
        return float((seme >> 8) & 0xFFFF) / 65536.0f;
    }
    double adesso = 1000;
    float primo = -1;
    quint32 seme = 2024;
};

class LettoreMuto : public Lettore
{
public:
    void riproduci(const QString &) override {}
};

QString cartella;
bool ok = true;
OrologioFisso orologio;

// The screen as the pupil sees it: the main window, and the side window
// (if any) where it stands over it.
void salva(const QString &nome, QWidget *principale, QWidget *sopra = nullptr)
{
    QCoreApplication::processEvents();
    QPixmap schermo = principale->grab();
    if (sopra) {
        QPainter p(&schermo);
        p.drawPixmap(sopra->geometry().topLeft() - principale->geometry().topLeft(), sopra->grab());
    }
    const QString file = QDir(cartella).filePath(nome);
    if (!schermo.save(file)) {
        std::fprintf(stderr, "fotografie: cannot write %s\n", qPrintable(file));
        ok = false;
    } else {
        std::printf("%s\n", qPrintable(file));
    }
}

void clicca(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// A few seconds to read the phrase, a few tenths more now and then.
void pensa()
{
    static int volta = 0;
    orologio.adesso += 1.6 + 0.3 * (volta++ % 4);
}

// One answer to the red phrase, right or wrong, after pressing VIA if the
// sentence on screen is complete. At the twentieth answer of a series the
// grade screen opens: `allaClassifica` sees it, then PROSEGUI closes it.
void rispondi(FormB &f, bool giusto, std::function<void()> allaClassifica = {})
{
    if (f.VIA->isVisible()) {
        pensa();
        clicca(f.VIA);
    }
    if (int(Modulo1::risposte) + 1 >= int(Modulo1::domandeperserie)) {
        QTimer::singleShot(0, [allaClassifica] {
            if (allaClassifica)
                allaClassifica();
            clicca(istanza<classificaform>().Command1);
        });
    }
    pensa();
    const int codice = giusto ? int(Modulo1::codiceatteso) : int(Modulo1::codiceatteso) % 16 + 1;
    clicca(f.Com(codice));
}

// The rest of a series with the given number of mistakes in it.
void finisciSerie(FormB &f, int sbagliate, std::function<void()> allaClassifica = {})
{
    do {
        const int restanti = int(Modulo1::domandeperserie) - int(Modulo1::risposte);
        // The mistakes spread over the series: at 15, 9 and 3 answers from its end.
        const bool giusto = sbagliate == 0 || (restanti % 6 != 3 && restanti > sbagliate);
        if (!giusto)
            --sbagliate;
        rispondi(f, giusto, restanti == 1 ? allaClassifica : std::function<void()>());
    } while (int(Modulo1::risposte) != 0);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: fotografie <folder>\n");
        return 2;
    }
    cartella = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(cartella);
    toolkit::preparaIdentita();
    toolkit::preparaCaratteri();
    LettoreMuto lettore;
    Orologio::imposta(&orologio);
    Lettore::imposta(&lettore);
    toolkit::impostaUscita([] {});

    istanza<Iniziale>().Show();
    salva(QStringLiteral("titolo.png"), &istanza<Iniziale>());

    istanza<Iniziale>().Timer1_Timer();
    FormB &f = istanza<FormB>();
    QApplication::setActiveWindow(&f);
    // A sentence on two lines, part-way through, with one mistake made.
    orologio.primo = 0.135f;
    rispondi(f, true);
    rispondi(f, true);
    rispondi(f, false);
    rispondi(f, true);
    f.Timer1_Timer();
    salva(QStringLiteral("esercizio.png"), &f);

    // Two mistakes more, and a look at the review.
    rispondi(f, false);
    rispondi(f, false);
    pensa();
    f.Timer1_Timer();
    clicca(f.Command8);
    salva(QStringLiteral("errori.png"), &f, &istanza<FRM_ERRORI>());
    clicca(istanza<FRM_ERRORI>().Command1);

    // This series ends SUFFICIENTE (three mistakes); five more follow, and
    // the picture is taken at the end of the seventh, DISTINTO, with the
    // grades so far as dots and the best time of the OTTIMO ones.
    finisciSerie(f, 0);
    for (int sbagliate : {2, 0, 2, 0, 2})
        finisciSerie(f, sbagliate);
    finisciSerie(f, 1, [&f] {
        f.Timer1_Timer();
        salva(QStringLiteral("classifica.png"), &f, &istanza<classificaform>());
    });

    Orologio::imposta(nullptr);
    Lettore::imposta(nullptr);
    return ok ? 0 : 1;
}

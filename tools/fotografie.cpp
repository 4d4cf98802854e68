// Pictures of the four screens for the README, taken with the program's own
// code on Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen:configfile=<screen.json> fotografie <folder>
//
// (tools/fotografie.sh does exactly that, at 1280 x 800). The clock and the
// random draw are fixed, so the pictures are the same at every run.

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
#include <QTimer>

#include <cstdio>

namespace {

// Time moves only when the program waits; the draws are queued by hand.
class OrologioFisso : public Orologio
{
public:
    double Timer() override { return 36000 + adesso; }
    double monotono() override { return adesso; }
    void attendi(double secondi) override { adesso += secondi; }
    void Randomize() override {}
    float Rnd() override { return prossimo; }
    double adesso = 1000;
    float prossimo = 0;
};

class LettoreMuto : public Lettore
{
public:
    void riproduci(const QString &) override {}
};

QString cartella;
bool ok = true;

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

void rispondi(FormB &f, int volte, bool giusto = true)
{
    for (int i = 0; i < volte; ++i)
        f.com_Click(giusto ? int(Modulo1::codiceatteso) : int(Modulo1::codiceatteso) % 16 + 1);
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
    toolkit::preparaCaratteri();
    OrologioFisso orologio;
    LettoreMuto lettore;
    Orologio::imposta(&orologio);
    Lettore::imposta(&lettore);
    toolkit::impostaUscita([] {});

    istanza<Iniziale>().Show();
    salva(QStringLiteral("titolo.png"), &istanza<Iniziale>());

    istanza<Iniziale>().Timer1_Timer();
    FormB &f = istanza<FormB>();
    // A sentence on two lines, part-way through, with one mistake made.
    orologio.prossimo = 0.135f;
    f.VIA_Click();
    rispondi(f, 2);
    rispondi(f, 1, false);
    rispondi(f, 1);
    orologio.adesso += 23;
    f.Timer1_Timer();
    salva(QStringLiteral("esercizio.png"), &f);

    // The review after a few more mistakes.
    rispondi(f, 1, false);
    rispondi(f, 1, false);
    f.Command8_Click();
    salva(QStringLiteral("errori.png"), &f, &istanza<FRM_ERRORI>());
    istanza<FRM_ERRORI>().Command1_Click();

    // The end of a series: earlier grades as dots, this one "distinto".
    Modulo1::contaottimo = 2;
    Modulo1::contabuono = 3;
    Modulo1::contasufficiente = 1;
    Modulo1::tempomigliore = 74;
    QTimer::singleShot(0, [&f] {
        salva(QStringLiteral("classifica.png"), &f, &istanza<classificaform>());
        istanza<classificaform>().Command1_Click();
    });
    f.classifica(1);

    Orologio::imposta(nullptr);
    Lettore::imposta(nullptr);
    return ok ? 0 : 1;
}

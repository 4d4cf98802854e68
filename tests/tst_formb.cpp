#include "ambiente.h"

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/pulsante.h"
#include "services/temporizzatore.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace Modulo1;

namespace {

const QColor verde(0x91, 0xC6, 0x91);
const QColor rosa(0xFF, 0xC0, 0xC0);
const QColor rosso(0xFF, 0, 0);
const QColor verdeScuro(0, 0x40, 0);

QColor testoPulsanti()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

// A wrong code for the phrase now expected.
int sbagliato()
{
    return codiceatteso % 16 + 1;
}

// Where the screen, at each hold, is not what the pupil must see: the window
// as it stands, the feedback word in its colour and, when one is given, a
// back colour over most of the screen.
struct Attese
{
    explicit Attese(const QColor &parola, const QColor &fondo = QColor())
        : parola(parola)
        , fondo(fondo)
    {
    }
    const QColor parola, fondo;
    QStringList guasti;

    void guarda(FormB *f)
    {
        if (const QString vecchio = schermoIndietro(f); !vecchio.isEmpty())
            guasti.append(vecchio);
        if (pixelSulloSchermo(f, f->gratifica->geometry(), parola) == 0)
            guasti.append(QStringLiteral("no \"%1\" in %2 on the screen").arg(f->gratifica->caption(), parola.name()));
        if (fondo.isValid() && pixelSulloSchermo(f, f->rect(), fondo) < f->width() * f->height() / 4)
            guasti.append(QStringLiteral("the screen is not %1").arg(fondo.name()));
    }
};

} // namespace

class TestFormB : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;
    FormB *f = nullptr;

    // Draws bank row n at the next press of VIA.
    void presenta(int riga)
    {
        ambiente->orologio.numeri = {(riga + 0.5f) / 100.0f};
        QTest::mouseClick(f->VIA, Qt::LeftButton);
        QVERIFY2(!f->VIA->isVisible(), qPrintable(QStringLiteral("VIA did not show row %1").arg(riga)));
    }
    // A category button; none but a failure when no sentence is up to answer.
    void rispondi(int codice)
    {
        if (codice < 1 || codice > 16)
            QFAIL(qPrintable(QStringLiteral("no category %1 to press: VIA gave no sentence").arg(codice)));
        QTest::mouseClick(f->Com(codice), Qt::LeftButton);
    }
    void rispondiGiusto() { rispondi(codiceatteso); }
    // Right answers to every phrase still to classify in the sentence on
    // screen; a failure when the red mark stops moving on.
    void completa()
    {
        while (numerosintagma <= codici(numerofrase, 0)) {
            const int prima = numerosintagma;
            rispondiGiusto();
            QVERIFY2(numerosintagma > prima,
                     qPrintable(QStringLiteral("a right answer left the mark on phrase %1 of row %2")
                                    .arg(prima).arg(int(numerofrase))));
        }
    }
    // Runs what the event loop does before the pupil's next action: the
    // paint of what the last one changed.
    void dipingi() { QCoreApplication::processEvents(); }
    bool categorieAbilitate(bool abilitate)
    {
        for (int i = 1; i <= 16; ++i)
            if (f->Com(i)->isEnabled() != abilitate)
                return false;
        return true;
    }

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }
    void init()
    {
        ambiente = std::make_unique<Ambiente>();
        f = &istanza<FormB>();
        f->Show();
        QApplication::setActiveWindow(f);
    }
    void cleanup()
    {
        ambiente.reset();
        f = nullptr;
    }

    void statoAlCaricamento()
    {
        QCOMPARE(ambiente->lettore.nomi(), QStringList{"premivia"});
        QCOMPARE(f->AVVISO->caption(), QStringLiteral("Clicca sul tasto VIA per partire"));
        QCOMPARE(f->backColor(), verde);
        QVERIFY(!f->FRASE_INTERA_A->isVisible());
        QVERIFY(f->FRASE_INTERA_B->isVisible());
        QVERIFY(f->FRASE_INTERA_B->caption().isEmpty());
        for (int j = 1; j <= 8; ++j)
            QVERIFY(f->Lbmostra(j)->caption().isEmpty());
        QVERIFY(f->gratifica->caption().isEmpty());
        QVERIFY(f->VIA->isVisible());
        QCOMPARE(QApplication::focusWidget(), f->VIA);
        for (int i = 1; i <= 16; ++i)
            QVERIFY(f->Com(i)->isVisible() && !f->Com(i)->isEnabled());
        QCOMPARE(f->Lbclock->caption(), QStringLiteral("0"));
        QCOMPARE(f->Label1->caption(), QStringLiteral("n° domanda"));
        for (Etichetta *e : {f->Lrisposte, f->Lerrori, f->Lpercentuale})
            QCOMPARE(e->caption(), QStringLiteral("_"));
        QVERIFY(f->Command8->isEnabled() && f->FINE->isEnabled());
        QCOMPARE(f->Com(10)->caption(), QStringLiteral("complemento di MOTO  A  luogo"));
        QCOMPARE(f->Com(4)->backColor(), QColor(0xAE, 0x8C, 0x62));

        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QVERIFY(!orologioattivo);
        QCOMPARE(tempomigliore, short(200));
        QCOMPARE(int(totalefrasi), 100);
        QCOMPARE(int(domandeperserie), 20);
        QVERIFY(!fraseinteraa(100).isEmpty());

        // Every control follows the window: at half its size, each is at
        // half its place (within the rounding of a pixel) in half its font.
        QHash<QWidget *, QPair<QPoint, double>> prima;
        for (QWidget *w : f->findChildren<QWidget *>())
            if (qobject_cast<Etichetta *>(w) || qobject_cast<Pulsante *>(w) || qobject_cast<Cornice *>(w))
                prima.insert(w, {w->pos(), toolkit::FontSize(w)});
        QCOMPARE(prima.size(), 41);
        const QSize intera = f->size();
        f->showNormal();
        f->resize(intera / 2);
        QCoreApplication::processEvents();
        QCOMPARE(f->size(), intera / 2);
        for (auto it = prima.cbegin(); it != prima.cend(); ++it) {
            const QString nome = it.key()->property("text").toString() + QLatin1Char(' ')
                                 + QString::fromUtf8(it.key()->metaObject()->className());
            QVERIFY2(qAbs(it.key()->x() - it.value().first.x() / 2.0) <= 1.5
                         && qAbs(it.key()->y() - it.value().first.y() / 2.0) <= 1.5, qPrintable(nome));
            QVERIFY2(qAbs(toolkit::FontSize(it.key()) - std::max(it.value().second / 2, toolkit::minimoPunti)) < 0.5,
                     qPrintable(nome));
        }
    }

    void primaPressioneDiVia()
    {
        ambiente->orologio.mono = 5000;
        presenta(5);
        QCOMPARE(ambiente->lettore.nomi().last(), QStringLiteral("rumorevia"));
        QVERIFY(orologioattivo);
        QCOMPARE(inizio, 5000.0);
        QCOMPARE(inizioserie, 5000.0);
        QCOMPARE(int(numerofrase), 5);
        QCOMPARE(int(usata(5)), 1);
        QCOMPARE(f->Label1->caption(), QStringLiteral("frase n°5"));
        QCOMPARE(f->AVVISO->caption(), QStringLiteral("Classifica la parte in rosso  "));
        QCOMPARE(f->FRASE_INTERA_A->caption(), fraseinteraa(5));
        QCOMPARE(f->FRASE_INTERA_B->caption(), QStringLiteral("in una caverna.   "));
        QVERIFY(f->FRASE_INTERA_A->isVisible() && f->FRASE_INTERA_B->isVisible());
        for (int j = 1; j <= 8; ++j) {
            QVERIFY(f->Lbmostra(j)->isVisible());
            QCOMPARE(f->Lbmostra(j)->caption(), frasi(5, j));
            QCOMPARE(f->Lbmostra(j)->foreColor(), j == 1 ? rosso : verdeScuro);
        }
        QCOMPARE(f->Lbmostra(8)->caption(), QStringLiteral(" "));
        QCOMPARE(int(numerosintagma), 1);
        QCOMPARE(int(codiceatteso), 1);
        QVERIFY(categorieAbilitate(true));
        QVERIFY(!f->VIA->isVisible());
        // The clock starts once: a later press leaves it alone.
        completa();
        ambiente->orologio.avanza(30);
        presenta(0);
        QCOMPARE(inizio, 5000.0);
        QCOMPARE(inizioserie, 5000.0);
        QCOMPARE(f->Label1->caption(), QStringLiteral("frase n°0"));
        QVERIFY(!f->FRASE_INTERA_B->isVisible());
        for (int j = 1; j <= 8; ++j)
            QCOMPARE(f->Lbmostra(j)->foreColor(), j == 1 ? rosso : verdeScuro);
        QVERIFY(f->gratifica->caption().isEmpty());
    }

    void secondaRigaDaQuattroCaratteri()
    {
        // Line B shows from four characters on: find the shortest second
        // lines of the bank and check both sides of the limit that occur.
        domandeperserie = 30000; // no grade screen in the way
        presenta(12);
        QVERIFY(!f->FRASE_INTERA_B->isVisible());
        QCOMPARE(f->Lbmostra(6)->caption(), QStringLiteral(" "));
        QCOMPARE(f->Lbmostra(7)->caption(), QString());
        QVERIFY(f->Lbmostra(7)->isVisible());
        for (int n = 0; n < 100; ++n) {
            if (usata(n) == 1)
                continue;
            completa();
            if (QTest::currentTestFailed())
                return;
            presenta(n);
            QCOMPARE(f->FRASE_INTERA_B->isVisible(), fraseinterab(n).size() >= 4);
        }
    }

    void rispostaGiusta()
    {
        presenta(0);
        dipingi();
        ambiente->lettore.richieste.clear();
        QString parola;
        bool disabilitate = false;
        Attese schermo(rosso);
        ambiente->orologio.durante = [&] {
            parola = f->gratifica->caption();
            disabilitate = categorieAbilitate(false);
            schermo.guarda(f);
        };
        rispondi(1);
        QCOMPARE(parola, QStringLiteral("BRAVO!!!"));
        QVERIFY(disabilitate);
        // On the screen throughout the hold: the disabled buttons, the word.
        QVERIFY2(schermo.guasti.isEmpty(), qPrintable(schermo.guasti.join(QStringLiteral("; "))));
        QCOMPARE(ambiente->orologio.attese, QList<double>{1.0});
        QVERIFY(ambiente->lettore.nomi().first().startsWith(QStringLiteral("esatto")));
        QCOMPARE(int(risposte), 1);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("0"));
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("0"));
        QCOMPARE(int(numerosintagma), 2);
        QCOMPARE(int(codiceatteso), int(codici(0, 2)));
        QCOMPARE(f->Lbmostra(1)->foreColor(), testoPulsanti());
        QCOMPARE(f->Lbmostra(2)->foreColor(), rosso);
        QVERIFY(f->gratifica->caption().isEmpty());
        QVERIFY(categorieAbilitate(true));
        QCOMPARE(QApplication::focusWidget(), f->Com(1));
    }

    void rispostaSbagliata()
    {
        presenta(0);
        dipingi();
        ambiente->lettore.richieste.clear();
        QColor fondo, coloreParola;
        QString parola;
        bool schermoDisabilitato = false;
        Attese schermo(testoPulsanti(), rosa);
        ambiente->orologio.durante = [&] {
            fondo = f->backColor();
            parola = f->gratifica->caption();
            coloreParola = f->gratifica->foreColor();
            schermoDisabilitato = !f->isEnabled();
            schermo.guarda(f);
        };
        rispondi(4);
        QCOMPARE(fondo, rosa);
        QCOMPARE(parola, QStringLiteral("No riprova"));
        QCOMPARE(coloreParola, testoPulsanti());
        QVERIFY(schermoDisabilitato);
        QVERIFY2(schermo.guasti.isEmpty(), qPrintable(schermo.guasti.join(QStringLiteral("; "))));
        QCOMPARE(ambiente->lettore.nomi(), QStringList{"sbagliato1"});
        QCOMPARE(f->backColor(), verde);
        QVERIFY(f->isEnabled());
        QCOMPARE(f->gratifica->foreColor(), rosso);
        QCOMPARE(int(errori), 1);
        QCOMPARE(int(erroricategoria(1)), 1);
        QVERIFY(erroricategoria(4).vuota());
        QCOMPARE(int(risposte), 1);
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("1"));
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("100"));
        QCOMPARE(int(numerosintagma), 1);
        QCOMPARE(f->Lbmostra(1)->foreColor(), rosso);
        QVERIFY(categorieAbilitate(true));
    }

    void treSbagliateEPoiGiusta()
    {
        presenta(12);
        const int atteso = codiceatteso;
        for (int i = 0; i < 3; ++i)
            rispondi(sbagliato());
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("100"));
        rispondiGiusto();
        QCOMPARE(int(risposte), 4);
        QCOMPARE(int(errori), 3);
        QCOMPARE(int(erroricategoria(atteso)), 3);
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("75"));
        QCOMPARE(int(numerosintagma), 2);
    }

    void percentualeArrotondataPerDifetto()
    {
        presenta(0);
        rispondi(sbagliato());
        rispondiGiusto();
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("50"));
        rispondi(sbagliato());
        QCOMPARE(f->Lpercentuale->caption(), QStringLiteral("66"));
    }

    void fraseCompletata()
    {
        presenta(12);
        for (int j = 1; j < 5; ++j)
            rispondiGiusto();
        dipingi();
        ambiente->lettore.richieste.clear();
        ambiente->orologio.attese.clear();
        int abilitazioniFraLeAttese = 0;
        Attese schermo(rosso);
        ambiente->orologio.durante = [&] {
            abilitazioniFraLeAttese += categorieAbilitate(false);
            schermo.guarda(f);
        };
        rispondiGiusto();
        QCOMPARE(ambiente->orologio.attese, (QList<double>{1.0, 1.0}));
        QCOMPARE(abilitazioniFraLeAttese, 2);
        QVERIFY2(schermo.guasti.isEmpty(), qPrintable(schermo.guasti.join(QStringLiteral("; "))));
        QCOMPARE(ambiente->lettore.nomi().size(), 2);
        QCOMPARE(ambiente->lettore.nomi().last(), QStringLiteral("premivia"));
        QCOMPARE(f->gratifica->caption(), QStringLiteral("COMPLETATA"));
        QCOMPARE(f->AVVISO->caption(),
                 QStringLiteral("Bene, hai completato questa frase; ora premi il VIA per proseguire."));
        QVERIFY(categorieAbilitate(false));
        QVERIFY(f->VIA->isVisible());
        QCOMPARE(QApplication::focusWidget(), f->VIA);
        QCOMPARE(f->Lbmostra(5)->foreColor(), rosso);
        QCOMPARE(f->Lbmostra(4)->foreColor(), testoPulsanti());
        QCOMPARE(int(numerosintagma), 6);
        // The next sentence turns every phrase back to dark green.
        presenta(0);
        for (int j = 1; j <= 8; ++j)
            QCOMPARE(f->Lbmostra(j)->foreColor(), j == 1 ? rosso : verdeScuro);
        QVERIFY(f->gratifica->caption().isEmpty());
    }

    void serieFinitaAMetaFrase()
    {
        ambiente->orologio.mono = 5000;
        presenta(0);
        completa(); // 8 answers
        presenta(5);
        completa(); // 15
        presenta(12);
        for (int i = 0; i < 3; ++i)
            rispondi(sbagliato()); // 18
        rispondiGiusto();          // 19
        bool visto = false;
        QString orologioPrima;
        quandoModale([&](QWidget *modale) {
            auto *grado = qobject_cast<classificaform *>(modale);
            QVERIFY(grado);
            QCOMPARE(grado->RISULTATO->caption(), QStringLiteral("sufficiente"));
            ambiente->orologio.scorri(1);
            orologioPrima = f->Lbclock->caption();
            QCOMPARE(int(risposte), 20);
            QCOMPARE(f->Lrisposte->caption(), QStringLiteral("20"));
            // The mark has not moved yet: the series is graded first.
            QCOMPARE(int(numerosintagma), 2);
            QCOMPARE(f->Lbmostra(2)->foreColor(), rosso);
            visto = true;
            QTest::mouseClick(grado->Command1, Qt::LeftButton);
        });
        rispondiGiusto(); // 20, in the middle of the sentence
        QVERIFY(visto);
        // The clock counts from the first VIA and goes on across the grade screen.
        QCOMPARE(orologioPrima, QString::number(qint64(ambiente->orologio.mono - 5000)));
        ambiente->orologio.scorri(1);
        QCOMPARE(f->Lbclock->caption(), QString::number(orologioPrima.toInt() + 1));
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QCOMPARE(int(numerosintagma), 3);
        QCOMPARE(f->Lbmostra(3)->foreColor(), rosso);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("20"));
        rispondiGiusto();
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(int(contasufficiente), 1);
    }

    void serieFinitaCompletandoUnaFrase()
    {
        ambiente->orologio.mono = 100;
        presenta(0);
        completa();
        presenta(5);
        completa();
        presenta(12);
        for (int j = 1; j < 5; ++j)
            rispondiGiusto();
        bool visto = false;
        quandoModale([&](QWidget *modale) {
            auto *grado = qobject_cast<classificaform *>(modale);
            QCOMPARE(grado->RISULTATO->caption(), QStringLiteral("ottimo!!!"));
            QVERIFY(!f->VIA->isVisible());
            QVERIFY(f->gratifica->caption().isEmpty());
            // 20 one-second holds and two more for the completed sentences.
            QCOMPARE(grado->LbNuovoRecord->caption(), QStringLiteral("Nuovo Record!"));
            QCOMPARE(grado->LbTrecord->caption(), QStringLiteral("22"));
            visto = true;
            QTest::mouseClick(grado->Command1, Qt::LeftButton);
        });
        rispondiGiusto();
        QVERIFY(visto);
        QCOMPARE(f->gratifica->caption(), QStringLiteral("COMPLETATA"));
        QVERIFY(f->VIA->isVisible());
        QCOMPARE(tempomigliore, short(22));
        QCOMPARE(inizioserie, ambiente->orologio.mono - 1.0);
    }

    void bancaEsaurita()
    {
        // Random draws: every press shows a row never shown before.
        domandeperserie = 30000;
        ambiente->orologio.numeri.clear();
        Orologio reale;
        for (int i = 0; i < 100; ++i) {
            for (int k = 0; k < 20000; ++k)
                ambiente->orologio.numeri.append(reale.Rnd());
            f->VIA_Click();
            ambiente->orologio.numeri.clear();
            QVERIFY(f->Label1->caption() != QStringLiteral("n° domanda"));
        }
        for (int n = 0; n < 100; ++n)
            QCOMPARE(int(usata(n)), 1);
        QVERIFY(usata(100).vuota());
        completa();
        const QString ultima = f->FRASE_INTERA_A->caption();
        const QString numero = f->Label1->caption();
        ambiente->lettore.richieste.clear();
        QTest::mouseClick(f->VIA, Qt::LeftButton);
        QCOMPARE(f->AVVISO->caption(), QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        QCOMPARE(ambiente->lettore.nomi(), (QStringList{"rumorevia", "conga"}));
        QVERIFY(!f->VIA->isVisible());
        QVERIFY(categorieAbilitate(false));
        QCOMPARE(f->FRASE_INTERA_A->caption(), ultima);
        QCOMPARE(f->Label1->caption(), numero);
        QVERIFY(f->gratifica->caption().isEmpty());
        QVERIFY(f->Command8->isEnabled() && f->FINE->isEnabled());
    }

    void orologioDelloSchermo()
    {
        // It stays at 0 until the first VIA, then counts every second.
        ambiente->orologio.scorri(5);
        QCOMPARE(f->Lbclock->caption(), QStringLiteral("0"));
        // Started a little before midnight, it goes on counting past it.
        ambiente->orologio.ora = 86399.5;
        presenta(0);
        ambiente->orologio.scorri(1);
        QCOMPARE(f->Lbclock->caption(), QStringLiteral("1"));
        ambiente->orologio.scorri(64.7);
        QCOMPARE(f->Lbclock->caption(), QStringLiteral("65"));
        QVERIFY(ambiente->orologio.ora < 100);
    }

    void holdAMezzanotte()
    {
        presenta(0);
        ambiente->orologio.ora = 86399.6;
        ambiente->orologio.attese.clear();
        const double prima = ambiente->orologio.mono;
        f->flash(QStringLiteral("BRAVO!!!"));
        QCOMPARE(ambiente->orologio.mono - prima, 1.0);
        QCOMPARE(ambiente->orologio.attese, QList<double>{1.0});
    }

    void flashRiabilitaSempre()
    {
        f->Com(3)->setEnabled(false);
        f->flash(QStringLiteral("BRAVO!!!"));
        QVERIFY(categorieAbilitate(true));
        QVERIFY(f->gratifica->caption().isEmpty());
    }

    void tastieraTabESpazio()
    {
        ambiente->orologio.numeri = {0.005f};
        QTest::keyClick(f->VIA, Qt::Key_Space);
        QCOMPARE(int(numerofrase), 0);
        QCOMPARE(QApplication::focusWidget(), f->Com(1));
        // Row 0 starts with a subject: Space on SOGGETTO answers it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(int(numerosintagma), 2);
        QCOMPARE(QApplication::focusWidget(), f->Com(1));
        // Tab goes through the grid in its fixed order: 1 is followed by 8.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->Com(8));
    }

    void mostraErrori()
    {
        presenta(0);
        rispondi(sbagliato());
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &revisione = istanza<FRM_ERRORI>();
        QVERIFY(revisione.isVisible());
        QCOMPARE(revisione.RR(1)->caption(), QStringLiteral("1"));
        QCOMPARE(revisione.RR(2)->caption(), QString());
        // The drill goes on while the review is open.
        rispondiGiusto();
        QCOMPARE(int(numerosintagma), 2);
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        QCOMPARE(&istanza<FRM_ERRORI>(), &revisione);
    }

    void fineEChiusura()
    {
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        QTest::mouseClick(f->FINE, Qt::LeftButton);
        QCOMPARE(ambiente->lettore.nomi().last(), QStringLiteral("congafine"));
        QVERIFY(toolkit::programmaTerminato());
        QVERIFY(!f->isVisible());
        QVERIFY(!istanza<FRM_ERRORI>().isVisible());
    }

    void chiusuraDellaFinestraComeFine()
    {
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI *revisione = &istanza<FRM_ERRORI>();
        f->close();
        QCOMPARE(ambiente->lettore.nomi().last(), QStringLiteral("congafine"));
        QVERIFY(toolkit::programmaTerminato());
        QVERIFY(!revisione->isVisible());
    }

    void invioPremeIlTastoSelezionato()
    {
        // Enter and the keypad's Enter do what Space does, on every button.
        ambiente->orologio.numeri = {0.005f};
        QTest::keyClick(f->VIA, Qt::Key_Return);
        QCOMPARE(f->Label1->caption(), QStringLiteral("frase n°0"));
        QCOMPARE(QApplication::focusWidget(), f->Com(1));
        QTest::keyClick(f->Com(1), Qt::Key_Enter);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("0"));
        QTest::keyClick(f->Command8, Qt::Key_Return);
        FRM_ERRORI *revisione = &istanza<FRM_ERRORI>();
        QVERIFY(revisione->isVisible());
        bool classifica = false;
        quandoModale([&](QWidget *g) { classifica = qobject_cast<classificaform *>(g); });
        QTest::keyClick(revisione->Command2, Qt::Key_Return);
        QVERIFY(classifica);
        QTest::keyClick(revisione->Command1, Qt::Key_Enter);
        QVERIFY(!revisione->isVisible());
        QTest::keyClick(f->FINE, Qt::Key_Return);
        QVERIFY(toolkit::programmaTerminato());
    }

    void inputDellaPausaScartato()
    {
        // What is clicked or typed during a hold waits in the queue; it is
        // thrown away, not handled as an answer once the hold is over.
        auto clickInCoda = [](QWidget *w) {
            const QPointF dentro(w->width() / 2.0, w->height() / 2.0);
            for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(w, new QMouseEvent(tipo, dentro, w->mapToGlobal(dentro), Qt::LeftButton,
                                                               tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                               Qt::NoModifier));
        };
        auto tastoInCoda = [](QWidget *w) {
            for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(w, new QKeyEvent(tipo, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
        };
        presenta(0);
        // A double-click on the right button: one answer, no error.
        ambiente->orologio.durante = [&] { clickInCoda(f->Com(1)); };
        rispondi(1);
        QCoreApplication::processEvents();
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("0"));
        // A child clicking on and on during the pink hold: one error.
        const int sbagliata = sbagliato();
        ambiente->orologio.durante = [&] {
            for (int i = 0; i < 3; ++i)
                clickInCoda(f->Com(sbagliata));
            tastoInCoda(f->Com(sbagliata));
            clickInCoda(f->FINE);
        };
        rispondi(sbagliata);
        ambiente->orologio.durante = nullptr;
        QCoreApplication::processEvents();
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("2"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("1"));
        QCOMPARE(f->backColor(), verde);
        QVERIFY(!toolkit::programmaTerminato());
        // Input after the hold is an answer as ever.
        rispondiGiusto();
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("3"));
        // A slow PC hands input over late: it is judged by when it was made.
        // Clicks made during the hold of a wrong answer arrive after it and
        // are no answer; one made a moment after the hold is.
        const int rilascio = QTest::lastMouseTimestamp + 2; // of the click that follows
        rispondi(sbagliato());
        for (int ms : {150, 500, 999})
            clicAl(f->Com(codiceatteso), rilascio + ms);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("4"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("2"));
        clicAl(f->Com(codiceatteso), rilascio + 1050);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("5"));
        QCOMPARE(f->Lerrori->caption(), QStringLiteral("2"));
    }

    void etichetteDiNuovoIntereDopoUnaRiduzione()
    {
        // Restored, made small by hand and as large again: every label is
        // where and as large as it was, "frase n°" in the bottom bar too.
        presenta(0);
        QList<QRect> prima;
        const QList<Etichetta *> etichette = f->findChildren<Etichetta *>();
        for (const Etichetta *e : etichette)
            prima << e->geometry();
        const QSize intera = f->size();
        f->showNormal();
        for (const QSize &misura : {QSize(300, 200), QSize(40, 30), intera}) {
            f->resize(misura);
            QCoreApplication::processEvents();
        }
        QCOMPARE(f->size(), intera);
        for (int i = 0; i < etichette.size(); ++i)
            QVERIFY2(etichette.at(i)->geometry() == prima.at(i), qPrintable(etichette.at(i)->text()));
        QCOMPARE(f->Label1->caption(), QStringLiteral("frase n°0"));
    }

    void pausaSenzaTastiGrigi()
    {
        // The wrong-answer hold blocks the whole screen without greying
        // "mostra errori" and FINE; the category buttons do look disabled.
        presenta(0);
        const QImage fine = f->FINE->grab().toImage();
        const QImage errori = f->Command8->grab().toImage();
        const QImage categoria = f->Com(2)->grab().toImage();
        QImage fineInPausa, erroriInPausa, categoriaInPausa;
        bool bloccato = false;
        ambiente->orologio.durante = [&] {
            bloccato = !f->FINE->isEnabled() && !f->Command8->isEnabled();
            fineInPausa = f->FINE->grab().toImage();
            erroriInPausa = f->Command8->grab().toImage();
            categoriaInPausa = f->Com(2)->grab().toImage();
        };
        rispondi(sbagliato());
        QVERIFY(bloccato);
        QCOMPARE(fineInPausa, fine);
        QCOMPARE(erroriInPausa, errori);
        QVERIFY(categoriaInPausa != categoria);
        // The disabled caption is etched grey: not a black pixel of it left.
        const auto neri = [](const QImage &im) {
            int n = 0;
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    n += im.pixelColor(x, y) == Qt::black;
            return n;
        };
        QVERIFY(neri(categoria) > 20);
        QCOMPARE(neri(categoriaInPausa), 0);
    }

    void dopoLUltimaFraseUnTastoNonChiude()
    {
        for (int n = 0; n < 100; ++n)
            usata(n) = 1;
        QTest::keyClick(f->VIA, Qt::Key_Space);
        QCOMPARE(f->AVVISO->caption(), QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        QWidget *fuoco = QApplication::focusWidget();
        QVERIFY(fuoco != f->FINE);
        for (Qt::Key tasto : {Qt::Key_Space, Qt::Key_Return})
            QTest::keyClick(fuoco ? fuoco : f, tasto);
        QVERIFY(!toolkit::programmaTerminato());
        // FINE is still a Tab away.
        QTest::keyClick(fuoco ? fuoco : f, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->FINE);
    }

    void ridimensionamento()
    {
        f->resize(400, 300);
        QCOMPARE(f->VIA->geometry(), QRect(129, 128, 261, 30));
        QCOMPARE(f->Com(13)->geometry(), QRect(5, 242, 87, 29));
        QCOMPARE(f->Lrisposte->parentWidget(), f->Frame1);
        QCOMPARE(f->Lrisposte->pos(), QPoint(18, 8));
        QCOMPARE(f->AVVISO->font().pointSizeF(), 9.0);
        f->resize(1, 1);
        f->showMinimized();
        f->resize(800, 600);
        QCOMPARE(f->VIA->geometry(), QRect(258, 255, 522, 61));
        QCOMPARE(f->Com(13)->font().pointSizeF(), 12.75);
    }
};

class TestIniziale : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;

private slots:
    void init() { ambiente = std::make_unique<Ambiente>(); }
    void cleanup() { ambiente.reset(); }

    void caricamento()
    {
        Iniziale &titolo = istanza<Iniziale>();
        titolo.Show();
        QCOMPARE(ambiente->lettore.nomi(), QStringList{"conga"});
        QCOMPARE(int(ridimschermo::numerocontrolli), 7);
        QCOMPARE(ridimschermo::controlli[1].data(), titolo.Label1);
        QCOMPARE(ridimschermo::controlli[7].data(), titolo.Label8);
        QCOMPARE(titolo.Label1->caption(), QStringLiteral("Parsilia "));
        QCOMPARE(titolo.Label8->caption(), QStringLiteral("( parte seconda)"));
        QVERIFY(titolo.frameGeometry().contains(titolo.screen()->availableGeometry()));
        // Resized, the labels are fitted again.
        const QFont prima = titolo.Label1->font();
        titolo.resize(titolo.width() / 2, titolo.height() / 2);
        QVERIFY(titolo.Label1->font().pointSizeF() < prima.pointSizeF());
    }

    void passaggioAlloSchermoDellEsercizioUnaVolta_data()
    {
        QTest::addColumn<int>("click"); // after two seconds: 0 none, 1 on the background, 2 on a text
        QTest::newRow("dopo sei secondi") << 0;
        QTest::newRow("con un click") << 1;
        QTest::newRow("click su un testo") << 2;
    }
    void passaggioAlloSchermoDellEsercizioUnaVolta()
    {
        QFETCH(int, click);
        const auto esercizio = []() -> FormB * {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *e = qobject_cast<FormB *>(w); e && e->isVisible())
                    return e;
            return nullptr;
        };
        Iniziale *titolo = &istanza<Iniziale>();
        titolo->Show();
        ambiente->orologio.scorri(2);
        if (click == 1)
            QTest::mouseClick(titolo, Qt::LeftButton, {}, QPoint(20, 20));
        else if (click == 2)
            QTest::mouseClick(titolo->Label1, Qt::LeftButton);
        ambiente->orologio.scorri(3.9);
        QCOMPARE(esercizio() != nullptr, click == 1);
        QCOMPARE(titolo->isVisible(), click != 1);
        ambiente->orologio.scorri(0.1);
        FormB *aperto = esercizio();
        QVERIFY(aperto);
        QVERIFY(!titolo->isVisible());
        QCOMPARE(ridimschermo::formcorrente.data(), aperto);
        // Nothing more opens as time goes on.
        ambiente->orologio.scorri(10);
        QCOMPARE(ambiente->lettore.nomi().count(QStringLiteral("premivia")), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(esercizio(), aperto);
    }

    void righeDelTitoloAlLoroPosto_data()
    {
        QTest::addColumn<QSize>("misura");
        QTest::newRow("di progetto") << QSize(792, 569);
        QTest::newRow("larga e bassa") << QSize(1600, 600);
        QTest::newRow("stretta e alta") << QSize(500, 900);
    }
    void righeDelTitoloAlLoroPosto()
    {
        // Fitted to the window, the font follows its height alone: a centred
        // line stays on the centre it was designed on, however wide its text
        // comes out; "( parte seconda)" keeps its left edge.
        QFETCH(QSize, misura);
        Iniziale &titolo = istanza<Iniziale>();
        titolo.Show();
        titolo.resize(misura);
        const double fx = misura.width() / 792.0, fy = misura.height() / 569.0;
        struct Riga
        {
            Etichetta *riga;
            double left, top, width; // design, in twips
            bool centrata;
        };
        const Riga righe[] = {
            {titolo.Label2, 990, 2040, 9975, true},  {titolo.Label5, 4950, 2760, 1365, true},
            {titolo.Label1, 2475, 3375, 7125, true}, {titolo.Label8, 3780, 4680, 4230, false},
            {titolo.Label6, 3060, 6240, 5655, true}, {titolo.Label4, 2835, 6720, 5955, true},
            {titolo.Label3, 2250, 7200, 7425, true},
        };
        // Rounding: half a pixel at the first fit, scaled with the window,
        // then up to half a pixel at each edge of the new place and at the
        // new fit.
        const double scarto = 1.5 + fx / 2;
        for (const Riga &r : righe) {
            const QRect g = r.riga->geometry();
            const double x = r.centrata ? g.x() + g.width() / 2.0 : g.x();
            const double atteso = fx * (r.centrata ? r.left + r.width / 2 : r.left) / 15;
            QVERIFY2(qAbs(x - atteso) <= scarto && qAbs(g.y() - fy * r.top / 15) <= 1,
                     qPrintable(QStringLiteral("\"%1\" at %2,%3 instead of %4,%5")
                                    .arg(r.riga->caption()).arg(x).arg(g.y()).arg(atteso).arg(fy * r.top / 15)));
        }
    }

    // In the taskbar and the window switcher every screen is Parsilia, with
    // its icon, and the desktop ties its windows to the menu entry.
    void nomeEIconaSulDesktop()
    {
        QFile voce(QStringLiteral(PARSILIA_VOCE_MENU));
        QVERIFY(voce.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QString> chiavi;
        for (const QByteArray &riga : voce.readAll().split('\n')) {
            const int uguale = riga.indexOf('=');
            if (uguale > 0)
                chiavi.insert(QString::fromUtf8(riga.left(uguale)), QString::fromUtf8(riga.mid(uguale + 1)));
        }
        QCOMPARE(QFileInfo(voce).fileName(), QGuiApplication::desktopFileName() + QStringLiteral(".desktop"));
        QCOMPARE(chiavi.value(QStringLiteral("Icon")), QGuiApplication::desktopFileName());
        // The class of an X11 window is the application's name.
        QCOMPARE(chiavi.value(QStringLiteral("StartupWMClass")), QCoreApplication::applicationName());

        const auto conIcona = [](QWidget *w) {
            const QIcon icona = w->windowHandle() ? w->windowHandle()->icon() : QIcon();
            for (int lato : {16, 32, 48, 64, 128})
                if (!icona.availableSizes().contains(QSize(lato, lato)))
                    return false;
            return true;
        };
        Iniziale &titolo = istanza<Iniziale>();
        titolo.Show();
        QVERIFY(conIcona(&titolo));
        QCOMPARE(titolo.windowTitle(), QStringLiteral("Form1"));
        titolo.Timer1_Timer();
        FormB &esercizio = istanza<FormB>();
        QVERIFY(conIcona(&esercizio));
        esercizio.Command8_Click();
        QVERIFY(conIcona(&istanza<FRM_ERRORI>()));
        QCOMPARE(istanza<FRM_ERRORI>().windowTitle(), QStringLiteral("Form2"));
        bool classificaConIcona = false;
        quandoModale([&](QWidget *modale) { classificaConIcona = conIcona(modale); });
        esercizio.classifica(0);
        QVERIFY(classificaConIcona);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaIdentita();
    TestFormB formb;
    TestIniziale iniziale;
    return QTest::qExec(&formb, argc, argv) | QTest::qExec(&iniziale, argc, argv);
}
#include "tst_formb.moc"

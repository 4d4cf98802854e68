#include "ambiente.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "services/etichetta.h"
#include "services/figura.h"
#include "screens/iniziale.h"
#include "services/pulsante.h"

#include <QKeyEvent>
#include <QStyleHints>
#include <QTest>

#include <memory>

using namespace Modulo1;

namespace {

int puntiVisibili(const MatriceControlli<Figura> &riga)
{
    int n = 0;
    for (int i = 1; i <= 10; ++i) {
        if (riga(i)->isVisible() != (i <= n + 1 && riga(i)->isVisible()))
            return -1; // a hole: the dots must be the first ones from the left
        n += riga(i)->isVisible();
    }
    return n;
}

// What the grade screen showed while it was up.
struct Visto
{
    QString risultato, record, tempo;
    QColor fondo;
    double centroRisultato = 0; // in pixels from the window's left edge
    int ottimo = 0, distinto = 0, buono = 0, sufficiente = 0, occorre = 0;
    bool fuocoSuProsegui = false;
};

// The pupil's input with the times the platform gives it, in milliseconds
// on Qt Test's own scale: when the last click made up by Qt Test was let go,
// and a click or a key press at a given time.
int ultimoRilascio()
{
    return QTest::lastMouseTimestamp - QTest::mouseDoubleClickInterval;
}
void invioAl(QWidget *w, int ms)
{
    for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent tasto(tipo, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        tasto.setTimestamp(ulong(ms));
        QApplication::sendEvent(w, &tasto);
    }
}
// A second press within the double-click interval, and one a moment later.
int subito()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval() / 4;
}
int unMomentoDopo()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100;
}

} // namespace

class TestRisultati : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;
    FormB *f = nullptr;

    // Records what the grade screen shows once it is up, and leaves it by
    // `uscita` (PROSEGUI when none is given).
    void registra(Visto &visto, std::function<void(classificaform *)> uscita = {})
    {
        quandoModale([&visto, uscita](QWidget *modale) {
            auto *g = qobject_cast<classificaform *>(modale);
            visto.risultato = g->RISULTATO->caption();
            visto.fondo = g->RISULTATO->backColor();
            visto.centroRisultato = g->RISULTATO->x() + g->RISULTATO->width() / 2.0;
            visto.record = g->LbNuovoRecord->caption();
            visto.tempo = g->LbTrecord->caption();
            visto.ottimo = puntiVisibili(g->ShOttimo);
            visto.distinto = puntiVisibili(g->ShDistinto);
            visto.buono = puntiVisibili(g->ShBuono);
            visto.sufficiente = puntiVisibili(g->ShSufficiente);
            visto.occorre = puntiVisibili(g->ShOccorre);
            visto.fuocoSuProsegui = g->focusWidget() == g->Command1;
            if (uscita)
                uscita(g);
            else
                QTest::mouseClick(g->Command1, Qt::LeftButton);
        });
    }

    // Opens the grade screen for a series of the given length, as the
    // exercise screen does, and records what it shows.
    Visto classifica(int grado, double durata, std::function<void(classificaform *)> uscita = {})
    {
        livello = grado;
        inizioserie = ambiente->orologio.mono - durata;
        Visto visto;
        registra(visto, uscita);
        istanza<classificaform>().Show(f);
        return visto;
    }

    // A series of twenty answers as the pupil gives them from the first VIA:
    // `sbagliate` wrong ones, then right ones, sentence after sentence. The
    // last opens the grade screen, which is recorded and left by PROSEGUI.
    Visto serie(int sbagliate)
    {
        Visto visto;
        registra(visto);
        for (int risposta = 1, riga = 0; risposta <= 20; ++risposta) {
            if (f->VIA->isVisible()) {
                ambiente->orologio.numeri = {(riga++ + 0.5f) / 100.0f};
                QTest::mouseClick(f->VIA, Qt::LeftButton);
            }
            if (codiceatteso < 1 || codiceatteso > 16) {
                QTest::qFail("VIA gave no sentence to answer", __FILE__, __LINE__);
                return visto;
            }
            const int codice = risposta <= sbagliate ? codiceatteso % 16 + 1 : int(codiceatteso);
            QTest::mouseClick(f->Com(codice), Qt::LeftButton);
        }
        return visto;
    }

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }
    void init()
    {
        ambiente = std::make_unique<Ambiente>();
        f = &istanza<FormB>();
        f->Show();
    }
    void cleanup()
    {
        ambiente.reset();
        f = nullptr;
    }

    void primaSerieBuono()
    {
        risposte = 20;
        errori = 2;
        const Visto v = classifica(3, 80);
        QCOMPARE(v.risultato, QStringLiteral("buono!"));
        QCOMPARE(v.fondo, QColor(0x80, 0xFF, 0x80));
        QCOMPARE(v.buono, 1);
        QCOMPARE(v.ottimo + v.distinto + v.sufficiente + v.occorre, 0);
        QCOMPARE(v.tempo, QStringLiteral("200"));
        QCOMPARE(v.record, QString());
        QVERIFY(v.fuocoSuProsegui);
        // PROSEGUI starts the next series and closes the screen.
        QCOMPARE(int(contabuono), 1);
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QCOMPARE(inizioserie, ambiente->orologio.mono);
        QVERIFY(!risposte.vuota());
    }

    void messaggiEColoriDeiGradi_data()
    {
        QTest::addColumn<int>("sbagliate");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QColor>("colore");
        QTest::addColumn<QList<int>>("punti"); // OTTIMO .. OCCORRE ESERCITARSI
        QTest::newRow("nessun errore") << 0 << "ottimo!!!" << QColor(0xFF, 0xFF, 0) << QList<int>{1, 0, 0, 0, 0};
        QTest::newRow("un errore") << 1 << "distinto!! " << QColor(0, 0xC0, 0) << QList<int>{0, 1, 0, 0, 0};
        QTest::newRow("due errori") << 2 << "buono!" << QColor(0x80, 0xFF, 0x80) << QList<int>{0, 0, 1, 0, 0};
        QTest::newRow("tre errori") << 3 << "sufficiente" << QColor(0xC0, 0xFF, 0xFF) << QList<int>{0, 0, 0, 1, 0};
        QTest::newRow("quattro errori") << 4 << "occorre esercitarsi" << QColor(0xFF, 0x80, 0x80) << QList<int>{0, 0, 0, 0, 1};
        QTest::newRow("sette errori") << 7 << "occorre esercitarsi" << QColor(0xFF, 0x80, 0x80) << QList<int>{0, 0, 0, 0, 1};
    }
    void messaggiEColoriDeiGradi()
    {
        QFETCH(int, sbagliate);
        QFETCH(QString, messaggio);
        QFETCH(QColor, colore);
        QFETCH(QList<int>, punti);
        const Visto v = serie(sbagliate);
        QCOMPARE(v.risultato, messaggio);
        QCOMPARE(v.fondo, colore);
        QCOMPARE((QList<int>{v.ottimo, v.distinto, v.buono, v.sufficiente, v.occorre}), punti);
        // The message, whatever its width, stands centred where it was designed.
        const double centro = (1725 + 2925 / 2.0) / 15;
        QVERIFY2(qAbs(v.centroRisultato - centro) <= 1,
                 qPrintable(QStringLiteral("centred at %1 instead of %2").arg(v.centroRisultato).arg(centro)));
    }

    void undicesimaVoltaLoStessoGrado()
    {
        contadistinto = 10;
        const Visto v = classifica(4, 90);
        QCOMPARE(int(contadistinto), 10);
        QCOMPARE(v.distinto, 10);
    }

    void tempoRecord_data()
    {
        QTest::addColumn<int>("grado");
        QTest::addColumn<double>("durata");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<short>("migliore");
        QTest::newRow("199.6 s") << 5 << 199.6 << "Nuovo Record!" << short(200);
        QTest::newRow("45.96 s") << 5 << 45.96 << "Nuovo Record!" << short(46);
        QTest::newRow("46.5 s") << 5 << 46.5 << "Nuovo Record!" << short(46);
        QTest::newRow("47.5 s") << 5 << 47.5 << "Nuovo Record!" << short(48);
        QTest::newRow("pari al migliore") << 5 << 200.0 << "" << short(200);
        QTest::newRow("grado 4 veloce") << 4 << 30.0 << "" << short(200);
    }
    void tempoRecord()
    {
        QFETCH(int, grado);
        QFETCH(double, durata);
        QFETCH(QString, banner);
        QFETCH(short, migliore);
        const Visto v = classifica(grado, durata);
        QCOMPARE(v.record, banner);
        QCOMPARE(tempomigliore, migliore);
        QCOMPARE(v.tempo, QString::number(migliore));
    }

    void serieACavalloDellaMezzanotte()
    {
        // The time of day wraps during the series; its length does not.
        ambiente->orologio.ora = 86380;
        inizioserie = ambiente->orologio.mono;
        ambiente->orologio.avanza(45.96);
        QVERIFY(ambiente->orologio.ora < 60);
        livello = 5;
        quandoModale([](QWidget *m) { QTest::mouseClick(qobject_cast<classificaform *>(m)->Command1, Qt::LeftButton); });
        istanza<classificaform>().Show(f);
        QCOMPARE(tempomigliore, short(46));
    }

    void escapeEChiusuraComeProsegui_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Invio") << int(Qt::Key_Return);
        QTest::newRow("chiusura della finestra") << 0;
    }
    void escapeEChiusuraComeProsegui()
    {
        QFETCH(int, tasto);
        risposte = 20;
        errori = 4;
        classifica(1, 100, [tasto](classificaform *g) {
            if (tasto)
                QTest::keyClick(g, Qt::Key(tasto));
            else
                g->close();
        });
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QCOMPARE(int(contaoccorre), 1);
        QVERIFY(!istanza<classificaform>().caricata());
    }

    void dimensioniDiProgetto()
    {
        // Not scaled: the design sizes, whatever the screen.
        classifica(5, 300, [](classificaform *g) {
            QCOMPARE(g->size(), QSize(511, 446));
            QCOMPARE(g->windowTitle(), QStringLiteral("Form1"));
            QCOMPARE(g->Shape1->geometry(), QRect(-2, 10, 513, 435));
            QCOMPARE(g->ShOttimo(1)->geometry(), QRect(300, 173, 13, 13));
            QCOMPARE(g->ShOccorre(10)->geometry(), QRect(435, 307, 13, 13));
            QCOMPARE(g->ShSufficiente(4)->fillColor(), QColor(0xC0, 0xFF, 0xFF));
            QCOMPARE(g->LbOccorre->geometry().right(), g->LbOttimo->geometry().right());
            QTest::mouseClick(g->Command1, Qt::LeftButton);
        });
    }

    void revisionePrimaDiOgniErrore()
    {
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        QVERIFY(r.isVisible());
        QCOMPARE(r.windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(r.backColor(), QColor(0xFF, 0xC0, 0xC0));
        for (int k = 1; k <= 16; ++k) {
            QCOMPARE(r.RR(k)->caption(), QString());
            QCOMPARE(r.Lberrori(k)->caption(), f->Com(k)->caption());
        }
        QCOMPARE(r.Lberrori(10)->caption(), QStringLiteral("complemento di MOTO  A  luogo"));
        QCOMPARE(r.RR(9)->pos(), QPoint(78, 189));
        QCOMPARE(r.Command2->pos(), QPoint(-4, 375));
        QCOMPARE(r.focusWidget(), r.Command1);
    }

    void erroriPerCategoria()
    {
        // Three wrong answers to phrases of category 7 and one of 16.
        for (int i = 0; i < 3; ++i)
            erroricategoria(7) = erroricategoria(7) + 1;
        erroricategoria(16) = erroricategoria(16) + 1;
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        for (int k = 1; k <= 16; ++k)
            QCOMPARE(r.RR(k)->caption(), k == 7 ? QStringLiteral("3") : k == 16 ? QStringLiteral("1") : QString());
        // The counts do not follow later answers until "mostra errori" again.
        erroricategoria(7) = erroricategoria(7) + 1;
        QCOMPARE(r.RR(7)->caption(), QStringLiteral("3"));
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        QCOMPARE(&istanza<FRM_ERRORI>(), &r);
        QCOMPARE(r.RR(7)->caption(), QStringLiteral("4"));
        // Closed and opened again: a new screen with the same totals.
        QTest::mouseClick(r.Command1, Qt::LeftButton);
        QVERIFY(r.scaricata());
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &nuova = istanza<FRM_ERRORI>();
        QVERIFY(&nuova != &r || !nuova.scaricata());
        QVERIFY(nuova.isVisible());
        QCOMPARE(nuova.RR(7)->caption(), QStringLiteral("4"));
        QCOMPARE(nuova.RR(16)->caption(), QStringLiteral("1"));
    }

    void classificaDallaRevisione()
    {
        // Two series, graded 5 and 1; then the standings from the review.
        classifica(5, 300);
        classifica(1, 300);
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        risposte = 7;
        errori = 2;
        Visto v;
        quandoModale([&v](QWidget *m) {
            auto *g = qobject_cast<classificaform *>(m);
            QCOMPARE(g->parentWidget(), static_cast<QWidget *>(&istanza<FRM_ERRORI>()));
            v.risultato = g->RISULTATO->caption();
            v.fondo = g->RISULTATO->backColor();
            v.record = g->LbNuovoRecord->caption();
            v.ottimo = puntiVisibili(g->ShOttimo);
            v.occorre = puntiVisibili(g->ShOccorre);
            v.buono = puntiVisibili(g->ShBuono);
            QTest::mouseClick(g->Command1, Qt::LeftButton);
        });
        QTest::mouseClick(r.Command2, Qt::LeftButton);
        QCOMPARE(v.risultato, QStringLiteral("RISULTATO"));
        QCOMPARE(v.fondo, QColor(0xFF, 0xFF, 0x80));
        QCOMPARE(v.record, QString());
        QCOMPARE(v.ottimo, 1);
        QCOMPARE(v.occorre, 1);
        QCOMPARE(v.buono, 0);
        QCOMPARE(int(contaottimo), 1);
        QCOMPARE(int(contaoccorre), 1);
        // Its PROSEGUI restarts the current series too; the review stays open.
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QVERIFY(r.isVisible());
    }

    // The side windows open over the category buttons: the second click of a
    // double-click that opened or closed one lands on what it uncovered or
    // covered, and a key pressed twice on whatever now has the focus.
    void doppioClicSuProseguiNonRisponde_data()
    {
        QTest::addColumn<bool>("tastiera");
        QTest::newRow("mouse") << false;
        QTest::newRow("Invio") << true;
    }
    void doppioClicSuProseguiNonRisponde()
    {
        QFETCH(bool, tastiera);
        // Row 0 has 8 phrases: the twentieth answer leaves its sentence open.
        risposte = 19;
        ambiente->orologio.numeri = {0.005f};
        QTest::mouseClick(f->VIA, Qt::LeftButton);
        QVERIFY(!f->VIA->isVisible());
        int chiusa = 0;
        bool rimasta = false;
        quandoModale([&](QWidget *m) {
            Pulsante *prosegui = qobject_cast<classificaform *>(m)->Command1;
            // It opened when the hold ended: a press 100 ms later (1.1 s
            // after the twentieth answer) is the answer's own second one.
            const int aperta = ultimoRilascio();
            tastiera ? invioAl(prosegui, aperta + subito()) : clicAl(prosegui, aperta + 100);
            rimasta = m->isVisible() && int(risposte) == 20;
            chiusa = aperta + 600; // the pupil reads the grade first
            if (tastiera)
                invioAl(prosegui, chiusa);
            else
                clicAl(prosegui, chiusa);
        });
        // The twentieth, with the keyboard or the mouse.
        if (tastiera) {
            QApplication::setActiveWindow(f);
            f->Com(codiceatteso)->setFocus();
            QTest::keyClick(f->Com(codiceatteso), Qt::Key_Space);
        } else {
            QTest::mouseClick(f->Com(codiceatteso), Qt::LeftButton);
        }
        QVERIFY(rimasta);
        QVERIFY(!istanza<classificaform>().caricata());
        QCOMPARE(int(risposte), 0);
        // Beneath the pointer or with the focus, a category button.
        QWidget *sotto = tastiera ? f->focusWidget() : f->Com(codiceatteso % 16 + 1);
        QVERIFY(sotto && sotto->isEnabled() && sotto != f->FINE && sotto != f->Command8);
        tastiera ? invioAl(sotto, chiusa + subito()) : clicAl(sotto, chiusa + subito());
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QCOMPARE(f->Lrisposte->caption(), QStringLiteral("20"));
        // A press of its own, a moment later, is an answer.
        tastiera ? invioAl(sotto, chiusa + unMomentoDopo()) : clicAl(sotto, chiusa + unMomentoDopo());
        QCOMPARE(int(risposte), 1);
    }

    void doppioClicSuMostraClassifica()
    {
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        risposte = 7;
        errori = 2;
        bool rimasta = false;
        quandoModale([&](QWidget *m) {
            auto *g = qobject_cast<classificaform *>(m);
            clicAl(g->Command1, ultimoRilascio() + subito());
            rimasta = g->isVisible() && !g->scaricata();
            // Read, and closed: the series goes on.
            QTest::keyClick(g, Qt::Key_Escape);
        });
        QTest::mouseClick(r.Command2, Qt::LeftButton);
        QVERIFY(rimasta);
        QCOMPARE(int(risposte), 7);
        QCOMPARE(int(errori), 2);
    }

    void doppioClicSuChiudiFinestra()
    {
        ambiente->orologio.numeri = {0.005f};
        QTest::mouseClick(f->VIA, Qt::LeftButton);
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        QTest::mouseClick(r.Command1, Qt::LeftButton);
        QVERIFY(r.scaricata());
        const int chiusa = ultimoRilascio();
        clicAl(f->Com(16), chiusa + subito());
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(erroricategoria(1)), 0);
        clicAl(f->Com(16), chiusa + unMomentoDopo());
        QCOMPARE(int(risposte), 1);
        QCOMPARE(int(errori), 1);
    }

    void doppioClicSulTitolo()
    {
        f->Unload();
        Iniziale &titolo = istanza<Iniziale>();
        titolo.Show();
        QTest::mouseClick(&titolo, Qt::LeftButton, {}, QPoint(5, 5));
        FormB &esercizio = istanza<FormB>();
        QVERIFY(esercizio.isVisible());
        const int aperta = ultimoRilascio();
        clicAl(esercizio.VIA, aperta + subito());
        QVERIFY(esercizio.VIA->isVisible());
        QVERIFY(numerofrase.vuota());
        clicAl(esercizio.VIA, aperta + unMomentoDopo());
        QVERIFY(!esercizio.VIA->isVisible());
        // VIA and the phrases that come and go are no window: an answer a
        // quarter of a second after VIA counts.
        clicAl(esercizio.Com(codiceatteso), aperta + unMomentoDopo() + 250);
        QCOMPARE(int(risposte), 1);
        QCOMPARE(int(errori), 0);
    }

    void classificaGuardataSoltanto_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("chiusura della finestra") << 0;
    }
    void classificaGuardataSoltanto()
    {
        // Looked at in the middle of a series, the standings close and the
        // series goes on where it was.
        QFETCH(int, tasto);
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        risposte = 7;
        errori = 2;
        inizioserie = ambiente->orologio.mono - 40;
        bool chiusa = false;
        quandoModale([&](QWidget *m) {
            if (tasto)
                QTest::keyClick(m, Qt::Key(tasto));
            else
                m->close();
            chiusa = !m->isVisible();
        });
        QTest::mouseClick(r.Command2, Qt::LeftButton);
        QVERIFY(chiusa);
        QCOMPARE(int(risposte), 7);
        QCOMPARE(int(errori), 2);
        QCOMPARE(inizioserie, ambiente->orologio.mono - 40);
        QVERIFY(r.isVisible());
    }
};

QTEST_MAIN(TestRisultati)
#include "tst_risultati.moc"

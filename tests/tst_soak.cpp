// Thousands of random actions in any order — clicks on every control,
// enabled or not, keys, resizes to any size, the clock moving on, the
// program ended and started again — with the invariants of the exercise
// checked after every one. The voice is on, through a recording one. A fixed seed by default; another with
//   PARSILIA_SEME=<n> [PARSILIA_AZIONI=<n>] [PARSILIA_TRACCIA=1] ./tst_soak
// (PARSILIA_TRACCIA prints every action as it is played).
// A failure names its seed and action, so that it can be replayed.

#include "ambiente.h"
#include "voceregistra.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/pulsante.h"

#include <QEventLoop>
#include <QTest>

#include <cmath>
#include <memory>
#include <random>

using namespace Modulo1;

namespace {

// A long run (PARSILIA_AZIONI) takes longer than Qt Test's five minutes a
// test function: a minute every thousand actions, as under the sanitizers,
// and never less than the five. Set before Qt Test reads it.
const bool tempoPerIlSoak = [] {
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
        const qint64 azioni = qEnvironmentVariableIntValue("PARSILIA_AZIONI");
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max<qint64>(300000, azioni * 60)));
    }
    return true;
}();

bool rosso(const Etichetta *e)
{
    return e->foreColor() == QColor(0xFF, 0, 0);
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

    VoceRegistra voce;
    qsizetype lettureViste = 0;
    std::unique_ptr<Ambiente> ambiente;
    std::mt19937 caso;
    quint32 seme = 20261208;
    int azioniTotali = 6000;
    int azione = 0;
    QString ultima;
    QString guasto;
    QSet<int> righeMostrate;
    int usateMostrate = 0;
    int avvii = 0;
    int esaurite = 0;
    QMap<QString, int> conteggio;
    // The modal window open when each step in progress began, outermost first.
    QList<QPointer<QWidget>> modali;

    int tra(int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso); }
    bool probabile(double p) { return std::bernoulli_distribution(p)(caso); }

    // Said at once: the run ends at the next step, whatever is open then.
    void fallisci(const QString &perche)
    {
        if (!guasto.isEmpty())
            return;
        guasto = QStringLiteral("seed %1, action %2 (%3): %4").arg(seme).arg(azione).arg(ultima, perche);
        qCritical("soak: %s", qPrintable(guasto));
    }
    void verifica(bool condizione, const char *perche)
    {
        if (!condizione)
            fallisci(QString::fromUtf8(perche));
    }

    // Real input reaches only what is on screen and not behind a modal window.
    bool raggiungibile(QWidget *w)
    {
        QWidget *modale = QApplication::activeModalWidget();
        return w->isVisible() && (!modale || w->window() == modale);
    }
    void clicca(QWidget *w, const QString &nome)
    {
        ultima = QStringLiteral("click ") + nome;
        ++conteggio[nome.section(QLatin1Char('('), 0, 0)];
        if (raggiungibile(w))
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    }

    void avviaProgramma()
    {
        ambiente.reset();
        ambiente = std::make_unique<Ambiente>();
        righeMostrate.clear();
        usateMostrate = 0;
        ++avvii;
        istanza<Iniziale>().Show();
    }

    // ---- The actions -----------------------------------------------------------

    void azioneTitolo(Iniziale *titolo)
    {
        switch (tra(0, 3)) {
        case 0:
            ultima = QStringLiteral("title timer");
            titolo->Timer1_Timer();
            break;
        case 1:
            ultima = QStringLiteral("click title background");
            QTest::mouseClick(titolo, Qt::LeftButton, {}, QPoint(5, 5));
            break;
        case 2:
            clicca(titolo->Label1, QStringLiteral("title label"));
            break;
        default:
            ridimensiona(titolo);
        }
    }

    void ridimensiona(QWidget *finestra)
    {
        static const QSize misure[] = {{0, 0}, {1, 1}, {3, 200}, {120, 90}, {640, 480}, {800, 600},
                                       {1280, 800}, {1920, 1080}, {3840, 2160}};
        // No event is processed inside an action: the steps themselves are
        // events, and one must never run in the middle of another.
        if (probabile(0.15)) {
            const bool ridotta = finestra->windowState() & Qt::WindowMinimized;
            ultima = ridotta ? QStringLiteral("restore") : QStringLiteral("minimize");
            if (ridotta)
                finestra->showMaximized();
            else
                finestra->showMinimized();
        } else {
            const QSize m = probabile(0.6) ? misure[tra(0, 8)] : QSize(tra(0, 4000), tra(0, 2500));
            ultima = QStringLiteral("resize to %1x%2").arg(m.width()).arg(m.height());
            finestra->resize(m);
        }
        ++conteggio[QStringLiteral("resize")];
    }

    void azioneEsercizio(FormB *f)
    {
        // Weighted so that runs are long: sentences complete, series end,
        // and now and then the whole bank is used up.
        const int scelta = tra(0, 999);
        if (scelta < 450) {
            const int codice = probabile(0.7) && codiceatteso >= 1 ? int(codiceatteso) : tra(1, 16);
            clicca(f->Com(codice), QStringLiteral("Com(%1)").arg(codice));
        } else if (scelta < 600) {
            // The draw's numbers come from the soak's seed, so that the
            // whole bank is shown and used up, not row 0 again and again.
            ambiente->orologio.numeri.clear();
            std::uniform_real_distribution<float> numero(0.0f, 0.9999f);
            for (int i = 0; i < 400; ++i)
                ambiente->orologio.numeri.append(numero(caso));
            const bool presentabile = raggiungibile(f->VIA) && f->isEnabled();
            clicca(f->VIA, QStringLiteral("VIA"));
            // A sentence presented is one not shown before in this run.
            if (presentabile && !f->VIA->isVisible() && f->Com(1)->isEnabled()) {
                verifica(!righeMostrate.contains(numerofrase), "a bank row shown twice");
                righeMostrate.insert(numerofrase);
            }
        } else if (scelta < 640) {
            clicca(f->Command8, QStringLiteral("mostra errori"));
        } else if (scelta < 680) {
            if (FRM_ERRORI *r = aperta<FRM_ERRORI>())
                clicca(probabile(0.5) ? static_cast<QWidget *>(r->Command1) : r->Command2,
                       QStringLiteral("review button"));
            else
                clicca(f->Command8, QStringLiteral("mostra errori"));
        } else if (scelta < 740) {
            ridimensiona(f);
        } else if (scelta < 820) {
            ultima = QStringLiteral("clock");
            ++conteggio[QStringLiteral("clock")];
            ambiente->orologio.avanza(probabile(0.1) ? 86000 : tra(0, 5000) / 1000.0);
            f->Timer1_Timer();
        } else if (scelta < 900) {
            QWidget *const qualsiasi[] = {f, f->AVVISO, f->FRASE_INTERA_A, f->Lbmostra(tra(1, 8)),
                                          f->gratifica, f->Frame5, f->Frame1, f->Lbclock, f->Label1, f->Altoparlante};
            clicca(qualsiasi[tra(0, 9)], QStringLiteral("label, background or speaker"));
        } else if (scelta < 996) {
            ultima = QStringLiteral("key");
            ++conteggio[QStringLiteral("key")];
            static const Qt::Key tasti[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space,
                                            Qt::Key_Return, Qt::Key_Escape, Qt::Key_L};
            QWidget *fuoco = QApplication::focusWidget();
            if (fuoco && raggiungibile(fuoco))
                QTest::keyClick(fuoco, tasti[tra(0, 5)]);
        } else if (scelta < 998) {
            clicca(f->FINE, QStringLiteral("FINE"));
        } else {
            ultima = QStringLiteral("close the exercise window");
            ++conteggio[QStringLiteral("close window")];
            if (raggiungibile(f))
                f->close();
        }
    }

    void azioneClassifica(classificaform *g)
    {
        switch (tra(0, 5)) {
        case 0:
        case 1:
            clicca(g->Command1, QStringLiteral("PROSEGUI"));
            break;
        case 2:
            ultima = QStringLiteral("Escape on the grade screen");
            ++conteggio[QStringLiteral("Escape")];
            QTest::keyClick(g, Qt::Key_Escape);
            break;
        case 3:
            ultima = QStringLiteral("close the grade screen");
            ++conteggio[QStringLiteral("close grade screen")];
            g->close();
            break;
        case 4:
            if (FormB *f = aperta<FormB>())
                clicca(f->Com(tra(1, 16)), QStringLiteral("blocked Com"));
            break;
        default:
            if (FormB *f = aperta<FormB>())
                ridimensiona(f);
        }
    }

    // ---- The invariants --------------------------------------------------------

    void verificaInvarianti()
    {
        verifica(errori <= risposte, "more errors than answers");
        for (const Variante *c : {&contaottimo, &contadistinto, &contabuono, &contasufficiente, &contaoccorre})
            verifica(*c >= 0 && *c <= 10, "a grade tally outside 0..10");
        if (aperta<classificaform>())
            verifica(risposte >= domandeperserie || livello == 6, "grade screen open mid-series");
        FormB *f = aperta<FormB>();
        if (!f)
            return;
        verificaRighe();
        verificaStatistiche(f);
        verificaFrase(f);
        verificaLetture(f);
    }

    // The voice reads only what the screen shows: the sentence, a phrase,
    // the instruction, a category button's name, a grade.
    void verificaLetture(FormB *f)
    {
        QStringList sulloSchermo = {f->AVVISO->caption(), f->FRASE_INTERA_A->caption().simplified(),
                                    (f->FRASE_INTERA_A->caption() + ' ' + f->FRASE_INTERA_B->caption()).simplified(),
                                    "OTTIMO", "DISTINTO", "BUONO", "SUFFICIENTE", "OCCORRE ESERCITARSI"};
        for (int j = 1; j <= 8; ++j)
            sulloSchermo << f->Lbmostra(j)->caption().trimmed();
        for (; lettureViste < voce.letture.size(); ++lettureViste)
            for (const QString &parte : voce.letture.at(lettureViste)) {
                bool categoria = false;
                for (int k = 1; k <= 16; ++k)
                    categoria = categoria || parte.startsWith(f->Com(k)->caption().simplified().toLower() + ": ");
                verifica(!parte.isEmpty() && (categoria || sulloSchermo.contains(parte)),
                         "the voice read something not on the screen");
            }
    }

    void verificaRighe()
    {
        int usate = 0;
        for (int n = 0; n <= 100; ++n)
            usate += usata(n) == 1;
        verifica(usata(100).vuota(), "row 100 drawn");
        if (usate == 100 && usateMostrate == 99)
            ++esaurite;
        if (usate != usateMostrate) {
            verifica(usate == usateMostrate + 1, "more than one row drawn by one press");
            usateMostrate = usate;
        }
    }

    void verificaStatistiche(FormB *f)
    {
        const QString r = f->Lrisposte->caption();
        const QString e = f->Lerrori->caption();
        const QString p = f->Lpercentuale->caption();
        if (r == QLatin1String("_")) {
            verifica(e == QLatin1String("_") && p == QLatin1String("_"), "statistics half shown");
            return;
        }
        const int rr = r.toInt(), ee = e.toInt();
        verifica(rr >= 1 && ee <= rr, "statistics labels inconsistent");
        verifica(p.toInt() == int(std::floor(double(ee) / double(rr) * 100.0)), "wrong percentage");
        // The labels show the state, or the last series just closed by PROSEGUI.
        verifica((rr == risposte && ee == errori) || (risposte == 0 && errori == 0),
                 "statistics labels disagree with the state");
    }

    void verificaFrase(FormB *f)
    {
        if (numerofrase.vuota())
            return;
        int rossi = 0;
        for (int j = 1; j <= 8; ++j)
            rossi += rosso(f->Lbmostra(j));
        verifica(rossi == 1, "not exactly one phrase in red");
        const int n = numerofrase;
        const bool inCorso = numerosintagma >= 1 && numerosintagma <= codici(n, 0);
        if (inCorso) {
            verifica(codiceatteso == codici(n, numerosintagma), "expected code is not the red phrase's");
            verifica(rosso(f->Lbmostra(numerosintagma)), "the red phrase is not the one asked");
            verifica(!f->VIA->isVisible(), "VIA shown in the middle of a sentence");
        } else {
            verifica(numerosintagma == codici(n, 0) + 1, "phrase cursor out of range");
            verifica(rosso(f->Lbmostra(codici(n, 0))), "the last phrase lost its red");
            for (int i = 1; i <= 16; ++i)
                verifica(!f->Com(i)->isEnabled(), "a category button enabled after the sentence");
        }
    }

    // FINE, or closing the exercise window, takes every window away at once.
    void verificaFine()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                fallisci(QStringLiteral("a window outlived FINE: ") + QString::fromUtf8(w->metaObject()->className()));
    }

    // ---- The driver ------------------------------------------------------------

    // The steps come as a pupil's input does: between the program's handlers,
    // or inside the event loop of a modal window an action opened, never
    // inside a hold, the throwing away of the input that came during it, or
    // a wait for the display. A step that falls due there waits for the action
    // around it to end.
    bool passoAmmesso() const
    {
        if (modali.isEmpty())
            return true;
        QWidget *modale = QApplication::activeModalWidget();
        return modale && modale != modali.last();
    }

    // What leaving the event loop does in the real program: every modal
    // window's loop returns, and the run goes on from the top.
    static void chiudiTutto()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<Forma *>(w))
                f->Unload();
    }

    void prossimo(QEventLoop &fine, int ms = 0)
    {
        QTimer::singleShot(ms, this, [this, &fine] { passo(fine); });
    }

    void passo(QEventLoop &fine)
    {
        // Not now: a moment later, when the action around it has moved on
        // (a hold's end, or the modal window it opens).
        if (!passoAmmesso())
            return prossimo(fine, 1);
        const bool annidato = !modali.isEmpty();
        if (!guasto.isEmpty() || toolkit::programmaTerminato() || azione >= azioniTotali) {
            if (annidato) {
                // Only the outermost step ends the run or starts the program again.
                chiudiTutto();
                return prossimo(fine, 1);
            }
            if (!guasto.isEmpty() || (azione >= azioniTotali && !QApplication::activeModalWidget())) {
                fine.quit();
                return;
            }
        }
        // The next step is queued first: an action that opens the modal grade
        // screen stands still until it closes, and the steps go on inside it.
        prossimo(fine);
        modali.append(QApplication::activeModalWidget());
        ++azione;
        if (qEnvironmentVariableIsSet("PARSILIA_TRACCIA"))
            qInfo("%d: %s", azione, qPrintable(ultima));
        if (toolkit::programmaTerminato()) {
            ultima = QStringLiteral("program started again");
            avviaProgramma();
        } else if (classificaform *g = aperta<classificaform>()) {
            azioneClassifica(g);
        } else if (Iniziale *titolo = aperta<Iniziale>()) {
            azioneTitolo(titolo);
        } else if (FormB *f = aperta<FormB>()) {
            azioneEsercizio(f);
        } else if (FRM_ERRORI *r = aperta<FRM_ERRORI>()) {
            clicca(r->Command1, QStringLiteral("CHIUDI FINESTRA"));
        } else {
            fallisci(QStringLiteral("no window left open"));
        }
        if (toolkit::programmaTerminato())
            verificaFine();
        else
            verificaInvarianti();
        modali.removeLast();
    }

private slots:
    void initTestCase()
    {
        toolkit::preparaCaratteri();
        if (qEnvironmentVariableIsSet("PARSILIA_SEME"))
            seme = qEnvironmentVariable("PARSILIA_SEME").toUInt();
        if (qEnvironmentVariableIsSet("PARSILIA_AZIONI"))
            azioniTotali = qEnvironmentVariableIntValue("PARSILIA_AZIONI");
        caso.seed(seme);
        qInfo("soak: seed %u, %d actions", seme, azioniTotali);
    }

    void azioniACaso()
    {
        avviaProgramma();
        QEventLoop fine;
        QTimer::singleShot(0, this, [this, &fine] { passo(fine); });
        fine.exec();
        ambiente.reset();
        QVERIFY2(guasto.isEmpty(), qPrintable(guasto));
        QCOMPARE(azione >= azioniTotali, true);
        QStringList riepilogo;
        for (auto it = conteggio.cbegin(); it != conteggio.cend(); ++it)
            riepilogo << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        qInfo("soak: %d actions, %d program starts, %d banks used up, %d readings; %s", azione, avvii, esaurite,
              int(voce.letture.size()), qPrintable(riepilogo.join(", ")));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"

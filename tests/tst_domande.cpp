#include "ambiente.h"

#include "content/categorie.h"
#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "services/etichetta.h"
#include "services/pulsante.h"

#include <QHelpEvent>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace Modulo1;

namespace {

// Qt hides a tip only after a delay; a test that looks at the next one
// takes the last one off at once.
void togliSuggerimento()
{
    for (QWidget *finestra : QApplication::topLevelWidgets())
        if (finestra->objectName() == QLatin1String("qtooltip_label"))
            finestra->hide();
}

// What Qt sends when the pointer rests on a control: true if a tip came up
// with the control's own text.
bool suggerisce(QWidget *controllo)
{
    togliSuggerimento();
    const QPoint dentro = controllo->rect().center();
    QHelpEvent evento(QEvent::ToolTip, dentro, controllo->mapToGlobal(dentro));
    QApplication::sendEvent(controllo, &evento);
    return QToolTip::isVisible() && QToolTip::text() == controllo->toolTip();
}

} // namespace

class TestDomande : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;
    FormB *f = nullptr;

    void presenta(int riga)
    {
        ambiente->orologio.numeri = {(riga + 0.5f) / 100.0f};
        QTest::mouseClick(f->VIA, Qt::LeftButton);
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
        togliSuggerimento();
        ambiente.reset();
        f = nullptr;
    }

    void ogniTastoHaLaDomandaDellaSuaCategoria()
    {
        QSet<QString> diverse;
        for (int k = 1; k <= 16; ++k) {
            const QString domanda = f->Com(k)->toolTip();
            QVERIFY2(!domanda.trimmed().isEmpty(), qPrintable(f->Com(k)->caption()));
            QCOMPARE(f->Com(k)->caption(), QString::fromUtf8(categoria(k).caption));
            QCOMPARE(domanda, QString::fromUtf8(categoria(k).domanda));
            QCOMPARE(f->Com(k)->accessibleDescription(), domanda);
            QVERIFY2(domanda.count(QLatin1Char('\n')) <= 1, qPrintable(domanda)); // one or two lines
            diverse.insert(domanda);
        }
        QCOMPARE(diverse.size(), 16);
        // Nothing else on the screen has one: not the phrases, not the sentence.
        int conSuggerimento = 0;
        for (QWidget *w : f->findChildren<QWidget *>())
            conSuggerimento += !w->toolTip().isEmpty();
        QCOMPARE(conSuggerimento, 16);
    }

    void nessunEsempioRispondeAUnaFraseDellaBanca()
    {
        // Each text ends with its example, "Es.: «sentence»: answer, answer."
        // (a question may come before the answer); no answer may be a phrase
        // of the bank, or the tip would name the red phrase of some sentence.
        const auto pulito = [](QString t) {
            t.remove(QRegularExpression(QStringLiteral("[.,!?]")));
            return t.trimmed().toLower();
        };
        QSet<QString> sintagmi;
        for (int n = 0; n <= 100; ++n)
            for (int j = 1; j <= codici(n, 0); ++j)
                sintagmi.insert(pulito(frasi(n, j)));
        for (int k = 1; k <= 16; ++k) {
            const QString esempio = f->Com(k)->toolTip().section(QLatin1Char('\n'), -1);
            QVERIFY2(esempio.startsWith(QStringLiteral("Es.: «")) && esempio.contains(QStringLiteral("»: ")),
                     qPrintable(esempio));
            const QString risposte = esempio.section(QStringLiteral("»: "), 1).section(QLatin1Char('?'), -1);
            for (const QString &r : risposte.split(QLatin1Char(',')))
                QVERIFY2(!sintagmi.contains(pulito(r)), qPrintable(esempio));
        }
    }

    void suggerimentoAncheTraUnaFraseELAltra()
    {
        // Before VIA and once a sentence is complete the buttons are
        // disabled, but no hold runs: a pupil may read the questions then.
        QVERIFY(!f->Com(1)->isEnabled());
        QVERIFY(suggerisce(f->Com(1)));
        presenta(12);
        for (int k : {1, 8, 16})
            QVERIFY(suggerisce(f->Com(k)));
        for (int passi = 0; numerosintagma <= codici(numerofrase, 0); ++passi) {
            QVERIFY2(passi < 8, "the drill never completed row 12");
            QTest::mouseClick(f->Com(codiceatteso), Qt::LeftButton);
        }
        QVERIFY(!f->Com(1)->isEnabled());
        QVERIFY(f->VIA->isVisible());
        for (int k : {1, 9, 16})
            QVERIFY(suggerisce(f->Com(k)));
    }

    void nessunSuggerimentoDuranteLAttesa()
    {
        presenta(0);
        // The handler is called directly, with the focus away from the
        // buttons: a real click, or the focus leaving a button, would take
        // the tip off by itself and hide what is checked here.
        f->FINE->setFocus();
        QList<bool> durante;
        ambiente->orologio.durante = [&] {
            durante << QToolTip::isVisible() << suggerisce(f->Com(codiceatteso)) << suggerisce(f->Com(16));
        };
        QVERIFY(suggerisce(f->Com(5)));
        f->com_Click(codiceatteso);                                         // right
        QVERIFY(suggerisce(f->Com(5)));
        f->FINE->setFocus();
        f->com_Click(codiceatteso % 16 + 1);                                // wrong
        QCOMPARE(durante, QList<bool>(6, false));
        // After the hold the questions are there again.
        QVERIFY(suggerisce(f->Com(codiceatteso)));
    }

    void nessunSuggerimentoSottoLaClassifica()
    {
        presenta(0);
        risposte = 19;
        bool visto = false;
        quandoModale([&](QWidget *modale) {
            // The buttons are enabled: only the grade screen keeps the tips away.
            QVERIFY(f->Com(3)->isEnabled());
            QVERIFY(!suggerisce(f->Com(3)));
            for (QWidget *w : modale->findChildren<QWidget *>())
                QVERIFY(w->toolTip().isEmpty());
            visto = true;
            QTest::mouseClick(qobject_cast<classificaform *>(modale)->Command1, Qt::LeftButton);
        });
        QTest::mouseClick(f->Com(codiceatteso), Qt::LeftButton);
        QVERIFY(visto);
        QVERIFY(suggerisce(f->Com(3)));
    }

    void laRevisioneMostraLeStesseDomande()
    {
        QTest::mouseClick(f->Command8, Qt::LeftButton);
        FRM_ERRORI &r = istanza<FRM_ERRORI>();
        for (int k = 1; k <= 16; ++k) {
            QCOMPARE(r.Lberrori(k)->toolTip(), f->Com(k)->toolTip());
            QCOMPARE(r.Lberrori(k)->accessibleDescription(), f->Com(k)->toolTip());
            QVERIFY(r.RR(k)->toolTip().isEmpty());
        }
        QVERIFY(suggerisce(r.Lberrori(7)));
    }
};

QTEST_MAIN(TestDomande)
#include "tst_domande.moc"

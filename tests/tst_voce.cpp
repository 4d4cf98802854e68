// Reading aloud (--voce): what the drill asks to be read and when, through a
// recording voice; then espeak-ng's own Italian, made for real.
#include "ambiente.h"
#include "voceregistra.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "services/audio.h"
#include "services/etichetta.h"
#include "services/pulsante.h"
#include "services/sintesiespeak.h"
#include "services/voceespeak.h"

#include <QFile>
#include <QHelpEvent>
#include <QTest>
#include <QtEndian>

using namespace Modulo1;

namespace {

void passaSopra(QWidget *controllo)
{
    const QPoint dentro = controllo->rect().center();
    QHelpEvent evento(QEvent::ToolTip, dentro, controllo->mapToGlobal(dentro));
    QApplication::sendEvent(controllo, &evento);
}

// Seconds of sound in a wave file, or -1 when it is not one.
double secondi(const QByteArray &wav)
{
    if (wav.size() < 44 || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt ")
        return -1;
    return (wav.size() - 44) / double(qFromLittleEndian<quint32>(wav.constData() + 28));
}

} // namespace

class TestVoce : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }

    void cheCosaSiLeggeEQuando()
    {
        VoceRegistra voce;
        Ambiente ambiente;
        FormB &f = istanza<FormB>();
        f.Show();
        QApplication::setActiveWindow(&f);
        const auto ultima = [&] { return voce.letture.value(voce.letture.size() - 1); };
        QTest::mouseClick(f.Altoparlante, Qt::LeftButton);
        QCOMPARE(ultima(), QStringList{"Clicca sul tasto VIA per partire"});

        ambiente.orologio.numeri = {0.015f}; // row 1, on two lines
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        const QString frase = QStringLiteral("Il leone, il re della savana, è un animale molto forte che caccia di notte.");
        QCOMPARE(ultima(), (QStringList{frase, "Il leone,"}));
        // During a hold nothing is read: not the speaker, not the key, not a tip.
        const qsizetype prima = voce.letture.size();
        ambiente.orologio.durante = [&] {
            f.Altoparlante_Click();
            QTest::keyClick(&f, Qt::Key_L);
            passaSopra(f.Com(9));
        };
        QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
        QCOMPARE(voce.letture.mid(prima), (QList<QStringList>{{"il re"}}));
        const int silenzi = voce.silenzi;
        QTest::mouseClick(f.Com(codiceatteso % 16 + 1), Qt::LeftButton); // wrong: its cue cuts the reading
        ambiente.orologio.durante = nullptr;
        QCOMPARE(voce.letture.size(), prima + 1);
        QVERIFY(voce.silenzi > silenzi);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L);
        QCOMPARE(ultima(), (QStringList{frase, "il re"}));
        // A category's name and question, when its tip shows (once) and on
        // Tab; not when the program moves the focus.
        passaSopra(f.Com(11));
        passaSopra(f.Com(11));
        QCOMPARE(voce.letture.mid(prima + 2), (QList<QStringList>{{"complemento di moto da luogo: Da dove?"}}));
        f.Com(1)->setFocus();
        QTest::keyClick(f.Com(1), Qt::Key_Tab);
        QCOMPARE(ultima(), QStringList{"complemento di denominazione: Di quale nome?"});
        QCOMPARE(voce.letture.size(), prima + 4);

        // The end of a series: the grade, then the next phrase in red; after
        // the last phrase nothing more.
        risposte = 19;
        errori = 0;
        quandoModale([&](QWidget *g) {
            QCOMPARE(ultima(), QStringList{"OTTIMO"});
            static_cast<classificaform *>(g)->Command1_Click();
        });
        QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
        QCOMPARE(ultima(), QStringList{"della savana,"});
        while (!f.VIA->isVisible())
            QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
        QCOMPARE(ultima(), QStringList{frasi(1, codici(1, 0)).trimmed()});
    }

    // Before any real voice in this suite: without --voce, not even its
    // library is loaded (on Linux; Windows links it in).
    void senzaVoceNienteCambia()
    {
        Ambiente ambiente;
        FormB &f = istanza<FormB>();
        f.Show();
        QVERIFY(!voce::attiva());
        QVERIFY(!f.Altoparlante);
        QCOMPARE(ridimschermo::numerocontrolli, short(41));
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        passaSopra(f.Com(3));
        QVERIFY(ambiente.lettore.voci.isEmpty());
        QFile mappe(QStringLiteral("/proc/self/maps"));
        if (mappe.open(QIODevice::ReadOnly))
            QVERIFY(!mappe.readAll().contains("libespeak-ng"));
    }

    // espeak-ng for real: the longest sentence the screen holds, and a
    // phrase of a teacher's odd characters, which is nothing to read.
    void sintesiVera()
    {
        QString motivo;
        SintesiEspeak *sintesi = SintesiEspeak::carica(&motivo);
        QVERIFY2(sintesi, qPrintable(motivo));
        const QString lunga = QStringLiteral("In primavera i bambini della quinta classe hanno piantato gli alberi nel giardino "
                                             "della biblioteca civica.");
        QCOMPARE(lunga.size(), 106);
        const double sola = secondi(sintesi->wav({testoParlato(lunga)}));
        QVERIFY2(sola > 5 && sola < 12, qPrintable(QString::number(sola)));
        const double conRosso = secondi(sintesi->wav({testoParlato(lunga), QStringLiteral("della biblioteca")}));
        QVERIFY2(conRosso > sola + 1.2 && conRosso < sola + 2.5, qPrintable(QString::number(conRosso)));
        QVERIFY(sintesi->wav({testoParlato(QStringLiteral("@@ ## §§ // **"))}).isEmpty());
        QVERIFY(sintesi->wav({lunga}, [] { return true; }).isEmpty());
    }

    void pronuncia_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("fonemi");
        QTest::newRow("perché") << "perché" << "perkˈe";
        QTest::newRow("perche'") << "perche'" << "perkˈe";
        QTest::newRow("c’è") << "c’è" << "tʃˈɛː";
        QTest::newRow("l’ora") << "l’ora" << "lˈora";
        QTest::newRow("È") << "È" << "ˈɛː";
        QTest::newRow("n°") << "n° 3" << "nˈumero trˈe";
        QTest::newRow("capitali") << "complemento di MOTO  DA  luogo" << "komplemˈento dɪ mˈɔto da lʊˈɔɡo";
    }
    // Read as words, nothing spelt out.
    void pronuncia()
    {
        QFETCH(QString, testo);
        QFETCH(QString, fonemi);
        SintesiEspeak *sintesi = SintesiEspeak::carica();
        QVERIFY(sintesi);
        QCOMPARE(sintesi->fonemi(testo), fonemi);
    }

    // Made off the windows' thread and handed to the player: a reading
    // replaced is never heard, nor one a cue has cut off.
    void laVoceVeraSiSostituisce()
    {
        LettoreRegistra lettore;
        VoceEspeak voce;
        Voce::imposta(&voce);
        voce.leggi({QStringLiteral("Il gatto grigio di Paolo dorme sul divano del salotto tutto il pomeriggio.")});
        voce.leggi({QStringLiteral("Ieri")});
        QVERIFY(voce.attendiInattivo());
        QTRY_COMPARE(lettore.voci.size(), 1);
        QVERIFY(qAbs(secondi(lettore.voci.constFirst()) - secondi(SintesiEspeak::carica()->wav({QStringLiteral("Ieri")}))) < 0.05);
        voce.leggi({QStringLiteral("Domenica andremo al mare con i nonni.")});
        audio::suona(QStringLiteral("esatto"));
        QVERIFY(voce.attendiInattivo());
        QTest::qWait(50);
        QCOMPARE(lettore.voci.size(), 1);
        QCOMPARE(lettore.nomi(), QStringList{"esatto"});
    }
};

QTEST_MAIN(TestVoce)
#include "tst_voce.moc"

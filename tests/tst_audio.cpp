#include "lettoreregistra.h"
#include "orologiofinto.h"

#include "services/audio.h"
#include "services/lettoresdl.h"
#include "services/toolkit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdlib>

namespace {

QByteArray intestazioneWav(quint32 datiDichiarati)
{
    QByteArray h;
    auto u32 = [&h](quint32 v) { h.append(reinterpret_cast<const char *>(&v), 4); };
    auto u16 = [&h](quint16 v) { h.append(reinterpret_cast<const char *>(&v), 2); };
    h.append("RIFF");
    u32(36 + datiDichiarati);
    h.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    h.append("data");
    u32(datiDichiarati);
    return h;
}

void scrivi(const QString &percorso, const QByteArray &contenuto)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
}

} // namespace

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void percorsoDelSuono()
    {
        LettoreRegistra lettore;
        audio::suona(QStringLiteral("conga"));
        QCOMPARE(lettore.richieste,
                 QStringList{QCoreApplication::applicationDirPath() + "/suoni/conga.wav"});
        // The cue name is used as given: no trimming, no change of case.
        audio::suona(QStringLiteral("Premivia "));
        QCOMPARE(lettore.richieste.last(),
                 QCoreApplication::applicationDirPath() + "/suoni/Premivia .wav");
    }

    void suonacasualeSceglieFraLeCinqueVarianti_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<QString>("file");
        QTest::newRow("0") << 0.0f << "esatto";
        QTest::newRow("0.19999") << 0.19999f << "esatto";
        QTest::newRow("0.2") << 0.2f << "esatto2";
        QTest::newRow("0.5") << 0.5f << "esatto3";
        QTest::newRow("0.7") << 0.7f << "esatto4";
        QTest::newRow("0.8") << 0.8f << "esatto5";
        QTest::newRow("massimo") << 0.99999994f << "esatto5";
    }
    void suonacasualeSceglieFraLeCinqueVarianti()
    {
        QFETCH(float, r);
        QFETCH(QString, file);
        OrologioFinto orologio;
        LettoreRegistra lettore;
        orologio.numeri = {r};
        audio::suonacasuale(QStringLiteral("esatto"));
        QCOMPARE(lettore.nomi(), QStringList{file});
        QCOMPARE(orologio.semine, 1);
    }

    void suonacasualeRaggiungeTutteLeVarianti()
    {
        LettoreRegistra lettore;
        for (int i = 0; i < 500; ++i)
            audio::suonacasuale(QStringLiteral("esatto"));
        QStringList uditi = lettore.nomi();
        uditi.removeDuplicates();
        uditi.sort();
        QCOMPARE(uditi, (QStringList{"esatto", "esatto2", "esatto3", "esatto4", "esatto5"}));
    }

    void suonacasualeConAltriNomi_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::newRow("maiuscola") << "Esatto";
        QTest::newRow("tutto maiuscolo") << "ESATTO";
        QTest::newRow("vuoto") << "";
        QTest::newRow("conga") << "conga";
        QTest::newRow("con uno spazio") << "esatto ";
    }
    void suonacasualeConAltriNomi()
    {
        QFETCH(QString, nome);
        LettoreRegistra lettore;
        audio::suonacasuale(nome);
        QCOMPARE(lettore.nomi(), QStringList{"congafine"});
    }

    void suoniGenerati()
    {
        const QStringList nomi = {"conga",   "congafine", "esatto",   "esatto2",   "esatto3",
                                  "esatto4", "esatto5",   "premivia", "rumorevia", "sbagliato1"};
        QByteArrayList contenuti;
        for (const QString &nome : nomi) {
            QFile f(audio::percorsoSuono(nome));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            const QByteArray wav = f.readAll();
            QCOMPARE(wav.left(4), QByteArray("RIFF"));
            QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
            QVERIFY(wav.size() > 44);
            const quint16 bit = qFromLittleEndian<quint16>(wav.mid(34, 2).constData());
            const quint32 byteAlSecondo = qFromLittleEndian<quint32>(wav.mid(28, 4).constData());
            const quint32 dati = qFromLittleEndian<quint32>(wav.mid(40, 4).constData());
            QCOMPARE(bit, quint16(16));
            QCOMPARE(qsizetype(dati) + 44, wav.size());
            QVERIFY2(double(dati) / byteAlSecondo < 2.0, qPrintable(nome));
            QVERIFY(!contenuti.contains(wav));
            contenuti.append(wav);
        }
    }

    // The sound library is loaded by the first cue, not at start-up, where
    // it would keep the title screen waiting. (The first test of this file
    // to use the real player.)
    void libreriaCaricataAlPrimoSuono()
    {
        const auto caricata = [] {
            QFile mappe(QStringLiteral("/proc/self/maps"));
            return mappe.open(QIODevice::ReadOnly) && mappe.readAll().contains("libSDL2_mixer");
        };
        QVERIFY(!caricata());
        LettoreSdl lettore;
        QVERIFY(!caricata());
        lettore.riproduci(audio::percorsoSuono(QStringLiteral("conga")));
        QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
        QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::Riprodotto);
        QVERIFY(caricata());
    }

    // The real player, on SDL's dummy driver: every kind of bad file is
    // refused quietly, a good one plays, and nothing ever hangs.
    void lettoreRealeConFileGuasti()
    {
        QTemporaryDir cartella;
        const QString buono = audio::percorsoSuono(QStringLiteral("esatto"));
        const QString troncato = cartella.filePath("troncato.wav");
        const QString nonWav = cartella.filePath("testo.wav");
        const QString datiEccessivi = cartella.filePath("eccessivo.wav");
        const QString vuoto = cartella.filePath("vuoto.wav");
        QFile origine(buono);
        QVERIFY(origine.open(QIODevice::ReadOnly));
        scrivi(troncato, origine.readAll().left(30));
        scrivi(nonWav, "non sono un suono, sono un testo\n");
        scrivi(datiEccessivi, intestazioneWav(100000000) + QByteArray(2000, '\x10'));
        scrivi(vuoto, QByteArray());

        QElapsedTimer cronometro;
        cronometro.start();
        {
            LettoreSdl lettore;
            lettore.riproduci(buono);
            QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
            QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::Riprodotto);
            for (const QString &guasto : {troncato, nonWav, vuoto, cartella.filePath("manca.wav")}) {
                lettore.riproduci(guasto);
                QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
                QVERIFY2(lettore.ultimoEsito() == LettoreSdl::Esito::FileNonValido,
                         qPrintable(guasto));
            }
            // A header that promises more data than the file holds: refused or
            // cut short, but never a hang or a crash.
            lettore.riproduci(datiEccessivi);
            QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
            QVERIFY(lettore.ultimoEsito() != LettoreSdl::Esito::Nessuno);
            // The last request wins: many at once, then the player closes.
            for (int i = 0; i < 50; ++i)
                lettore.riproduci(i % 2 ? buono : nonWav);
        }
        QVERIFY(cronometro.elapsed() < 10000);
    }

    void dispositivoChiusoNelSilenzio()
    {
        // Open only while cues come: closed after a quiet spell, open again
        // at the next cue (here the quiet spell is a fraction of a second).
        LettoreSdl lettore(std::chrono::milliseconds(100));
        QVERIFY(!lettore.dispositivoAperto());
        lettore.riproduci(audio::percorsoSuono(QStringLiteral("sbagliato1")));
        QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
        QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::Riprodotto);
        QVERIFY(lettore.dispositivoAperto());
        QTRY_VERIFY_WITH_TIMEOUT(!lettore.dispositivoAperto(), 5000);
        lettore.riproduci(audio::percorsoSuono(QStringLiteral("premivia")));
        QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
        QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::Riprodotto);
        QVERIFY(lettore.dispositivoAperto());
    }

    void lettoreRealeSenzaDispositivo()
    {
        const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "nessuno");
        {
            LettoreSdl lettore;
            QElapsedTimer cronometro;
            cronometro.start();
            lettore.riproduci(audio::percorsoSuono(QStringLiteral("conga")));
            QVERIFY(cronometro.elapsed() < 100);
            QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
            QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::NessunDispositivo);
            lettore.riproduci(audio::percorsoSuono(QStringLiteral("conga")));
            QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
            QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::NessunDispositivo);
        }
        qputenv("SDL_AUDIODRIVER", driver);
    }
};

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"

#include "services/audio.h"
#include "services/lettoresdl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The player of Linux, on SDL2_mixer (the tests run on SDL's dummy driver).
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

class TestLettoreSdl : public QObject
{
    Q_OBJECT

private slots:
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
            // The voice's readings, from memory, on the same channel.
            QFile buonoInMemoria(buono);
            QVERIFY(buonoInMemoria.open(QIODevice::ReadOnly));
            for (const QByteArray &voce : {buonoInMemoria.readAll(), QByteArray("non sono un suono")}) {
                lettore.riproduciWav(voce);
                QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
                QCOMPARE(lettore.ultimoEsito(), voce.startsWith("RIFF") ? LettoreSdl::Esito::Riprodotto
                                                                        : LettoreSdl::Esito::FileNonValido);
            }
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
            // A pupil who asked for the voice is told why there is none, once.
            QVERIFY(QApplication::topLevelWidgets().isEmpty());
            for (int i = 0; i < 2; ++i) {
                lettore.riproduciWav(QByteArray("RIFF"));
                QVERIFY2(lettore.attendiInattivo(), "the player still at work after 20 s");
                QCOMPARE(lettore.ultimoEsito(), LettoreSdl::Esito::NessunDispositivo);
            }
            QTRY_COMPARE(QApplication::topLevelWidgets().size(), 1);
            QTest::qWait(20);
            const auto *avviso = qobject_cast<QMessageBox *>(QApplication::topLevelWidgets().constFirst());
            QVERIFY(avviso && avviso->isVisible() && !avviso->isModal());
            QVERIFY2(avviso->text().contains(QStringLiteral("dispositivo audio")), qPrintable(avviso->text()));
            QCOMPARE(QApplication::topLevelWidgets().size(), 1);
        }
        qputenv("SDL_AUDIODRIVER", driver);
    }
};

QTEST_MAIN(TestLettoreSdl)
#include "tst_lettoresdl.moc"

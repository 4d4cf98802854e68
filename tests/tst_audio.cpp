#include "lettoreregistra.h"
#include "orologiofinto.h"

#include "services/audio.h"
#include "services/toolkit.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void percorsoDelSuono()
    {
        LettoreRegistra lettore;
        audio::suona(QStringLiteral("conga"));
        // The platform's own separators throughout: winmm takes a path as
        // Windows writes it.
        QCOMPARE(lettore.richieste,
                 QStringList{QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/suoni/conga.wav")});
        // The cue name is used as given: no trimming, no change of case.
        audio::suona(QStringLiteral("Premivia "));
        QCOMPARE(lettore.richieste.last(),
                 QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/suoni/Premivia .wav"));
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
};

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"

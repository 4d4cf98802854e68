#include "content/banca.h"
#include "content/categorie.h"
#include "content/verificabanca.h"
#include "exercise/modulo1.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Modulo1;

namespace {

struct Riga
{
    int n;
    QString a, b;
    QList<QPair<QString, int>> sintagmi;
};

// The three rows every bank starts from, blank for blank.
const QList<Riga> righeEsemplari = {
    {0, "Il gatto che è qui, in questo appartamento, è un cacciatore molto bravo.", " ",
     {{"Il gatto   ", 1}, {"che ", 1}, {"è  ", 2}, {"qui, ", 16}, {"in appartamento ", 9},
      {"questo, ", 5}, {"è un cacciatore ", 3}, {"molto bravo.  ", 5}}},
    {5, "Gli alpinisti, che erano stati sorpresi dalla tormenta, avevano trovato rifugio   ",
     "in una caverna.   ",
     {{"Gli alpinisti,   ", 1}, {"che", 1}, {"erano stati sorpresi  ", 2}, {"dalla tormenta,  ", 16},
      {"avevano trovato   ", 2}, {"rifugio   ", 4}, {"in una caverna.  ", 9}, {" ", 0}}},
    {12, "Per paura delle fiamme molti si  erano gettati dalle finestre.   ", " ",
     {{"Per paura   ", 16}, {"delle fiamme  ", 7}, {"molti  ", 1}, {"si erano gettati  ", 2},
      {"dalle finestre.   ", 11}, {" ", 0}, {"", 0}, {" ", 0}}},
};

QByteArray bancaDistribuita()
{
    QFile f(QStringLiteral(PARSILIA_FRASI));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The shipped bank with one change made by the test.
QByteArray bancaModificata(const std::function<void(QJsonArray &)> &modifica)
{
    QJsonArray righe = QJsonDocument::fromJson(bancaDistribuita()).array();
    modifica(righe);
    return QJsonDocument(righe).toJson();
}

void cambiaSintagma(QJsonArray &righe, int n, int slot, const QJsonValue &testo, const QJsonValue &codice)
{
    QJsonObject riga = righe[n].toObject();
    QJsonArray sintagmi = riga["sintagmi"].toArray();
    sintagmi[slot - 1] = QJsonArray{testo, codice};
    riga["sintagmi"] = sintagmi;
    righe[n] = riga;
}

} // namespace

class TestContenuti : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        azzera();
        caricafrasi();
    }

    void righeEsemplariCaricateEsatte()
    {
        for (const Riga &r : righeEsemplari) {
            QCOMPARE(fraseinteraa(r.n), r.a);
            QCOMPARE(fraseinterab(r.n), r.b);
            int frasiPiene = 0;
            for (int j = 1; j <= 8; ++j) {
                QCOMPARE(frasi(r.n, j), r.sintagmi[j - 1].first);
                QCOMPARE(int(codici(r.n, j)), r.sintagmi[j - 1].second);
                frasiPiene += r.sintagmi[j - 1].second != 0;
            }
            QCOMPARE(int(codici(r.n, 0)), frasiPiene);
        }
    }

    void ogniRigaCaricataPerIntero()
    {
        for (int n = 0; n <= 100; ++n) {
            const int conteggio = codici(n, 0);
            QVERIFY2(conteggio >= 5 && conteggio <= 8, qPrintable(QString::number(n)));
            QVERIFY(!fraseinteraa(n).isEmpty() && !fraseinterab(n).isEmpty());
            for (int j = 1; j <= 8; ++j) {
                QVERIFY(!codici(n, j).vuota());
                QCOMPARE(codici(n, j) != 0, j <= conteggio);
                if (j <= conteggio)
                    QVERIFY(codici(n, j) >= 1 && codici(n, j) <= 16 && !frasi(n, j).trimmed().isEmpty());
            }
            // Room beyond the eight slots is never filled.
            QVERIFY(codici(n, 9).vuota() && frasi(n, 22).isNull());
        }
    }

    void bancaDistribuitaRispettaLeRegole()
    {
        QCOMPARE(verificaBanca(bancaDistribuita()), QStringList());
        // Every category comes up often, so a pupil meets each many times.
        QMap<int, int> perCategoria;
        for (int n = 0; n <= 100; ++n)
            for (int j = 1; j <= codici(n, 0); ++j)
                ++perCategoria[codici(n, j)];
        for (int c = 1; c <= 16; ++c)
            QVERIFY2(perCategoria[c] >= 10, qPrintable(QStringLiteral("category %1: %2").arg(c).arg(perCategoria[c])));
    }

    void verificaRifiutaUnaBancaGuasta_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("a gap between phrases") << bancaModificata([](QJsonArray &r) {
            cambiaSintagma(r, 3, 2, " ", 0);
        }) << "row 3, slot 3: phrase after a free slot";
        QTest::newRow("code 17") << bancaModificata([](QJsonArray &r) {
            cambiaSintagma(r, 40, 4, "nel bosco  ", 17);
        }) << "row 40, slot 4: code 17 is not one of 0..16";
        QTest::newRow("a 29-character phrase") << bancaModificata([](QJsonArray &r) {
            cambiaSintagma(r, 7, 1, QString(29, QLatin1Char('a')), 1);
        }) << "row 7, slot 1: \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaa\" has 29 characters, at most 28";
        QTest::newRow("100 rows") << bancaModificata([](QJsonArray &r) { r.removeLast(); })
                                  << "100 rows, the bank must have exactly 101";
        QTest::newRow("a sentence twice") << bancaModificata([](QJsonArray &r) { r[60] = r[59]; })
                                          << "row 60: the same sentence as an earlier row";
        QTest::newRow("no predicate") << bancaModificata([](QJsonArray &r) {
            QJsonObject riga = r[12].toObject();
            riga["sintagmi"] = QJsonArray{QJsonArray{"Per paura   ", 16}, QJsonArray{"delle fiamme  ", 7},
                                          QJsonArray{"molti  ", 1}, QJsonArray{"si erano  ", 16},
                                          QJsonArray{"dalle finestre.   ", 11}, QJsonArray{" ", 0},
                                          QJsonArray{"", 0}, QJsonArray{" ", 0}};
            r[12] = riga;
        }) << "row 12: no predicate (code 2 or 3)";
        QTest::newRow("line A too long") << bancaModificata([](QJsonArray &r) {
            QJsonObject riga = r[1].toObject();
            riga["fraseinteraa"] = QString(87, QLatin1Char('x'));
            r[1] = riga;
        }) << "row 1: line A has 87 characters, at most 86";
        QTest::newRow("seven slots") << bancaModificata([](QJsonArray &r) {
            QJsonObject riga = r[2].toObject();
            QJsonArray s = riga["sintagmi"].toArray();
            s.removeLast();
            riga["sintagmi"] = s;
            r[2] = riga;
        }) << "row 2: sintagmi must be an array of exactly 8 pairs";
        QTest::newRow("four phrases") << bancaModificata([](QJsonArray &r) {
            cambiaSintagma(r, 12, 5, " ", 0);
        }) << "row 12: 4 phrases, must be 5 to 8";
        QTest::newRow("leading blank") << bancaModificata([](QJsonArray &r) {
            cambiaSintagma(r, 0, 2, " che", 1);
        }) << "row 0, slot 2: \" che\" starts with a blank";
        QTest::newRow("not JSON") << QByteArray("[{") << "not valid JSON";
    }
    void verificaRifiutaUnaBancaGuasta()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, messaggio);
        const QStringList errori = verificaBanca(json);
        QVERIFY(!errori.isEmpty());
        QVERIFY2(errori.first().startsWith(messaggio), qPrintable(errori.join('\n')));
    }

    void categorie()
    {
        QCOMPARE(QString::fromUtf8(categoria(11).caption), QStringLiteral("complemento di MOTO  DA  luogo"));
        QCOMPARE(QString::fromUtf8(categoria(12).caption), QStringLiteral("complemento di MOTO PER  luogo"));
        for (int c = 1; c <= 16; ++c) {
            QCOMPARE(int(categoria(c).codice), c);
            QCOMPARE(categoria(c).riga, (c - 1) / 4 + 1);
            QCOMPARE(categoria(c).colonna, (c - 1) % 4 + 1);
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, categoria(17));
    }

    void interoVuoto()
    {
        Variante v;
        QVERIFY(v.vuota());
        QVERIFY(v == 0);
        QCOMPARE(v.testo(), QString());
        v = v + 1;
        QCOMPARE(int(v), 1);
        QCOMPARE(v.testo(), QStringLiteral("1"));
        Variante zero = 0;
        QCOMPARE(zero.testo(), QStringLiteral("0"));
        QVERIFY(!zero.vuota());
        // A counter stops at the end of its range instead of ending the program.
        Variante pieno = 32767;
        pieno = pieno + 1;
        QCOMPARE(int(pieno), 32767);
        Variante basso = -32768;
        basso = basso - 1;
        QCOMPARE(int(basso), -32768);
    }

    void statoIniziale()
    {
        // A fresh run has counted nothing, and shows nothing (not "0") where
        // a count will be: the review's column before any error. The first
        // of anything counts 1.
        azzera();
        QCOMPARE(erroricategoria(16).testo(), QString());
        QCOMPARE(contaottimo.testo(), QString());
        risposte = risposte + 1;
        erroricategoria(7) = erroricategoria(7) + 1;
        QCOMPARE(risposte.testo(), QStringLiteral("1"));
        QCOMPARE(erroricategoria(7).testo(), QStringLiteral("1"));
        QVERIFY(!orologioattivo);
        // No row counts as shown, and no sentence is there before the bank is read.
        QVERIFY(usata(0) == 0 && usata(100) == 0);
        QVERIFY(frasi(0, 1).isNull());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, erroricategoria(21));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, codici(101, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, frasi(0, 23));
        QCOMPARE(int(erroricategoria(20)), 0);
    }
};

QTEST_GUILESS_MAIN(TestContenuti)
#include "tst_contenuti.moc"

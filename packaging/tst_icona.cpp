#include "icona.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray svg(const char *corpo, const char *vista = "0 0 100 100")
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"") + vista + "\">\n" + corpo
           + "\n</svg>\n";
}

// The colour at a point given in the drawing's own units.
QRgb colore(const QImage &immagine, double x, double y, double vista = 256)
{
    const double scala = immagine.width() / vista;
    return immagine.pixel(int(x * scala), int(y * scala));
}

} // namespace

class TestIcona : public QObject
{
    Q_OBJECT

private slots:
    // The project's own icon, at every size the build paints: a rounded
    // green square with transparent corners, the red phrase and the four
    // category buttons in their colours.
    void iconaDelProgetto_data()
    {
        QTest::addColumn<int>("lato");
        for (int lato : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", lato, lato) << lato;
    }

    void iconaDelProgetto()
    {
        QFETCH(int, lato);
        QFile file(QStringLiteral(PARSILIA_ICONA));
        QVERIFY(file.open(QIODevice::ReadOnly));
        icona::Disegno disegno;
        QString errore;
        QVERIFY2(icona::leggi(file.readAll(), disegno, errore), qPrintable(errore));

        const QImage immagine = icona::dipingi(disegno, lato);
        QCOMPARE(immagine.size(), QSize(lato, lato));
        QCOMPARE(qAlpha(immagine.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(immagine.pixel(lato - 1, lato - 1)), 0);
        QCOMPARE(colore(immagine, 24, 128), qRgb(0x91, 0xC6, 0x91));
        QCOMPARE(colore(immagine, 128, 56), qRgb(0xFF, 0x00, 0x00));
        QCOMPARE(colore(immagine, 80, 116), qRgb(0xFF, 0xFF, 0xFF));
        QCOMPARE(colore(immagine, 176, 116), qRgb(0xFF, 0xFF, 0x00));
        QCOMPARE(colore(immagine, 80, 188), qRgb(0xFF, 0xC0, 0xC0));
        QCOMPARE(colore(immagine, 176, 188), qRgb(0x80, 0xFF, 0xFF));
    }

    // Whatever the painter would not draw as a browser does is refused, by
    // line, so that the PNGs never quietly part from the SVG.
    void rifiuti_data()
    {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QString>("motivo");
        const char *quadrato = "<rect x=\"10\" y=\"10\" width=\"80\" height=\"80\" fill=\"#91C691\"/>";
        QTest::newRow("cerchio") << svg("<circle cx=\"5\" cy=\"5\" r=\"3\"/>") << "line 2: element <circle> is not handled";
        QTest::newRow("gruppo") << svg("<g>\n<rect width=\"5\" height=\"5\"/></g>") << "line 2: element <g> is not handled";
        QTest::newRow("testo") << svg("<text x=\"1\" y=\"9\">P</text>") << "element <text> is not handled";
        QTest::newRow("trasformazione")
            << svg("<rect width=\"5\" height=\"5\" transform=\"rotate(45)\"/>") << "attribute transform is not handled";
        QTest::newRow("opacità") << svg("<rect width=\"5\" height=\"5\" opacity=\"0.5\"/>") << "attribute opacity";
        QTest::newRow("vista rettangolare") << svg(quadrato, "0 0 100 50") << "square viewBox";
        QTest::newRow("senza vista") << QByteArray("<svg><rect width=\"5\" height=\"5\"/></svg>") << "square viewBox";
        QTest::newRow("colore per nome") << svg("<rect width=\"5\" height=\"5\" fill=\"red\"/>") << "fill=\"red\" is not a #RRGGBB colour";
        QTest::newRow("colore guasto") << svg("<rect width=\"5\" height=\"5\" stroke=\"#GG0000\"/>") << "stroke=\"#GG0000\"";
        QTest::newRow("unità") << svg("<rect width=\"5mm\" height=\"5\"/>") << "width=\"5mm\" is not a plain";
        QTest::newRow("negativo") << svg("<rect width=\"5\" height=\"-5\"/>") << "height=\"-5\"";
        QTest::newRow("senza lato") << svg("<rect width=\"5\"/>") << "needs a width and a height";
        QTest::newRow("vuoto") << svg("") << "no svg element with rectangles";
        QTest::newRow("altra radice") << QByteArray("<html/>") << "element <html> is not handled";
        QTest::newRow("troncato") << QByteArray("<svg viewBox=\"0 0 10 10\">\n<rect width=\"5\"") << "line 2:";
    }

    void rifiuti()
    {
        QFETCH(QByteArray, testo);
        QFETCH(QString, motivo);
        icona::Disegno disegno;
        QString errore;
        QVERIFY(!icona::leggi(testo, disegno, errore));
        QVERIFY2(errore.contains(motivo), qPrintable(errore));
    }

    // SVG's defaults: black fill, no outline, fill="none" leaves the inside
    // empty, one corner radius stands for both and none passes half a side.
    void comeSvg_data()
    {
        QTest::addColumn<QByteArray>("rect");
        QTest::addColumn<QRgb>("centro");
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("ry");
        QTest::newRow("riempimento nero") << QByteArray("<rect x=\"10\" y=\"10\" width=\"80\" height=\"80\"/>")
                                           << qRgb(0, 0, 0) << 0.0 << 0.0;
        QTest::newRow("vuoto dentro")
            << QByteArray("<rect x=\"10\" y=\"10\" width=\"80\" height=\"80\" fill=\"none\" stroke=\"#FF0000\"/>")
            << qRgba(0, 0, 0, 0) << 0.0 << 0.0;
        QTest::newRow("solo rx") << QByteArray("<rect width=\"80\" height=\"80\" rx=\"12\" fill=\"#FFFF00\"/>")
                                 << qRgb(0xFF, 0xFF, 0) << 12.0 << 12.0;
        QTest::newRow("solo ry") << QByteArray("<rect width=\"80\" height=\"80\" ry=\"7\" fill=\"#FFFF00\"/>")
                                 << qRgb(0xFF, 0xFF, 0) << 7.0 << 7.0;
        QTest::newRow("raggio troppo grande")
            << QByteArray("<rect x=\"10\" y=\"10\" width=\"80\" height=\"40\" rx=\"60\" fill=\"#80FFFF\"/>")
            << qRgb(0x80, 0xFF, 0xFF) << 40.0 << 20.0;
    }

    void comeSvg()
    {
        QFETCH(QByteArray, rect);
        QFETCH(QRgb, centro);
        QFETCH(double, rx);
        QFETCH(double, ry);
        icona::Disegno disegno;
        QString errore;
        QVERIFY2(icona::leggi(svg(rect.constData()), disegno, errore), qPrintable(errore));
        QCOMPARE(disegno.rettangoli.size(), size_t(1));
        QCOMPARE(disegno.rettangoli[0].rx, rx);
        QCOMPARE(disegno.rettangoli[0].ry, ry);
        const QImage immagine = icona::dipingi(disegno, 100);
        QCOMPARE(colore(immagine, 30, 30, 100), centro);
    }

    // A viewBox that does not start at the origin is moved, not cut.
    void vistaSpostata()
    {
        icona::Disegno disegno;
        QString errore;
        QVERIFY(icona::leggi(svg("<rect x=\"100\" y=\"100\" width=\"50\" height=\"50\" fill=\"#FF0000\"/>",
                                 "100 100 100 100"),
                             disegno, errore));
        const QImage immagine = icona::dipingi(disegno, 64);
        QCOMPARE(immagine.pixel(8, 8), qRgb(0xFF, 0, 0));
        QCOMPARE(qAlpha(immagine.pixel(48, 48)), 0);
    }
};

QTEST_APPLESS_MAIN(TestIcona)
#include "tst_icona.moc"

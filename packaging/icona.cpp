#include "icona.h"

#include <QPainter>
#include <QPen>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>

namespace icona {

namespace {

bool numero(const QXmlStreamAttributes &a, const char *nome, double &valore, QString &errore)
{
    if (!a.hasAttribute(QLatin1String(nome)))
        return true;
    bool ok = false;
    valore = a.value(QLatin1String(nome)).toDouble(&ok);
    if (!ok || valore < 0)
        errore = QStringLiteral("%1=\"%2\" is not a plain non-negative number")
                     .arg(QLatin1String(nome), a.value(QLatin1String(nome)));
    return ok && valore >= 0;
}

bool colore(const QXmlStreamAttributes &a, const char *nome, QColor &valore, QString &errore)
{
    if (!a.hasAttribute(QLatin1String(nome)))
        return true;
    const QString testo = a.value(QLatin1String(nome)).toString();
    if (testo == QLatin1String("none")) {
        valore = QColor();
        return true;
    }
    valore = QColor(testo);
    if (!testo.startsWith(QLatin1Char('#')) || !valore.isValid()) {
        errore = QStringLiteral("%1=\"%2\" is not a #RRGGBB colour").arg(QLatin1String(nome), testo);
        return false;
    }
    return true;
}

bool soloAttributi(const QXmlStreamAttributes &a, const QSet<QString> &ammessi, QString &errore)
{
    for (const QXmlStreamAttribute &x : a) {
        if (!ammessi.contains(x.qualifiedName().toString())) {
            errore = QStringLiteral("attribute %1 is not handled").arg(x.qualifiedName());
            return false;
        }
    }
    return true;
}

bool leggiSvg(const QXmlStreamAttributes &a, Disegno &disegno, QString &errore)
{
    if (!soloAttributi(a, {QStringLiteral("width"), QStringLiteral("height"), QStringLiteral("viewBox"),
                           QStringLiteral("version")},
                       errore))
        return false;
    const QStringList v = a.value(QLatin1String("viewBox")).toString().simplified().split(QLatin1Char(' '));
    bool ok = v.size() == 4;
    double n[4] = {};
    for (int i = 0; ok && i < 4; ++i)
        n[i] = v[i].toDouble(&ok);
    if (!ok || n[2] <= 0 || n[2] != n[3]) {
        errore = QStringLiteral("the svg element needs a square viewBox");
        return false;
    }
    disegno.vista = QRectF(n[0], n[1], n[2], n[3]);
    return true;
}

bool leggiRect(const QXmlStreamAttributes &a, Disegno &disegno, QString &errore)
{
    if (!soloAttributi(a, {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("width"),
                           QStringLiteral("height"), QStringLiteral("rx"), QStringLiteral("ry"),
                           QStringLiteral("fill"), QStringLiteral("stroke"), QStringLiteral("stroke-width")},
                       errore))
        return false;
    double x = 0, y = 0, w = 0, h = 0;
    double rx = -1, ry = -1;
    Rettangolo r;
    r.riempimento = Qt::black;     // SVG's own defaults: black fill, no outline
    if (!numero(a, "x", x, errore) || !numero(a, "y", y, errore) || !numero(a, "width", w, errore)
        || !numero(a, "height", h, errore) || !numero(a, "rx", rx, errore) || !numero(a, "ry", ry, errore)
        || !numero(a, "stroke-width", r.spessore, errore) || !colore(a, "fill", r.riempimento, errore)
        || !colore(a, "stroke", r.tratto, errore))
        return false;
    if (w <= 0 || h <= 0) {
        errore = QStringLiteral("a rect needs a width and a height");
        return false;
    }
    // One radius given stands for both; neither may pass half the side.
    if (rx < 0)
        rx = std::max(ry, 0.0);
    if (ry < 0)
        ry = rx;
    r.area = QRectF(x, y, w, h);
    r.rx = std::min(rx, w / 2);
    r.ry = std::min(ry, h / 2);
    disegno.rettangoli.push_back(r);
    return true;
}

} // namespace

bool leggi(const QByteArray &svg, Disegno &disegno, QString &errore)
{
    disegno = Disegno();
    QXmlStreamReader xml(svg);
    int profondita = 0;
    bool radice = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement())
            --profondita;
        if (!xml.isStartElement())
            continue;
        ++profondita;
        const QString nome = xml.name().toString();
        bool ok = false;
        if (profondita == 1 && nome == QLatin1String("svg")) {
            radice = true;
            ok = leggiSvg(xml.attributes(), disegno, errore);
        } else if (profondita == 2 && nome == QLatin1String("rect")) {
            ok = leggiRect(xml.attributes(), disegno, errore);
        } else if (profondita == 2 && (nome == QLatin1String("title") || nome == QLatin1String("desc"))) {
            xml.skipCurrentElement();
            --profondita;
            ok = true;
        } else {
            errore = QStringLiteral("element <%1> is not handled").arg(nome);
        }
        if (!ok) {
            errore = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(errore);
            return false;
        }
    }
    if (xml.hasError()) {
        errore = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    if (!radice || disegno.rettangoli.empty()) {
        errore = QStringLiteral("no svg element with rectangles in it");
        return false;
    }
    return true;
}

QImage dipingi(const Disegno &disegno, int lato)
{
    QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lato / disegno.vista.width(), lato / disegno.vista.height());
    p.translate(-disegno.vista.topLeft());
    for (const Rettangolo &r : disegno.rettangoli) {
        p.setBrush(r.riempimento.isValid() ? QBrush(r.riempimento) : QBrush(Qt::NoBrush));
        // As in SVG, the outline is centred on the edge.
        if (r.tratto.isValid() && r.spessore > 0)
            p.setPen(QPen(r.tratto, r.spessore, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        else
            p.setPen(Qt::NoPen);
        p.drawRoundedRect(r.area, r.rx, r.ry, Qt::AbsoluteSize);
    }
    return immagine;
}

} // namespace icona

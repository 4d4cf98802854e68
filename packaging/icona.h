#pragma once

// The icon is drawn once, as an SVG made of rectangles only; the build paints
// its PNG sizes from that same file, with QPainter, so the two cannot drift.
// Anything in the SVG outside that small subset is refused by name rather
// than left out of the PNGs.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

namespace icona {

struct Rettangolo {
    QRectF area;
    double rx = 0;
    double ry = 0;
    QColor riempimento;            // invalid: not filled
    QColor tratto;                 // invalid: no outline
    double spessore = 1;
};

struct Disegno {
    QRectF vista;                  // the viewBox, always square
    std::vector<Rettangolo> rettangoli;
};

// Reads the SVG text. On a fault returns false, with the line and the reason.
bool leggi(const QByteArray &svg, Disegno &disegno, QString &errore);

// The drawing painted on a transparent lato x lato image.
QImage dipingi(const Disegno &disegno, int lato);

} // namespace icona

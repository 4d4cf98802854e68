#pragma once

#include <QRgb>
#include <QString>
#include <Qt>

class Cornice;
class Etichetta;
class Figura;
class Pulsante;
class QWidget;

// Design values of a control, as the layout tables of the screens give them:
// position and size in twips relative to the container, font in points,
// colours as 0xRRGGBB (or predefinito for the platform's own colour).
namespace disegno {

constexpr long long predefinito = -1;

struct Geometria
{
    double left, top, width, height;
};

struct Carattere
{
    const char *famiglia;
    double punti;
    int peso; // 400 normal, 700 bold, 900 black
    bool corsivo = false;
};

enum Stile : unsigned {
    Trasparente = 0,
    Opaca = 1,
    AutoSize = 2,
    Centrata = 4,
    ADestra = 8,
};

Etichetta *etichetta(QWidget *contenitore, const QString &caption, long long back,
                     long long fore, Geometria g, Carattere c, unsigned stile);
Pulsante *pulsante(QWidget *contenitore, const QString &caption, long long back, Geometria g,
                   Carattere c);
Cornice *cornice(QWidget *contenitore, const QString &caption, long long back, long long fore,
                 Geometria g, Carattere c);

} // namespace disegno

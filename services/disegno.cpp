#include "disegno.h"

#include "cornice.h"
#include "etichetta.h"
#include "pulsante.h"
#include "toolkit.h"

namespace disegno {

namespace {

QFont font(Carattere c)
{
    return toolkit::carattere(QString::fromUtf8(c.famiglia), c.punti, c.peso, c.corsivo);
}

} // namespace

Etichetta *etichetta(QWidget *contenitore, const QString &caption, long long back,
                     long long fore, Geometria g, Carattere c, unsigned stile)
{
    auto *e = new Etichetta(contenitore);
    e->setFont(font(c));
    if (back != predefinito)
        e->setBackColor(QColor::fromRgb(QRgb(back)));
    if (fore != predefinito)
        e->setForeColor(QColor::fromRgb(QRgb(fore)));
    e->setOpaca(stile & Opaca);
    if (stile & Centrata)
        e->setAllineamento(Qt::AlignHCenter);
    else if (stile & ADestra)
        e->setAllineamento(Qt::AlignRight);
    e->setCaption(caption);
    toolkit::Move(e, g.left, g.top, g.width, g.height);
    e->setAutoSize(stile & AutoSize);
    return e;
}

Pulsante *pulsante(QWidget *contenitore, const QString &caption, long long back, Geometria g,
                   Carattere c)
{
    auto *b = new Pulsante(contenitore);
    b->setFont(font(c));
    b->setCaption(caption);
    if (back != predefinito)
        b->setBackColor(QColor::fromRgb(QRgb(back)));
    toolkit::Move(b, g.left, g.top, g.width, g.height);
    return b;
}

Cornice *cornice(QWidget *contenitore, const QString &caption, long long back, long long fore,
                 Geometria g, Carattere c)
{
    auto *f = new Cornice(contenitore);
    f->setFont(font(c));
    f->setCaption(caption);
    if (back != predefinito)
        f->setBackColor(QColor::fromRgb(QRgb(back)));
    if (fore != predefinito)
        f->setForeColor(QColor::fromRgb(QRgb(fore)));
    toolkit::Move(f, g.left, g.top, g.width, g.height);
    return f;
}

} // namespace disegno

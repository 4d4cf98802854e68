#include "figura.h"

#include <QPainter>

#include <algorithm>

Figura::Figura(Tipo tipo, QWidget *parent)
    : QWidget(parent)
    , m_tipo(tipo)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Figura::setBorderColor(const QColor &colore)
{
    m_bordo = colore;
    update();
}

void Figura::setBorderWidth(int pixel)
{
    m_spessore = std::max(1, pixel);
    update();
}

void Figura::setFillColor(const QColor &colore)
{
    m_riempimento = colore;
    update();
}

void Figura::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_tipo == Tipo::Rettangolo) {
        // The line is drawn wholly inside the bounds.
        const qreal meta = m_spessore / 2.0;
        p.setPen(QPen(m_bordo, m_spessore, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(meta, meta, -meta, -meta));
        return;
    }
    const qreal lato = std::min(width(), height()) - 1;
    const QRectF cerchio((width() - lato) / 2.0, (height() - lato) / 2.0, lato, lato);
    p.setPen(QPen(m_bordo, 1));
    p.setBrush(m_riempimento.isValid() ? QBrush(m_riempimento) : Qt::NoBrush);
    p.drawEllipse(cerchio);
}

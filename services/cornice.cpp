#include "cornice.h"

#include <QPainter>

Cornice::Cornice(QWidget *parent)
    : QFrame(parent)
    , m_testo(palette().color(QPalette::ButtonText))
{
    setAutoFillBackground(true);
    setBackColor(palette().color(QPalette::Button));
}

void Cornice::setCaption(const QString &testo)
{
    m_caption = testo;
    update();
}

void Cornice::setBackColor(const QColor &colore)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colore);
    setPalette(p);
}

void Cornice::setForeColor(const QColor &colore)
{
    m_testo = colore;
    update();
}

void Cornice::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    const int cima = m_caption.isEmpty() ? 0 : fm.height() / 2;
    const QRect bordo = rect().adjusted(0, cima, -1, -1);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(bordo.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawRect(bordo.adjusted(1, 1, 0, 0));
    if (m_caption.isEmpty())
        return;
    const int margine = 6;
    QRect area(margine, 0, fm.horizontalAdvance(m_caption) + 4, fm.height());
    p.fillRect(area, backColor());
    p.setPen(m_testo);
    p.setFont(font());
    p.drawText(area, Qt::AlignCenter, m_caption);
}

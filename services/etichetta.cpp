#include "etichetta.h"

#include <QEvent>

Etichetta::Etichetta(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // A click on a label belongs to the label, never to the window behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    // A label never greys out: while its window is disabled for a moment
    // (the wrong-answer hold) every text stays as it was.
    setForeColor(foreColor());
}

void Etichetta::setCaption(const QString &testo)
{
    setText(testo);
    adattaAlTesto();
}

void Etichetta::setBackColor(const QColor &colore)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colore);
    setPalette(p);
}

QColor Etichetta::backColor() const
{
    return palette().color(QPalette::Window);
}

void Etichetta::setOpaca(bool opaca)
{
    setAutoFillBackground(opaca);
}

void Etichetta::setForeColor(const QColor &colore)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colore);
    p.setColor(QPalette::Disabled, QPalette::WindowText, colore);
    setPalette(p);
}

QColor Etichetta::foreColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void Etichetta::setAutoSize(bool autosize)
{
    m_autosize = autosize;
    adattaAlTesto();
}

void Etichetta::setAllineamento(Qt::Alignment orizzontale)
{
    setAlignment(orizzontale | Qt::AlignTop);
}

void Etichetta::adattaAlTesto()
{
    if (!m_autosize)
        return;
    const QSize nuova = sizeHint();
    if (alignment() & Qt::AlignHCenter) {
        // A centred caption stays centred where it was designed to be.
        const int x = qRound(pos().x() + (width() - nuova.width()) / 2.0);
        setGeometry(x, pos().y(), nuova.width(), nuova.height());
    } else {
        resize(nuova);
    }
}

void Etichetta::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adattaAlTesto();
}

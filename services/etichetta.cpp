#include "etichetta.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QFontMetricsF>
#include <QtMath>

Etichetta::Etichetta(QWidget *parent)
    : QLabel(parent)
    , m_testo(QApplication::palette().color(QPalette::WindowText))
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // A click on a label belongs to the label, never to the window behind it.
    setAttribute(Qt::WA_NoMousePropagation);
}

void Etichetta::setCaption(const QString &testo)
{
    if (testo == text())
        return;
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
    // Kept apart from the palette: the exercise screen recolours its phrases
    // at every answer, and a palette change costs far more than a repaint.
    if (colore == m_testo)
        return;
    m_testo = colore;
    update();
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
    // One line of text is measured directly: a quarter of the cost of the
    // full layout behind QLabel::sizeHint(), with the same result.
    QSize nuova;
    if (text().contains(QLatin1Char('\n'))) {
        nuova = sizeHint();
    } else if (const auto misurata = m_misure.constFind(text()); misurata != m_misure.cend()) {
        nuova = *misurata;
    } else {
        const QFontMetricsF misure(font());
        nuova = QSize(qCeil(misure.horizontalAdvance(text())), qCeil(misure.height()));
        if (m_misure.size() >= 64) // the clock's label counts on and on
            m_misure.clear();
        m_misure.insert(text(), nuova);
    }
    if (alignment() & Qt::AlignHCenter) {
        // A centred caption stays centred where it was designed to be.
        const int x = qRound(pos().x() + (width() - nuova.width()) / 2.0);
        setGeometry(x, pos().y(), nuova.width(), nuova.height());
    } else {
        resize(nuova);
    }
}

void Etichetta::paintEvent(QPaintEvent *)
{
    // A label never greys out: while its window is disabled for a moment (the
    // wrong-answer hold) every text stays as it was.
    QPainter p(this);
    p.setPen(m_testo);
    p.setFont(font());
    p.drawText(contentsRect(), int(alignment()), text());
}

void Etichetta::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_misure.clear();
        adattaAlTesto();
    }
}

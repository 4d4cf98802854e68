#include "etichetta.h"

#include "toolkit.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QFontMetricsF>
#include <QtMath>

#include <algorithm>

Etichetta::Etichetta(QWidget *parent)
    : QLabel(parent)
    , m_testo(QApplication::palette().color(QPalette::WindowText))
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    // A click on a label belongs to the label, never to the window behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    // An autosizing caption stops at its container's edge: when the
    // container grows again (the bottom bar is scaled after the labels in
    // it), the caption takes back its whole width.
    if (parent)
        parent->installEventFilter(this);
}

bool Etichetta::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == parentWidget() && evento->type() == QEvent::Resize)
        adattaAlTesto();
    return false;
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
    // A caption wider than the window (a long sentence on a narrow screen)
    // stops at its edge and is painted smaller (carattereDipinto).
    const int contenitore = parentWidget() ? parentWidget()->width() : QWIDGETSIZE_MAX;
    if (alignment() & Qt::AlignHCenter) {
        // A centred caption stays centred where it was designed to be.
        const double centro = pos().x() + width() / 2.0;
        const double meta = std::max(0.0, std::min(centro, contenitore - centro));
        nuova.setWidth(std::min(nuova.width(), int(2 * meta)));
        const int x = qRound(centro - nuova.width() / 2.0);
        setGeometry(x, pos().y(), nuova.width(), nuova.height());
    } else {
        nuova.setWidth(std::min(nuova.width(), std::max(0, contenitore - pos().x())));
        resize(nuova);
    }
}

QFont Etichetta::carattereDipinto() const
{
    const double spazio = contentsRect().width();
    QFontMetricsF misure(font());
    double larghezza = misure.horizontalAdvance(text());
    if (larghezza <= spazio || text().contains(QLatin1Char('\n')) || spazio <= 0)
        return font();
    const QString firma = text() + QLatin1Char('\n') + QString::number(spazio) + font().key();
    if (firma == m_firmaRistretto)
        return m_ristretto;
    // Smaller by the ratio of the widths, then a step at a time: glyphs are
    // fitted to pixels, so widths do not shrink exactly with the size.
    QFont f = font();
    double punti = f.pointSizeF() * spazio / larghezza;
    for (int passo = 0; passo < 100 && punti > toolkit::minimoPunti; ++passo) {
        f.setPointSizeF(punti);
        if (QFontMetricsF(f).horizontalAdvance(text()) <= spazio)
            break;
        punti *= 0.98;
    }
    f.setPointSizeF(std::max(punti, toolkit::minimoPunti));
    m_ristretto = f;
    m_firmaRistretto = firma;
    return f;
}

void Etichetta::paintEvent(QPaintEvent *)
{
    // A label never greys out: while its window is disabled for a moment (the
    // wrong-answer hold) every text stays as it was.
    QPainter p(this);
    p.setPen(m_testo);
    p.setFont(carattereDipinto());
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

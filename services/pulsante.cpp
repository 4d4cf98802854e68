#include "pulsante.h"

#include "toolkit.h"

#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int disposizione = Qt::AlignCenter | Qt::TextWordWrap;

// Enter as the Space bar: pressed while held down, clicked when released.
template<class Gestore>
void comeSpazio(QKeyEvent *event, Gestore gestore)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        gestore(event);
        return;
    }
    QKeyEvent spazio(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                     event->isAutoRepeat(), ushort(event->count()));
    gestore(&spazio);
    event->setAccepted(spazio.isAccepted());
}

// Whether the letters of the caption, painted as the button paints them,
// stay inside the area with a pixel to spare. Painted, not estimated: the
// lines' boxes hold room above and below the letters for accents and
// descenders a caption may not have, and each font engine (FreeType's,
// Windows') places and smooths the letters its own way. The picture is of
// the kind the button's face and the window are painted on, so that the
// letters are drawn the same way.
bool lettereDentro(const QFont &f, const QRect &area, const QString &testo, qreal dpr)
{
    const int margine = std::max(area.height(), 8);
    const QRect dove(QPoint(margine, margine), area.size());
    QImage figura(QSize(area.width() + 2 * margine, area.height() + 2 * margine) * dpr,
                  QImage::Format_ARGB32_Premultiplied);
    figura.setDevicePixelRatio(dpr);
    figura.fill(Qt::white);
    {
        QPainter p(&figura);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(dove, disposizione | Qt::TextDontClip, testo);
    }
    const QRect dentro = QRect(dove.topLeft() * dpr, dove.size() * dpr).adjusted(1, 1, -1, -1);
    const QRgb bianco = qRgb(255, 255, 255);
    for (int y = 0; y < figura.height(); ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(figura.constScanLine(y));
        for (int x = 0; x < figura.width(); ++x)
            if (riga[x] != bianco && !dentro.contains(x, y))
                return false;
    }
    return true;
}

bool entra(const QFont &f, const QRect &area, const QString &testo, qreal dpr)
{
    const QRectF occupato = QFontMetricsF(f).boundingRect(area, disposizione, testo);
    if (occupato.width() > area.width())
        return false;
    return occupato.height() <= area.height() || lettereDentro(f, area, testo, dpr);
}

} // namespace

Pulsante::Pulsante(QWidget *parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void Pulsante::setBackColor(const QColor &colore)
{
    m_colore = colore;
    update();
}

void Pulsante::paintEvent(QPaintEvent *event)
{
    if (!colorato()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    if (!disabilitato() && !isDown() && !isChecked()) {
        p.drawPixmap(0, 0, faccia());
    } else {
        // Disabled only during a hold or between sentences, held down only
        // for a moment: painted directly, not kept (at full-HD size each
        // face kept is some 200 kB).
        disegna(p, rect(), !disabilitato(), isDown() || isChecked());
    }
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

void Pulsante::keyPressEvent(QKeyEvent *event)
{
    comeSpazio(event, [this](QKeyEvent *e) { QPushButton::keyPressEvent(e); });
}

void Pulsante::keyReleaseEvent(QKeyEvent *event)
{
    comeSpazio(event, [this](QKeyEvent *e) { QPushButton::keyReleaseEvent(e); });
}

void Pulsante::disegna(QPainter &p, const QRect &r, bool attivo, bool premuto) const
{
    p.fillRect(r, m_colore);
    disegnaBordo(p, r, premuto);
    disegnaCaption(p, premuto ? r.translated(1, 1) : r, attivo);
}

QPixmap Pulsante::faccia()
{
    const qreal dpr = devicePixelRatioF();
    const QString firma = text() + QLatin1Char('\n') + font().key() + QLatin1Char('\n')
                          + QString::number(width()) + QLatin1Char('x') + QString::number(height())
                          + QLatin1Char('@') + QString::number(dpr) + m_colore.name();
    if (firma != m_firma) {
        m_faccia = QPixmap();
        m_firma = firma;
    }
    if (m_faccia.isNull() && !size().isEmpty()) {
        m_faccia = QPixmap(size() * dpr);
        m_faccia.setDevicePixelRatio(dpr);
        QPainter p(&m_faccia);
        disegna(p, rect(), true, false);
    }
    return m_faccia;
}

void Pulsante::disegnaBordo(QPainter &p, const QRect &r, bool premuto) const
{
    // Two-pixel bevel: light above and left, dark below and right; inverted
    // while the button is held down.
    const QColor chiaro = premuto ? QColor(0x40, 0x40, 0x40) : Qt::white;
    const QColor scuro = premuto ? Qt::white : QColor(0x40, 0x40, 0x40);
    const QColor chiaro2 = premuto ? QColor(0x80, 0x80, 0x80) : m_colore.lighter(125);
    const QColor scuro2 = premuto ? m_colore.lighter(125) : QColor(0x80, 0x80, 0x80);
    const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    p.setPen(chiaro);
    p.drawLine(x0, y0, x1 - 1, y0);
    p.drawLine(x0, y0, x0, y1 - 1);
    p.setPen(scuro);
    p.drawLine(x0, y1, x1, y1);
    p.drawLine(x1, y0, x1, y1);
    p.setPen(chiaro2);
    p.drawLine(x0 + 1, y0 + 1, x1 - 2, y0 + 1);
    p.drawLine(x0 + 1, y0 + 1, x0 + 1, y1 - 2);
    p.setPen(scuro2);
    p.drawLine(x0 + 1, y1 - 1, x1 - 1, y1 - 1);
    p.drawLine(x1 - 1, y0 + 1, x1 - 1, y1 - 1);
}

QFont Pulsante::carattereDipinto() const
{
    const QRect area = areaCaption(rect());
    if (!colorato() || area.isEmpty())
        return font();
    // Found once for each caption, size and font: the buttons repaint at
    // every hold, and a caption is measured on a picture.
    const qreal dpr = devicePixelRatioF();
    const QString firma = text() + QLatin1Char('\n') + QString::number(area.width()) + QLatin1Char('x')
                          + QString::number(area.height()) + QLatin1Char('@') + QString::number(dpr) + font().key();
    if (firma == m_firmaRistretto)
        return m_ristretto;
    m_firmaRistretto = firma;
    m_ristretto = font();
    if (entra(m_ristretto, area, text(), dpr))
        return m_ristretto;
    // A step at a time: a smaller font may also wrap the caption otherwise.
    QFont f = font();
    double punti = f.pointSizeF();
    while (punti > toolkit::minimoPunti) {
        punti = std::max(punti * 0.97, toolkit::minimoPunti);
        f.setPointSizeF(punti);
        if (entra(f, area, text(), dpr))
            break;
    }
    m_ristretto = f;
    return f;
}

void Pulsante::disegnaCaption(QPainter &p, const QRect &r, bool attivo) const
{
    const QRect area = areaCaption(r);
    const int flags = disposizione;
    p.setFont(carattereDipinto());
    if (attivo) {
        p.setPen(Qt::black);
        p.drawText(area, flags, text());
        return;
    }
    // The classic etched look: readable on every back colour, clearly inactive.
    p.setPen(Qt::white);
    p.drawText(area.translated(1, 1), flags, text());
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawText(area, flags, text());
}

#include "pulsante.h"

#include "toolkit.h"

#include <QFontMetricsF>
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

bool entra(const QFont &f, const QRect &area, const QString &testo)
{
    const QRectF occupato = QFontMetricsF(f).boundingRect(area, disposizione, testo);
    return occupato.width() <= area.width() && occupato.height() <= area.height();
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
    if (!colorato() || area.isEmpty() || entra(font(), area, text()))
        return font();
    const QString firma = text() + QLatin1Char('\n') + QString::number(area.width()) + QLatin1Char('x')
                          + QString::number(area.height()) + font().key();
    if (firma == m_firmaRistretto)
        return m_ristretto;
    // A step at a time: a smaller font may also wrap the caption otherwise.
    QFont f = font();
    double punti = f.pointSizeF();
    while (punti > toolkit::minimoPunti) {
        punti = std::max(punti * 0.97, toolkit::minimoPunti);
        f.setPointSizeF(punti);
        if (entra(f, area, text()))
            break;
    }
    m_ristretto = f;
    m_firmaRistretto = firma;
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

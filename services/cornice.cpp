#include "cornice.h"

#include "toolkit.h"

#include <QPainter>

#include <algorithm>

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

namespace {

// Where the caption sits in the border line: from the left, with room
// for a blank on either side of it.
constexpr int margine = 6;
constexpr int bordi = 4;

} // namespace

QFont Cornice::carattereDipinto() const
{
    QFont f = font();
    const int spazio = width() - 2 * margine - bordi;
    for (int passo = 0; passo < 100 && f.pointSizeF() > toolkit::minimoPunti; ++passo) {
        if (QFontMetrics(f).horizontalAdvance(m_caption) <= spazio)
            break;
        f.setPointSizeF(std::max(f.pointSizeF() * 0.95, toolkit::minimoPunti));
    }
    return f;
}

void Cornice::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFont carattere = carattereDipinto();
    const QFontMetrics fm(carattere);
    const int cima = m_caption.isEmpty() ? 0 : fm.height() / 2;
    const QRect bordo = rect().adjusted(0, cima, -1, -1);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(bordo.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawRect(bordo.adjusted(1, 1, 0, 0));
    if (m_caption.isEmpty())
        return;
    QRect area(margine, 0, fm.horizontalAdvance(m_caption) + bordi, fm.height());
    p.fillRect(area, backColor());
    p.setPen(m_testo);
    p.setFont(carattere);
    p.drawText(area, Qt::AlignCenter, m_caption);
}

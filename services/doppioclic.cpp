#include "doppioclic.h"

#include "forma.h"
#include "orologio.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputEvent>
#include <QStyleHints>

#include <cmath>

namespace {

// How long before a window's change a press may have been made and still
// be handled after it: one held in the queue while the window was being
// opened or closed, aimed at what was there before.
constexpr qint64 primaDelCambio = 1000;

} // namespace

void DoppioClic::installa()
{
    static DoppioClic *filtro = nullptr;
    if (filtro || !QCoreApplication::instance())
        return;
    filtro = new DoppioClic;
    filtro->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filtro);
}

bool DoppioClic::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::Show:
    case QEvent::Hide: {
        // The program's own windows, opened or closed by the program (not a
        // minimized one given back by the desktop); tooltips are no window
        // a pupil clicks through.
        const auto *forma = qobject_cast<const Forma *>(oggetto);
        if (forma && forma->isWindow() && !evento->spontaneous() && m_visto) {
            const double passati = Orologio::corrente().monotono() - m_orologio;
            m_cambio = m_ultimo + qint64(std::llround(std::max(0.0, passati) * 1000.0));
            m_cambiato = true;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchEnd: {
        const auto *input = static_cast<const QInputEvent *>(evento);
        if (troppoPresto(input))
            return true;
        annota(input);
        return false;
    }
    case QEvent::MouseMove:
        annota(static_cast<const QInputEvent *>(evento));
        return false;
    default:
        return false;
    }
}

bool DoppioClic::troppoPresto(const QInputEvent *evento) const
{
    // A time of 0 is none: events made up without one are always taken.
    if (!m_cambiato || evento->timestamp() == 0)
        return false;
    const qint64 dopo = qint64(evento->timestamp()) - m_cambio;
    const qint64 intervallo = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    return dopo >= -primaDelCambio && dopo < intervallo;
}

void DoppioClic::annota(const QInputEvent *evento)
{
    if (evento->timestamp() == 0)
        return;
    m_visto = true;
    m_ultimo = qint64(evento->timestamp());
    m_orologio = Orologio::corrente().monotono();
}

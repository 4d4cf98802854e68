#include "doppioclic.h"

#include "forma.h"
#include "orologio.h"
#include "tempoinput.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputEvent>
#include <QStyleHints>

#include <cmath>

namespace {

DoppioClic *filtro = nullptr;

// How far back the clocks' comparison looks: long enough to hold a moment
// when the program was idle, short enough to follow a clock that moved.
constexpr double finestraCampioni = 10.0;

qint64 millisecondi(double secondi)
{
    return std::llround(secondi * 1000.0);
}

} // namespace

void DoppioClic::installa()
{
    if (filtro || !QCoreApplication::instance())
        return;
    filtro = new DoppioClic;
    filtro->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filtro);
    tempoinput::installa();
}

void DoppioClic::finePausa()
{
    if (filtro)
        filtro->proteggi(0);
}

void DoppioClic::azzera()
{
    if (filtro) {
        filtro->m_guardia = Guardia();
        filtro->m_campioni.clear();
    }
}

bool DoppioClic::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::Show:
    case QEvent::Hide: {
        // The program's own windows, opened or closed by the program (not a
        // minimized one given back by the desktop); tooltips and the controls
        // that come and go on a screen are no window a pupil clicks through.
        const auto *forma = qobject_cast<const Forma *>(oggetto);
        if (forma && forma->isWindow() && !evento->spontaneous())
            proteggi(QGuiApplication::styleHints()->mouseDoubleClickInterval());
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
        // A time of 0 is none: events made up without one are always taken.
        if (input->timestamp() != 0 && m_guardia.scartata(qint64(input->timestamp())))
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

void DoppioClic::proteggi(qint64 dopo)
{
    tempoinput::proteggi(dopo);
    // Without an input seen, the events' clock cannot be read.
    if (m_campioni.empty())
        return;
    const qint64 ora = adesso();
    m_guardia.proteggi(ora, ora + dopo);
}

void DoppioClic::annota(const QInputEvent *evento)
{
    if (evento->timestamp() == 0)
        return;
    const qint64 fatto = qint64(evento->timestamp());
    m_guardia.presa(fatto);
    const double orologio = Orologio::corrente().monotono();
    const qint64 scarto = millisecondi(orologio) - fatto;
    // The smallest offset of the window, kept at the front.
    while (!m_campioni.empty() && m_campioni.back().scarto >= scarto)
        m_campioni.pop_back();
    m_campioni.push_back({orologio, scarto});
    while (m_campioni.size() > 1 && m_campioni.front().orologio < orologio - finestraCampioni)
        m_campioni.pop_front();
}

qint64 DoppioClic::adesso() const
{
    return millisecondi(Orologio::corrente().monotono()) - m_campioni.front().scarto;
}

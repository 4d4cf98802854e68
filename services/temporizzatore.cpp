#include "temporizzatore.h"

#include "orologio.h"

Temporizzatore::Temporizzatore(QObject *parent)
    : QObject(parent)
{
    // The clock's second and the title's six seconds are shown and felt: a
    // coarse timer may be 5 % late.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Temporizzatore::Timer);
}

void Temporizzatore::setInterval(int millisecondi)
{
    m_intervallo = millisecondi;
    if (Orologio::corrente().conta(this, millisecondi))
        m_timer.stop();
    else if (millisecondi > 0)
        m_timer.start(millisecondi);
    else
        m_timer.stop();
}

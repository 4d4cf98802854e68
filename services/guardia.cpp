#include "guardia.h"

#include <algorithm>

void Guardia::presa(qint64 fatto)
{
    // The latest, not the largest: the X server's time wraps after 49 days.
    m_ultima = fatto;
    m_presa = true;
}

void Guardia::proteggi(qint64 adesso, qint64 fino)
{
    // The input that set the screen moving was made at m_ultima: whatever
    // came after it (the second click of a double-click, a click on the pink
    // screen) was aimed at what the pupil saw before, even when the program
    // receives it a second later.
    const qint64 da = m_presa ? std::min(m_ultima, adesso) : adesso - 1000;
    m_intervalli[std::size_t(m_prossimo)] = {da, std::min(fino, da + durataMassima)};
    m_prossimo = (m_prossimo + 1) % int(m_intervalli.size());
}

bool Guardia::scartata(qint64 fatto) const
{
    return std::any_of(m_intervalli.begin(), m_intervalli.end(),
                       [fatto](const Intervallo &i) { return fatto >= i.da && fatto <= i.a; });
}

#pragma once

#include <QString>

#include <algorithm>

// A 16-bit integer that is empty until first assigned. Empty reads as 0 (so
// it compares equal to 0 and counts up from empty as from 0) and shows as
// the empty text, where 0 shows as "0". Values beyond the 16-bit range stop
// at its ends instead of overflowing: a counter never ends the program.
class Variante
{
public:
    constexpr Variante() = default;
    constexpr Variante(int valore)
        : m_vuota(false)
        , m_valore(satura(valore))
    {
    }

    constexpr operator int() const { return m_valore; }
    constexpr bool vuota() const { return m_vuota; }

    QString testo() const { return m_vuota ? QString() : QString::number(m_valore); }

    static constexpr short satura(int valore)
    {
        return static_cast<short>(std::clamp(valore, -32768, 32767));
    }

private:
    bool m_vuota = true;
    short m_valore = 0;
};

#pragma once

#include <QtGlobal>

#include <array>

// When a pupil's input is no answer, on one clock of input times (the
// moments, in milliseconds, at which the platform says each input was made).
// A hold, or a window that opens or closes, makes the input that follows the
// last one the program took, until a given moment, stale: it was made while
// the screen held still or changed under it, and is thrown away however late
// it is delivered. Input made after that moment counts.
class Guardia
{
public:
    // An input the program took, made at `fatto`.
    void presa(qint64 fatto);
    // Input made after the last one taken and no later than `fino` is
    // stale. Before any input was taken, from a second before `adesso`.
    void proteggi(qint64 adesso, qint64 fino);
    // A hold, the grade screen after it and the pupil's slowest PC take a
    // few seconds: no more than this after the last input taken is ever
    // stale, whatever a clock that jumped (a machine suspended) says.
    static constexpr qint64 durataMassima = 10000;
    bool scartata(qint64 fatto) const;

private:
    struct Intervallo
    {
        qint64 da = 0, a = -1; // empty
    };
    bool m_presa = false;
    qint64 m_ultima = 0;
    // A few of the latest: one hold, the grade screen after it, its closing.
    std::array<Intervallo, 4> m_intervalli;
    int m_prossimo = 0;
};

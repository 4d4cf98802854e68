#pragma once

#include "services/orologio.h"
#include "services/temporizzatore.h"

#include <QList>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

// A clock for tests: time moves only when the test (or a wait) moves it, and
// the generator returns the numbers the test queued (then 0). The program's
// timers tick on this clock's time, when the test lets time pass (scorri).
class OrologioFinto : public Orologio
{
public:
    OrologioFinto() { Orologio::imposta(this); }
    ~OrologioFinto() override
    {
        if (&Orologio::corrente() == this)
            Orologio::imposta(nullptr);
    }

    double Timer() override { return ora; }
    double monotono() override
    {
        sincronizza();
        return mono;
    }
    void attendi(double secondi) override
    {
        attese.append(secondi);
        if (durante)
            durante();
        avanza(secondi);
    }
    void Randomize() override { ++semine; }
    float Rnd() override { return numeri.isEmpty() ? 0.0f : numeri.takeFirst(); }

    bool conta(Temporizzatore *timer, int millisecondi) override
    {
        sveglie.removeIf([timer](const Sveglia &s) { return !s.timer || s.timer == timer; });
        if (millisecondi > 0)
            sveglie.append({timer, millisecondi / 1000.0, mono + millisecondi / 1000.0});
        return true;
    }

    // Moves both clocks; the time of day wraps at midnight. Nothing else
    // happens meanwhile, as during a hold: a timer that fell due ticks at the
    // next scorri.
    void avanza(double secondi)
    {
        mono += secondi;
        ora += secondi;
        if (ora >= 86400.0)
            ora -= 86400.0;
        sincronizza();
    }

    // The times Qt Test gives the mouse events it makes up move on with this
    // clock, also when a test sets it, as a pupil's clicks do with the real
    // one (a minute at most at a time: they count in milliseconds, in an
    // int, and only a few seconds matter to them).
    void sincronizza()
    {
        if (mono > monoEventi)
            QTest::lastMouseTimestamp += int(std::lround(std::min(mono - monoEventi, 60.0) * 1000.0));
        monoEventi = mono;
    }

    // Lets time pass as it does while the program waits for the pupil: every
    // timer ticks when it falls due, in order. A tick that comes late comes
    // once, and the next one a whole interval later, as with Qt's timers.
    void scorri(double secondi)
    {
        const double fine = mono + secondi;
        for (;;) {
            Sveglia *prossima = nullptr;
            for (Sveglia &s : sveglie)
                if (s.timer && s.scadenza <= fine + 1e-9 && (!prossima || s.scadenza < prossima->scadenza))
                    prossima = &s;
            if (!prossima)
                break;
            if (prossima->scadenza > mono)
                avanza(prossima->scadenza - mono);
            prossima->scadenza = mono + prossima->intervallo;
            const QPointer<Temporizzatore> timer = prossima->timer;
            emit timer->Timer(); // may arm or stop timers: prossima is gone
        }
        if (fine > mono)
            avanza(fine - mono);
    }

    double ora = 36000.0;
    double mono = 1000.0;
    QList<float> numeri;
    QList<double> attese;
    // Called at every wait, before time moves: a test's look at the screen
    // in the middle of a hold.
    std::function<void()> durante;
    int semine = 0;

private:
    double monoEventi = mono;
    struct Sveglia
    {
        QPointer<Temporizzatore> timer;
        double intervallo, scadenza;
    };
    QList<Sveglia> sveglie;
};

#pragma once

#include "services/orologio.h"

#include <QList>

#include <functional>

// A clock for tests: time moves only when the test (or a wait) moves it, and
// the generator returns the numbers the test queued (then 0).
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
    double monotono() override { return mono; }
    void attendi(double secondi) override
    {
        attese.append(secondi);
        if (durante)
            durante();
        avanza(secondi);
    }
    void Randomize() override { ++semine; }
    float Rnd() override { return numeri.isEmpty() ? 0.0f : numeri.takeFirst(); }

    // Moves both clocks; the time of day wraps at midnight.
    void avanza(double secondi)
    {
        mono += secondi;
        ora += secondi;
        if (ora >= 86400.0)
            ora -= 86400.0;
    }

    double ora = 36000.0;
    double mono = 1000.0;
    QList<float> numeri;
    QList<double> attese;
    // Called at every wait, before time moves: a test's look at the screen
    // in the middle of a hold.
    std::function<void()> durante;
    int semine = 0;
};

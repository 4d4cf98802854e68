#pragma once

class Temporizzatore;

// The program's sense of time and chance, in one place so that tests can
// replace it: the time of day, a monotonic clock for every elapsed time, a
// blocking wait, the ticks of the timers, and the random generator (seeded
// from the clock, hence here).
class Orologio
{
public:
    virtual ~Orologio() = default;

    // Seconds since midnight, with fractions.
    virtual double Timer();
    // Seconds from an arbitrary origin; never goes back, never wraps, and
    // counts the time the machine spends suspended.
    virtual double monotono();
    // Blocks the calling thread for the given seconds, without handling events.
    virtual void attendi(double secondi);
    // A timer of the program armed with the given interval (0: stopped):
    // true when this clock ticks it on its own time. The real clock leaves
    // the counting to Qt.
    virtual bool conta(Temporizzatore *timer, int millisecondi);
    // Re-seeds the generator from the clock.
    virtual void Randomize();
    // Next number r of the generator, 0 <= r < 1.
    virtual float Rnd();

    // The clock the program uses; tests put their own in its place.
    static Orologio &corrente();
    static void imposta(Orologio *orologio);
};

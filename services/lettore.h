#pragma once

#include <QByteArray>
#include <QString>

// Plays a wave file without blocking the caller. A new request cuts off the
// sound still playing; a file that is missing or broken, or a machine with no
// sound device, fails silently.
class Lettore
{
public:
    virtual ~Lettore() = default;
    virtual void riproduci(const QString &percorso) = 0;
    // A wave held in memory, the voice's reading, on the same output as the
    // cues: it cuts off the cue still sounding, and the next cue cuts it off.
    // A machine with no sound device says so once (voce::avvisa).
    virtual void riproduciWav(const QByteArray &wav) = 0;

    // For tests and benchmarks: waits until every request made so far has
    // been handled (started, or found unplayable); false when the player is
    // still at work after the given time. A player that does its work in
    // the call itself has nothing to wait for.
    virtual bool attendiInattivo(int millisecondi = 20000)
    {
        Q_UNUSED(millisecondi);
        return true;
    }

    // The player the program uses; tests put a recording one in its place.
    static Lettore &corrente();
    static void imposta(Lettore *lettore);
    // The platform's own player, whatever stands in its place: the voice of
    // a drill with muted cues is heard through it.
    static Lettore &reale();
};

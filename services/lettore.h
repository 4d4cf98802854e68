#pragma once

#include <QString>

// Plays a wave file without blocking the caller. A new request cuts off the
// sound still playing; a file that is missing or broken, or a machine with no
// sound device, fails silently.
class Lettore
{
public:
    virtual ~Lettore() = default;
    virtual void riproduci(const QString &percorso) = 0;

    // The player the program uses; tests put a recording one in its place.
    static Lettore &corrente();
    static void imposta(Lettore *lettore);
};

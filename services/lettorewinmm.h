#pragma once

#include "lettore.h"

#include <QByteArray>

// The player on Windows: the system's own sndPlaySoundA of winmm.dll, which
// plays a wave file in the background and cuts off the one still sounding;
// for a file it cannot play, it plays the system's default sound. The
// voice's readings, held in memory, go the same way. The entry is bound by
// library and name at the first cue (Qt links winmm.dll anyway, so the
// library itself is there from the start).
class LettoreWinmm : public Lettore
{
public:
    // BOOL WINAPI sndPlaySoundA(LPCSTR, UINT): the path in the ANSI code page.
    using Funzione = int (*)(const char *percorso, unsigned int opzioni);

    ~LettoreWinmm() override;

    void riproduci(const QString &percorso) override;
    void riproduciWav(const QByteArray &wav) override;

    // The entry bound from winmm.dll; null when the DLL or the entry is missing.
    static Funzione entrataWinmm();

    // For tests: the function called in winmm's place (null: winmm again).
    static void sostituisci(Funzione funzione);

private:
    // The reading playing: winmm reads it from memory as it plays, so it is
    // kept until another sound has taken its place.
    QByteArray m_voce;
};

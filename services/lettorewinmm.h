#pragma once

#include "lettore.h"

// The player on Windows: the system's own sndPlaySoundA of winmm.dll, which
// plays a wave file in the background and cuts off the one still sounding;
// for a file it cannot play, it plays the system's default sound. The entry
// is bound by library and name at the first cue (Qt links winmm.dll
// anyway, so the library itself is there from the start).
class LettoreWinmm : public Lettore
{
public:
    // BOOL WINAPI sndPlaySoundA(LPCSTR, UINT): the path in the ANSI code page.
    using Funzione = int (*)(const char *percorso, unsigned int opzioni);

    void riproduci(const QString &percorso) override;

    // The entry bound from winmm.dll; null when the DLL or the entry is missing.
    static Funzione entrataWinmm();

    // For tests: the function called in winmm's place (null: winmm again).
    static void sostituisci(Funzione funzione);
};

#pragma once

#include "lettore.h"

// A player that plays no cue: for a room of twenty PCs, where the cues of
// every pupil's drill would sound together. The voice, asked for one pupil
// in headphones, is still heard: through the real player, loaded for it alone.
class LettoreMuto : public Lettore
{
public:
    void riproduci(const QString &) override {}
    void riproduciWav(const QByteArray &wav) override { Lettore::reale().riproduciWav(wav); }
};

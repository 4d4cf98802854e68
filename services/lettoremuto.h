#pragma once

#include "lettore.h"

// A player that plays nothing: for a room of twenty PCs, where the cues of
// every pupil's drill would sound together.
class LettoreMuto : public Lettore
{
public:
    void riproduci(const QString &) override {}
};

#include "lettore.h"

#include "lettoresdl.h"

namespace {

Lettore *sostituto = nullptr;

} // namespace

Lettore &Lettore::corrente()
{
    if (sostituto)
        return *sostituto;
    // Created at the first cue, so start-up never waits for the sound system.
    static LettoreSdl reale;
    return reale;
}

void Lettore::imposta(Lettore *lettore)
{
    sostituto = lettore;
}

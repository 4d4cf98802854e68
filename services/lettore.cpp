#include "lettore.h"

#ifdef Q_OS_WIN
#include "lettorewinmm.h"
#else
#include "lettoresdl.h"
#endif

namespace {

Lettore *sostituto = nullptr;

} // namespace

Lettore &Lettore::corrente()
{
    if (sostituto)
        return *sostituto;
    // Created at the first cue, so start-up never waits for the sound system.
#ifdef Q_OS_WIN
    static LettoreWinmm reale;
#else
    static LettoreSdl reale;
#endif
    return reale;
}

void Lettore::imposta(Lettore *lettore)
{
    sostituto = lettore;
}

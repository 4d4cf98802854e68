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
    return sostituto ? *sostituto : reale();
}

Lettore &Lettore::reale()
{
    // Created at the first sound, so start-up never waits for the sound system.
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

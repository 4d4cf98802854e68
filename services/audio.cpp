#include "audio.h"

#include "lettore.h"
#include "orologio.h"
#include "toolkit.h"
#include "voce.h"

#include <QDir>

#include <cmath>

namespace audio {

QString percorsoSuono(const QString &nome)
{
    // App_Path gives Qt's forward slashes on every platform: the whole path
    // is written with the platform's own.
    return QDir::toNativeSeparators(toolkit::App_Path() + QStringLiteral("/suoni/") + nome
                                    + QStringLiteral(".wav"));
}

void suona(const QString &nome)
{
    // A cue cuts the reading off: the one playing on the shared output,
    // and the one still being made, which would otherwise cut the cue.
    voce::taci();
    Lettore::corrente().riproduci(percorsoSuono(nome));
}

void suonacasuale(const QString &nome)
{
    if (nome != QLatin1String("esatto")) {
        suona(QStringLiteral("congafine"));
        return;
    }
    Orologio &orologio = Orologio::corrente();
    orologio.Randomize();
    const float r = orologio.Rnd();
    const float k = std::floor(r * 5.0f) + 1.0f;
    // The first variant is plain "esatto"; there is no "esatto1".
    if (k == 1.0f)
        suona(QStringLiteral("esatto"));
    else if (k == 2.0f)
        suona(QStringLiteral("esatto2"));
    else if (k == 3.0f)
        suona(QStringLiteral("esatto3"));
    else if (k == 4.0f)
        suona(QStringLiteral("esatto4"));
    else if (k == 5.0f)
        suona(QStringLiteral("esatto5"));
}

} // namespace audio

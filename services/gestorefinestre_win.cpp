#include "toolkit.h"

#include <QGuiApplication>

// Windows' side of services/gestorefinestre.cpp: the desktop itself manages
// the windows, and it asks the windows below to paint what a closing window
// uncovers (the desktop window manager keeps their pictures anyway).
namespace toolkit {

bool scoperteDaDipingere()
{
    return false;
}

bool gestoreFinestre()
{
    // The offscreen platform, as on Linux, has nobody to.
    return QGuiApplication::platformName() == QLatin1String("windows");
}

} // namespace toolkit

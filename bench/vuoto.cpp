// A program that only reaches main() and leaves: what loading its libraries
// costs. Built twice, linked with Qt Widgets alone and with Qt Widgets, SDL2
// and SDL2_mixer as Parsilia is; one call into each library keeps it linked.

#include "segni.h"

#include <QWidget>

#ifdef CON_SDL
#include <SDL.h>
#include <SDL_mixer.h>
#endif

int main()
{
    segna("main");
    int n = QWidget::staticMetaObject.className()[0];
#ifdef CON_SDL
    SDL_version v;
    SDL_GetVersion(&v);
    n += v.major + Mix_Linked_Version()->major;
#endif
    return n > 0 ? 0 : 1;
}

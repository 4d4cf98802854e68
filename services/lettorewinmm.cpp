#include "lettorewinmm.h"

#include <QDir>

#include <type_traits>

#include <windows.h>
#include <mmsystem.h>

// The type the header names without <windows.h> must be the real one.
static_assert(std::is_same_v<LettoreWinmm::Funzione, decltype(&::sndPlaySoundA)>);

namespace {

LettoreWinmm::Funzione sostituto = nullptr;

// A path as the ANSI functions take it: in the system's code page, the one
// Windows itself uses to turn it back into the name on disk.
QByteArray percorsoAnsi(const QString &percorso)
{
    const auto *wide = reinterpret_cast<const wchar_t *>(percorso.utf16());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, int(percorso.size()), nullptr, 0, nullptr, nullptr);
    QByteArray ansi(n, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, int(percorso.size()), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

} // namespace

LettoreWinmm::Funzione LettoreWinmm::entrataWinmm()
{
    // Bound once and never unloaded: a cue may still be sounding at exit.
    static const Funzione entrata = [] {
        HMODULE winmm = LoadLibraryA("winmm.dll");
        // Through void (*)(), the type GCC takes for "any function".
        return winmm ? reinterpret_cast<Funzione>(reinterpret_cast<void (*)()>(GetProcAddress(winmm, "sndPlaySoundA")))
                     : nullptr;
    }();
    return entrata;
}

void LettoreWinmm::sostituisci(Funzione funzione)
{
    sostituto = funzione;
}

void LettoreWinmm::riproduci(const QString &percorso)
{
    // Every cue goes to winmm, found or not: for a file it cannot play,
    // sndPlaySound plays the system's default sound (the pupil still hears
    // that the answer was judged), and every call cuts off the sound before.
    const Funzione suona = sostituto ? sostituto : entrataWinmm();
    if (!suona)
        return;
    // SND_ASYNC: the call returns at once, and a new one stops the sound
    // still playing.
    suona(percorsoAnsi(QDir::toNativeSeparators(percorso)).constData(), SND_ASYNC);
}

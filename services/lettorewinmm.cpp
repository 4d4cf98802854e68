#include "lettorewinmm.h"

#include "voce.h"

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

LettoreWinmm::~LettoreWinmm()
{
    // Stopped before its memory goes.
    if (!m_voce.isEmpty())
        if (const Funzione suona = sostituto ? sostituto : entrataWinmm())
            suona(nullptr, 0);
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
    // The cue has stopped the reading: its memory may go.
    m_voce.clear();
}

void LettoreWinmm::riproduciWav(const QByteArray &wav)
{
    const Funzione suona = sostituto ? sostituto : entrataWinmm();
    // SND_NODEFAULT: a reading that cannot be played is silence, not the
    // system's default sound.
    if (!suona || !suona(wav.constData(), SND_MEMORY | SND_ASYNC | SND_NODEFAULT)) {
        voce::avvisa(QStringLiteral("il computer non ha un dispositivo audio che funzioni"));
        return;
    }
    // Only now, with the new sound started, may the one before go.
    m_voce = wav;
}

#include "lettoresdl.h"

#include "voce.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <system_error>
#include <type_traits>

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

// SDL2_mixer, loaded by the worker at the first cue rather than linked:
// with SDL and the codecs it depends on it is some forty libraries, whose
// loading would otherwise delay every start of the program. A machine
// without it plays no sound, like one without a sound card.
struct Sdl
{
    decltype(&::SDL_SetHint) SetHint = nullptr;
    decltype(&::SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&::SDL_TLSCleanup) TLSCleanup = nullptr;
    decltype(&::SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&::SDL_RWFromConstMem) RWFromConstMem = nullptr;
    decltype(&::Mix_OpenAudio) OpenAudio = nullptr;
    decltype(&::Mix_AllocateChannels) AllocateChannels = nullptr;
    decltype(&::Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&::Mix_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&::Mix_FreeChunk) FreeChunk = nullptr;
    decltype(&::Mix_PlayChannelTimed) PlayChannelTimed = nullptr;
    decltype(&::Mix_HaltChannel) HaltChannel = nullptr;
    decltype(&::Mix_Playing) Playing = nullptr;

    // The library, loaded at the first call; null when it cannot be.
    static const Sdl *carica()
    {
        static const Sdl *const caricata = [] {
            static Sdl sdl;
            return sdl.risolvi() ? &sdl : nullptr;
        }();
        return caricata;
    }

private:
    bool risolvi()
    {
        // Never unloaded: SDL keeps threads and handlers of its own.
        void *const mixer = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        void *const base = mixer ? dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
        if (!base)
            return false;
        bool tutte = true;
        const auto prendi = [&tutte](void *libreria, auto &funzione, const char *nome) {
            funzione = reinterpret_cast<std::remove_reference_t<decltype(funzione)>>(dlsym(libreria, nome));
            tutte = tutte && funzione;
        };
        prendi(base, SetHint, "SDL_SetHint");
        prendi(base, InitSubSystem, "SDL_InitSubSystem");
        prendi(base, QuitSubSystem, "SDL_QuitSubSystem");
        prendi(base, TLSCleanup, "SDL_TLSCleanup");
        prendi(base, RWFromFile, "SDL_RWFromFile");
        prendi(base, RWFromConstMem, "SDL_RWFromConstMem");
        prendi(mixer, OpenAudio, "Mix_OpenAudio");
        prendi(mixer, AllocateChannels, "Mix_AllocateChannels");
        prendi(mixer, CloseAudio, "Mix_CloseAudio");
        prendi(mixer, LoadWAV_RW, "Mix_LoadWAV_RW");
        prendi(mixer, FreeChunk, "Mix_FreeChunk");
        prendi(mixer, PlayChannelTimed, "Mix_PlayChannelTimed");
        prendi(mixer, HaltChannel, "Mix_HaltChannel");
        prendi(mixer, Playing, "Mix_Playing");
        return tutte;
    }
};

// ALSA and JACK write their complaints straight to stderr when there is no
// sound card; the pupil's terminal is no place for them.
class StderrMuto
{
public:
    StderrMuto()
    {
        std::fflush(stderr);
        m_salvato = dup(STDERR_FILENO);
        const int nulla = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_salvato >= 0 && nulla >= 0)
            dup2(nulla, STDERR_FILENO);
        if (nulla >= 0)
            close(nulla);
    }
    ~StderrMuto()
    {
        std::fflush(stderr);
        if (m_salvato >= 0) {
            dup2(m_salvato, STDERR_FILENO);
            close(m_salvato);
        }
    }
    StderrMuto(const StderrMuto &) = delete;
    StderrMuto &operator=(const StderrMuto &) = delete;

private:
    int m_salvato = -1;
};

} // namespace

LettoreSdl::LettoreSdl(std::chrono::milliseconds silenzioPrimaDiChiudere)
    : m_silenzio(silenzioPrimaDiChiudere)
{
    try {
        m_lavoratore = std::thread([this] { lavora(); });
        pthread_setname_np(m_lavoratore.native_handle(), "suoni");
    } catch (const std::system_error &) {
        // No thread to be had: the program goes on in silence.
    }
}

LettoreSdl::~LettoreSdl()
{
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_fine = true;
    }
    m_segnale.notify_all();
    if (m_lavoratore.joinable())
        m_lavoratore.join();
}

void LettoreSdl::riproduci(const QString &percorso)
{
    if (!m_lavoratore.joinable())
        return;
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_richiesta = QFile::encodeName(percorso).toStdString();
        m_wav.clear();
        m_inAttesa = true;
    }
    m_segnale.notify_all();
}

void LettoreSdl::riproduciWav(const QByteArray &wav)
{
    if (!m_lavoratore.joinable())
        return;
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_richiesta.clear();
        m_wav = wav;
        m_inAttesa = true;
    }
    m_segnale.notify_all();
}

bool LettoreSdl::attendiInattivo(int millisecondi)
{
    if (!m_lavoratore.joinable())
        return true;
    std::unique_lock<std::mutex> blocco(m_mutex);
    return m_segnale.wait_for(blocco, std::chrono::milliseconds(millisecondi),
                              [this] { return !m_inAttesa && !m_occupato; });
}

LettoreSdl::Esito LettoreSdl::ultimoEsito()
{
    std::lock_guard<std::mutex> blocco(m_mutex);
    return m_esito;
}

void LettoreSdl::lavora()
{
    std::unique_lock<std::mutex> blocco(m_mutex);
    const auto richiesta = [this] { return m_inAttesa || m_fine; };
    for (;;) {
        if (m_dispositivo != Dispositivo::Aperto) {
            m_segnale.wait(blocco, richiesta);
        } else if (!m_segnale.wait_for(blocco, m_silenzio, richiesta)) {
            // Quiet for a while: let the sound system sleep until the next cue.
            blocco.unlock();
            if (Sdl::carica()->Playing(-1) == 0)
                chiudiDispositivo();
            blocco.lock();
            continue;
        }
        if (m_fine)
            break;
        const std::string percorso = m_richiesta;
        const QByteArray wav = m_wav;
        m_wav.clear();
        m_inAttesa = false;
        m_occupato = true;
        blocco.unlock();
        suona(percorso, wav);
        blocco.lock();
        m_occupato = false;
        m_segnale.notify_all();
    }
    blocco.unlock();
    if (m_dispositivo == Dispositivo::Aperto)
        chiudiDispositivo();
    // SDL frees a thread's own storage (its error messages) by itself only
    // for the threads it created.
    if (const Sdl *sdl = m_dispositivo == Dispositivo::NonProvato ? nullptr : Sdl::carica())
        sdl->TLSCleanup();
}

void LettoreSdl::chiudiDispositivo()
{
    const Sdl *sdl = Sdl::carica();
    sdl->HaltChannel(-1);
    if (m_suono) {
        sdl->FreeChunk(m_suono);
        m_suono = nullptr;
    }
    sdl->CloseAudio();
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
    m_dispositivo = Dispositivo::Chiuso;
    m_aperto = false;
}

bool LettoreSdl::apriDispositivo()
{
    if (m_dispositivo == Dispositivo::Aperto || m_dispositivo == Dispositivo::Assente)
        return m_dispositivo == Dispositivo::Aperto;
    StderrMuto muto;
    const Sdl *sdl = Sdl::carica();
    if (!sdl) {
        m_dispositivo = Dispositivo::Assente;
        return false;
    }
    // SDL would otherwise take over SIGINT and SIGTERM, and the program
    // would no longer stop when asked to (Ctrl+C, the end of a session).
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_dispositivo = Dispositivo::Assente;
        return false;
    }
    if (sdl->OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        m_dispositivo = Dispositivo::Assente;
        return false;
    }
    // One channel: a new cue takes the place of the one still sounding.
    sdl->AllocateChannels(1);
    m_dispositivo = Dispositivo::Aperto;
    m_aperto = true;
    return true;
}

void LettoreSdl::suona(const std::string &percorso, const QByteArray &wav)
{
    Esito esito = Esito::NessunDispositivo;
    if (apriDispositivo()) {
        // The request cuts off the sound still playing, even if its own
        // turns out to be unplayable.
        const Sdl *sdl = Sdl::carica();
        sdl->HaltChannel(-1);
        if (m_suono) {
            sdl->FreeChunk(m_suono);
            m_suono = nullptr;
        }
        // SDL_mixer copies the sound it loads: the voice's wave may go.
        SDL_RWops *file = wav.isEmpty() ? sdl->RWFromFile(percorso.c_str(), "rb")
                                        : sdl->RWFromConstMem(wav.constData(), int(wav.size()));
        if (file)
            m_suono = sdl->LoadWAV_RW(file, 1);
        if (m_suono && sdl->PlayChannelTimed(0, m_suono, 0, -1) >= 0)
            esito = Esito::Riprodotto;
        else
            esito = Esito::FileNonValido;
    }
    if (esito == Esito::NessunDispositivo && !wav.isEmpty())
        voce::avvisa(QStringLiteral("il computer non ha un dispositivo audio che funzioni"));
    std::lock_guard<std::mutex> blocco(m_mutex);
    m_esito = esito;
}

#include "lettoresdl.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

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
    m_lavoratore = SDL_CreateThread(&LettoreSdl::avvia, "suoni", this);
}

int LettoreSdl::avvia(void *lettore)
{
    static_cast<LettoreSdl *>(lettore)->lavora();
    return 0;
}

LettoreSdl::~LettoreSdl()
{
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_fine = true;
    }
    m_segnale.notify_all();
    if (m_lavoratore)
        SDL_WaitThread(m_lavoratore, nullptr);
}

void LettoreSdl::riproduci(const QString &percorso)
{
    if (!m_lavoratore)
        return;
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_richiesta = QFile::encodeName(percorso).toStdString();
        m_inAttesa = true;
    }
    m_segnale.notify_all();
}

void LettoreSdl::attendiInattivo()
{
    if (!m_lavoratore)
        return;
    std::unique_lock<std::mutex> blocco(m_mutex);
    m_segnale.wait(blocco, [this] { return !m_inAttesa && !m_occupato; });
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
            if (Mix_Playing(-1) == 0)
                chiudiDispositivo();
            blocco.lock();
            continue;
        }
        if (m_fine)
            break;
        const std::string percorso = m_richiesta;
        m_inAttesa = false;
        m_occupato = true;
        blocco.unlock();
        suonaFile(percorso);
        blocco.lock();
        m_occupato = false;
        m_segnale.notify_all();
    }
    blocco.unlock();
    if (m_dispositivo == Dispositivo::Aperto)
        chiudiDispositivo();
}

void LettoreSdl::chiudiDispositivo()
{
    Mix_HaltChannel(-1);
    if (m_suono) {
        Mix_FreeChunk(m_suono);
        m_suono = nullptr;
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_dispositivo = Dispositivo::NonProvato;
    m_aperto = false;
}

bool LettoreSdl::apriDispositivo()
{
    if (m_dispositivo != Dispositivo::NonProvato)
        return m_dispositivo == Dispositivo::Aperto;
    StderrMuto muto;
    // SDL would otherwise take over SIGINT and SIGTERM, and the program
    // would no longer stop when asked to (Ctrl+C, the end of a session).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_dispositivo = Dispositivo::Assente;
        return false;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_dispositivo = Dispositivo::Assente;
        return false;
    }
    // One channel: a new cue takes the place of the one still sounding.
    Mix_AllocateChannels(1);
    m_dispositivo = Dispositivo::Aperto;
    m_aperto = true;
    return true;
}

void LettoreSdl::suonaFile(const std::string &percorso)
{
    Esito esito = Esito::NessunDispositivo;
    if (apriDispositivo()) {
        // The request cuts off the cue still sounding, even if its own file
        // turns out to be unplayable.
        Mix_HaltChannel(-1);
        if (m_suono) {
            Mix_FreeChunk(m_suono);
            m_suono = nullptr;
        }
        m_suono = Mix_LoadWAV(percorso.c_str());
        if (m_suono && Mix_PlayChannel(0, m_suono, 0) >= 0)
            esito = Esito::Riprodotto;
        else
            esito = Esito::FileNonValido;
    }
    std::lock_guard<std::mutex> blocco(m_mutex);
    m_esito = esito;
}

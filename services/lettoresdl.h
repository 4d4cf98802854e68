#pragma once

#include "lettore.h"

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct Mix_Chunk;

// The player on SDL2_mixer. All audio work (loading the library and opening
// the device at the first request, reading the file, starting it) happens on
// a worker thread, so a slow sound system never holds up the window; requests that pile up while
// the worker is busy collapse into the newest one. Cues and the voice share
// its one channel, so that each cuts the other off. After a few quiet seconds
// the device is closed again: an open device keeps SDL's audio thread waking
// many times a second even in silence, and a program left waiting for the
// pupil should use no processor at all.
class LettoreSdl : public Lettore
{
public:
    enum class Esito { Nessuno, Riprodotto, FileNonValido, NessunDispositivo };

    explicit LettoreSdl(std::chrono::milliseconds silenzioPrimaDiChiudere = std::chrono::seconds(5));
    ~LettoreSdl() override;

    void riproduci(const QString &percorso) override;
    void riproduciWav(const QByteArray &wav) override;

    bool attendiInattivo(int millisecondi = 20000) override;
    Esito ultimoEsito();
    bool dispositivoAperto() const { return m_aperto; }

private:
    void lavora();
    bool apriDispositivo();
    void chiudiDispositivo();
    void suona(const std::string &percorso, const QByteArray &wav);

    std::mutex m_mutex;
    std::condition_variable m_segnale;
    std::string m_richiesta;
    QByteArray m_wav; // the request, when it is the voice's
    bool m_inAttesa = false;
    bool m_occupato = false;
    bool m_fine = false;
    Esito m_esito = Esito::Nessuno;
    const std::chrono::milliseconds m_silenzio;
    std::atomic<bool> m_aperto{false};

    // Owned by the worker thread only.
    enum class Dispositivo { NonProvato, Aperto, Chiuso, Assente } m_dispositivo = Dispositivo::NonProvato;
    Mix_Chunk *m_suono = nullptr;

    std::thread m_lavoratore;
};

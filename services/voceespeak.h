#pragma once

#include "voce.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// The program's voice: espeak-ng's Italian (SintesiEspeak), made on a thread
// of its own, so that the windows never wait for it, and played through the
// cues' player. The engine starts loading as the voice is made, while the
// title screen shows, so that the first sentence is not kept waiting for it.
// A reading replaced, or cut off by a cue, stops being made where it is.
class VoceEspeak : public Voce
{
public:
    VoceEspeak();
    ~VoceEspeak() override;

    void leggi(const QStringList &parti) override;
    void taci() override;

    // For tests: waits until every reading asked so far has been made and
    // handed to the player; false when still at work after the given time.
    bool attendiInattivo(std::chrono::milliseconds limite = std::chrono::seconds(20));

private:
    void lavora();

    std::mutex m_mutex;
    std::condition_variable m_segnale;
    QStringList m_richiesta;
    bool m_inAttesa = false;
    bool m_occupato = false;
    bool m_fine = false;
    // Grows with every request and every silence: a reading made for an
    // older one is thrown away.
    std::atomic<unsigned> m_generazione{0};
    // Lives in the windows' thread, where the player is handed each reading.
    QObject m_finestre;

    std::thread m_lavoratore;
};

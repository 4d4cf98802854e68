#include "voceespeak.h"

#include "lettore.h"
#include "sintesiespeak.h"

#include <system_error>

#ifndef Q_OS_WIN
#include <pthread.h>
#endif

VoceEspeak::VoceEspeak()
{
    try {
        m_lavoratore = std::thread([this] { lavora(); });
#ifndef Q_OS_WIN
        pthread_setname_np(m_lavoratore.native_handle(), "voce");
#endif
    } catch (const std::system_error &) {
        voce::avvisa(QStringLiteral("il sistema non ha lasciato avviare la voce"));
    }
}

VoceEspeak::~VoceEspeak()
{
    if (Voce::corrente() == this)
        Voce::imposta(nullptr);
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_fine = true;
        ++m_generazione;
    }
    m_segnale.notify_all();
    if (m_lavoratore.joinable())
        m_lavoratore.join();
}

void VoceEspeak::leggi(const QStringList &parti)
{
    // Made ready for the voice here, in the windows' thread: Qt's regular
    // expressions keep a stack for each thread they run in, which a thread
    // of the program's own (this voice's) frees unsafely as it ends on
    // Windows.
    QStringList parlate;
    for (const QString &parte : parti)
        parlate.append(testoParlato(parte));
    {
        std::lock_guard<std::mutex> blocco(m_mutex);
        m_richiesta = parlate;
        m_inAttesa = true;
        ++m_generazione;
    }
    m_segnale.notify_all();
}

void VoceEspeak::taci()
{
    std::lock_guard<std::mutex> blocco(m_mutex);
    m_inAttesa = false;
    ++m_generazione;
}

bool VoceEspeak::attendiInattivo(std::chrono::milliseconds limite)
{
    if (!m_lavoratore.joinable())
        return true;
    std::unique_lock<std::mutex> blocco(m_mutex);
    return m_segnale.wait_for(blocco, limite, [this] { return !m_inAttesa && !m_occupato; });
}

void VoceEspeak::lavora()
{
    QString motivo;
    SintesiEspeak *const sintesi = SintesiEspeak::carica(&motivo);
    if (!sintesi)
        voce::avvisa(motivo);
    std::unique_lock<std::mutex> blocco(m_mutex);
    for (;;) {
        m_segnale.wait(blocco, [this] { return m_inAttesa || m_fine; });
        if (m_fine)
            break;
        const QStringList parti = m_richiesta;
        const unsigned generazione = m_generazione;
        m_inAttesa = false;
        m_occupato = true;
        blocco.unlock();
        const auto superata = [this, generazione] { return m_generazione != generazione; };
        const QByteArray wav = sintesi ? sintesi->wav(parti, superata) : QByteArray();
        // Handed over in the windows' thread, and only if nothing has
        // replaced or silenced it meanwhile: a cue played since is not cut.
        if (!wav.isEmpty() && !superata())
            QMetaObject::invokeMethod(&m_finestre, [this, wav, superata] {
                if (!superata())
                    Lettore::corrente().riproduciWav(wav);
            }, Qt::QueuedConnection);
        blocco.lock();
        m_occupato = false;
        m_segnale.notify_all();
    }
}

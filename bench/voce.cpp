// The voice (--voce) on the real player: from VIA to the first sound of the
// sentence, and the memory it costs. The exercise screen is shown as the
// program shows it, the voice made as main() makes it; then VIA is pressed
// again and again, each time timing how long the sentence takes to reach the
// player (made, and handed over in the windows' thread) and to start
// playing there. Most presses come with the sound device open (the cue of
// VIA opens it, if the 5 quiet seconds before had closed it); the last two
// come after 6 quiet seconds, with the device closed.
//
//   bench_voce [senza]   "senza": the same presses with the voice off, for
//                        the memory it costs (VmHWM printed at the end)

#include "exercise/formb.h"
#include "services/lettore.h"
#include "services/toolkit.h"
#include "services/voceespeak.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The real player, with the moment each reading reaches it and starts.
class LettoreCronometrato : public Lettore
{
public:
    void riproduci(const QString &percorso) override { Lettore::reale().riproduci(percorso); }
    void riproduciWav(const QByteArray &wav) override
    {
        consegnata = cronometro.nsecsElapsed() / 1e6;
        Lettore::reale().riproduciWav(wav);
        Lettore::reale().attendiInattivo();
        avviata = cronometro.nsecsElapsed() / 1e6;
    }

    QElapsedTimer cronometro;
    double consegnata = -1, avviata = -1;
};

void attendi(int millisecondi)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < millisecondi) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

long memoria(const char *voce)
{
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &riga : stato.readAll().split('\n'))
        if (riga.startsWith(voce))
            return riga.mid(int(std::strlen(voce))).trimmed().split(' ').value(0).toLong();
    return -1;
}

void riga(const char *nome, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    std::printf("  %-34s median %6.1f ms, max %6.1f ms (%zu presses)\n", nome, v[v.size() / 2], v.back(), v.size());
}

} // namespace

int main(int argc, char **argv)
{
    const bool senza = argc > 1 && std::strcmp(argv[1], "senza") == 0;
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();
    LettoreCronometrato lettore;
    Lettore::imposta(&lettore);
    std::unique_ptr<VoceEspeak> voce;
    if (!senza) {
        voce = std::make_unique<VoceEspeak>();
        Voce::imposta(voce.get());
    }
    FormB &f = istanza<FormB>();
    f.Show();
    // The title screen's six seconds, shortened: the engine is loaded meanwhile.
    attendi(1500);

    std::vector<double> consegne, avvii, freddi;
    for (int i = 0; i < 22; ++i) {
        if (i >= 20)
            attendi(6000); // the player closes the device after 5 quiet seconds
        lettore.consegnata = lettore.avviata = -1;
        lettore.cronometro.start();
        f.VIA_Click();
        while (!senza && lettore.avviata < 0 && lettore.cronometro.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!senza && lettore.avviata < 0) {
            std::printf("no reading reached the player within 5 s\n");
            return 1;
        }
        (i >= 20 ? freddi : avvii).push_back(lettore.avviata);
        if (i < 20)
            consegne.push_back(lettore.consegnata);
        attendi(300);
    }
    if (!senza) {
        std::printf("VIA to the first sound of the sentence (the platform's real player):\n");
        riga("made and handed to the player", consegne);
        riga("playing, device open", avvii);
        riga("playing, device closed", freddi);
    }
    std::printf("peak memory VmHWM %ld kB, now VmRSS %ld kB\n", memoria("VmHWM:"), memoria("VmRSS:"));
    return 0;
}

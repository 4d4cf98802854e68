// The CPU Parsilia uses while it waits, on the real clock and the real sound
// player: the exercise screen waiting for VIA, the same with the clock
// running (a sentence on screen, no answer), and the one-second hold of a
// right and of a wrong answer. For each: the wall time, the CPU time of the
// main thread and of the whole process, and the CPU time of every thread,
// those that ended meanwhile included. The two waits are measured from 7 s
// after the last cue (the exercise screen's, then VIA's), once the player has
// closed the sound device after its 5 quiet seconds.

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "services/pulsante.h"
#include "services/temporizzatore.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include <unistd.h>

namespace {

// CPU time and times scheduled (each wake-up is one) of a thread.
struct UsoFilo
{
    double secondi = 0;
    long long risvegli = 0;
};

// Every thread of this process, by "name/tid".
std::map<QString, UsoFilo> filiCpu()
{
    std::map<QString, UsoFilo> fili;
    const QDir compiti(QStringLiteral("/proc/self/task"));
    for (const QString &tid : compiti.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile nome(compiti.filePath(tid + QStringLiteral("/comm")));
        QFile stat(compiti.filePath(tid + QStringLiteral("/schedstat")));
        if (!nome.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
            continue;
        // schedstat: nanoseconds on the CPU, nanoseconds waiting for it, times scheduled.
        const QStringList campi = QString::fromLatin1(stat.readAll()).split(QLatin1Char(' '));
        if (campi.size() < 3)
            continue;
        fili[QString::fromUtf8(nome.readAll()).trimmed() + QLatin1Char('/') + tid] =
            {campi.at(0).toDouble() / 1e9, campi.at(2).toLongLong()};
    }
    return fili;
}

// The main thread is the one whose id is the process's.
bool principale(const QString &filo)
{
    return filo.endsWith(QStringLiteral("/%1").arg(getpid()));
}

struct Istante
{
    double parete = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    double processo = double(std::clock()) / CLOCKS_PER_SEC;
    std::map<QString, UsoFilo> fili = filiCpu();

    double filo() const
    {
        for (const auto &[nome, uso] : fili)
            if (principale(nome))
                return uso.secondi;
        return 0;
    }
};

void riporta(const char *che, const Istante &da, const Istante &a)
{
    std::printf("%s\n", che);
    std::printf("  wall %.3f s; CPU of the whole process %.3f ms\n", a.parete - da.parete,
                (a.processo - da.processo) * 1e3);
    UsoFilo altri;
    int finiti = 0;
    for (const auto &[filo, uso] : a.fili) {
        const auto prima = da.fili.find(filo);
        const UsoFilo inizio = prima == da.fili.end() ? UsoFilo() : prima->second;
        const UsoFilo qui = {uso.secondi - inizio.secondi, uso.risvegli - inizio.risvegli};
        std::printf("    %-11s %-24s %9.3f ms, %6lld wake-ups%s\n",
                    principale(filo) ? "main thread" : "thread", qPrintable(filo), qui.secondi * 1e3,
                    qui.risvegli, prima == da.fili.end() ? " (started meanwhile)" : "");
        if (!principale(filo)) {
            altri.secondi += qui.secondi;
            altri.risvegli += qui.risvegli;
        }
    }
    // A thread gone by the end was running during the interval: its last
    // moments are not in /proc any more, only in the process's CPU time.
    for (const auto &[filo, uso] : da.fili)
        if (a.fili.count(filo) == 0) {
            std::printf("    %-11s %-24s ended meanwhile\n", "thread", qPrintable(filo));
            ++finiti;
        }
    std::printf("  other threads: %.3f ms, %lld wake-ups, %d ended\n", altri.secondi * 1e3, altri.risvegli,
                finiti);
}

// Lets the event loop run for the given seconds, as the program does between events.
void lascia(double secondi)
{
    QEventLoop ciclo;
    QTimer::singleShot(int(secondi * 1000), Qt::PreciseTimer, &ciclo, &QEventLoop::quit);
    ciclo.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    const double durata = argc > 1 ? std::atof(argv[1]) : 5.0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parsilia"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();

    FormB &f = istanza<FormB>();
    f.Show();
    int scatti = 0;
    QObject::connect(f.Timer1, &Temporizzatore::Timer, [&scatti] { ++scatti; });
    // Painted, its cue played, and the sound device closed again.
    const double dopoIlSuono = 7.0;
    lascia(dopoIlSuono);

    {
        const Istante da;
        lascia(durata);
        riporta(qPrintable(QStringLiteral("Exercise screen waiting for VIA, %1 s:").arg(durata)), da, Istante());
    }

    f.VIA_Click();
    lascia(dopoIlSuono);
    {
        scatti = 0;
        const Istante da;
        lascia(durata);
        const Istante a;
        riporta(qPrintable(QStringLiteral("Clock running, no answer, %1 s:").arg(durata)), da, a);
        std::printf("  clock ticks %d; main thread %.1f us per tick\n", scatti,
                    scatti ? (a.filo() - da.filo()) * 1e6 / scatti : 0.0);
    }

    // A right answer with more phrases to follow: one hold.
    if (Modulo1::numerosintagma >= Modulo1::codici(Modulo1::numerofrase, 0)) {
        std::fprintf(stderr, "the sentence drawn has a single phrase\n");
        return 1;
    }
    {
        const Istante da;
        f.com_Click(Modulo1::codiceatteso);
        riporta("Right answer, com_Click with its one-second hold:", da, Istante());
    }
    lascia(0.5);
    {
        const Istante da;
        f.com_Click(Modulo1::codiceatteso % 16 + 1);
        riporta("Wrong answer, com_Click with its one-second hold:", da, Istante());
    }
    f.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

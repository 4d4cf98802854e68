#include "avvio/rigadicomando.h"
#include "avvio/sceltabanca.h"
#include "screens/iniziale.h"
#include "services/console.h"
#include "services/criteri.h"
#include "services/lettoremuto.h"
#include "services/toolkit.h"
#include "services/voceespeak.h"

#include <QApplication>
#include <QCommandLineParser>

#include <memory>

int main(int argc, char **argv)
{
    // The silent player outlives the application and its windows, which may
    // still ask for a cue as they go.
    LettoreMuto muto;
    // Checking or exporting a bank, the help and the version only write to
    // the terminal: they need no display, so no QApplication.
    const bool finestre = rigadicomando::apreFinestre(argc, argv);
    const bool terminale = finestre || collegaConsole();
    // Started from the desktop, a command line it cannot understand is
    // told in a message box, which needs the display after all.
    const bool messaggio = !terminale && rigadicomando::usoErrato(argc, argv);
    const std::unique_ptr<QCoreApplication> app(finestre || messaggio ? new QApplication(argc, argv)
                                                                      : new QCoreApplication(argc, argv));
    toolkit::preparaIdentita();
    QCommandLineParser riga;
    rigadicomando::prepara(riga);
    if (const std::optional<int> esito = rigadicomando::esegui(riga, terminale))
        return *esito;

    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();
    sceltabanca::carica(rigadicomando::fileBanca(riga));
    // Not even the sound system is loaded, unless the voice needs it. A
    // lab's policy silences every start, the menu's and a file opened from
    // the desktop alike.
    if (riga.isSet(QStringLiteral("muto")) || mutoPerCriterio())
        Lettore::imposta(&muto);
    // The voice is made before the first screen, so that it is ready by the
    // first VIA; without --voce nothing of it is loaded. It is destroyed
    // before the application, to which its last reading may be on its way.
    std::unique_ptr<VoceEspeak> voce;
    if (riga.isSet(QStringLiteral("voce"))) {
        voce = std::make_unique<VoceEspeak>();
        Voce::imposta(voce.get());
    }
    // The program starts on its title screen; everything else follows from
    // the screens' own events.
    istanza<Iniziale>().Show();
    return app->exec();
}

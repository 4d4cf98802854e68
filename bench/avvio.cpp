// Parsilia's start-up, as main.cpp does it, ended as soon as the title screen
// has been painted. With the argument "esercizio" it goes on as the title's
// own timer would, and ends once the exercise screen has been painted.
// Marks along the way: main() reached (the libraries loaded), QApplication
// built, the title screen built, loaded and shown, painted. The command line
// is read and the teacher's file looked for as Parsilia does, on a command
// line without the argument above.

#include "segni.h"

#include "avvio/rigadicomando.h"
#include "avvio/sceltabanca.h"
#include "exercise/formb.h"
#include "screens/iniziale.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstring>

int main(int argc, char **argv)
{
    segna("main");
    const bool finoAEsercizio = argc > 1 && std::strcmp(argv[1], "esercizio") == 0;
    argc = 1;

    if (!rigadicomando::apreFinestre(argc, argv))
        return 1;
    QApplication app(argc, argv);
    segna("qapplication");
    toolkit::preparaIdentita();
    QCommandLineParser riga;
    rigadicomando::prepara(riga);
    if (rigadicomando::esegui(riga, true))
        return 1;
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();
    sceltabanca::carica(riga.value(QStringLiteral("banca")));

    Iniziale &titolo = istanza<Iniziale>();
    segna("costruita");
    new DopoPrimoDisegno(&titolo, [&titolo, finoAEsercizio] {
        segna("titolo");
        if (!finoAEsercizio) {
            QCoreApplication::quit();
            return;
        }
        // The exercise screen is built here only to watch it; the hand-over
        // shows this same instance.
        FormB &esercizio = istanza<FormB>();
        new DopoPrimoDisegno(&esercizio, [] {
            segna("esercizio");
            QCoreApplication::quit();
        });
        titolo.Timer1_Timer();
    });
    titolo.Show();
    segna("mostrata");
    return app.exec();
}

#pragma once

#include "lettoreregistra.h"
#include "orologiofinto.h"

#include "exercise/modulo1.h"
#include "services/forma.h"
#include "services/ridimschermo.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QTimer>

#include <functional>

// A fresh program for every test: a fake clock, a recording player, the
// shared state as at start-up, and no window left from the test before.
struct Ambiente
{
    OrologioFinto orologio;
    LettoreRegistra lettore;

    Ambiente()
    {
        Modulo1::azzera();
        ridimschermo::azzera();
        toolkit::azzeraTerminazione();
        // The test program must outlive the FINE of every test.
        toolkit::impostaUscita([] {});
    }

    ~Ambiente()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<Forma *>(w))
                f->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ridimschermo::azzera();
    }
};

// Runs the given check as soon as a modal window is up, then lets the test
// go on: a window the check left open (a failed comparison) is closed.
inline void quandoModale(std::function<void(QWidget *)> azione)
{
    auto *attesa = new QTimer;
    attesa->setInterval(0);
    QObject::connect(attesa, &QTimer::timeout, [attesa, azione] {
        if (QWidget *modale = QApplication::activeModalWidget()) {
            attesa->stop();
            attesa->deleteLater();
            azione(modale);
            auto *forma = qobject_cast<Forma *>(modale);
            if (forma && !forma->scaricata())
                forma->Unload();
        }
    });
    attesa->start();
}

#pragma once

#include "lettoreregistra.h"
#include "orologiofinto.h"

#include "exercise/modulo1.h"
#include "services/forma.h"
#include "services/ridimschermo.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <functional>

// The checks waiting for a modal window (quandoModale).
inline QObject &attesaDiModali()
{
    static QObject attese;
    return attese;
}

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
        int maiAperte = 0;
        for (QTimer *attesa : attesaDiModali().findChildren<QTimer *>()) {
            maiAperte += attesa->isActive();
            delete attesa;
        }
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<Forma *>(w))
                f->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ridimschermo::azzera();
        if (maiAperte)
            QTest::qFail("the test ended still waiting for a modal window", __FILE__, __LINE__);
    }
};

// Runs the given check as soon as a modal window is up, then lets the test
// go on: a window the check left open (a failed comparison) is closed. It
// gives up, with a failure, when no modal window has come after five seconds
// of the event loop running (then every window shown with an owner is
// closed, so that a show waiting for it returns), or when the test ends first.
inline void quandoModale(std::function<void(QWidget *)> azione)
{
    auto *attesa = new QTimer(&attesaDiModali());
    attesa->setInterval(0);
    QElapsedTimer trascorso;
    trascorso.start();
    QObject::connect(attesa, &QTimer::timeout, [attesa, azione, trascorso] {
        QWidget *modale = QApplication::activeModalWidget();
        if (!modale && trascorso.elapsed() < 5000)
            return;
        attesa->stop();
        attesa->deleteLater();
        if (!modale) {
            QTest::qFail("no modal window came within five seconds", __FILE__, __LINE__);
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *forma = qobject_cast<Forma *>(w); forma && (w->isModal() || w->parentWidget()))
                    forma->Unload();
            return;
        }
        azione(modale);
        auto *forma = qobject_cast<Forma *>(modale);
        if (forma && !forma->scaricata())
            forma->Unload();
    });
    attesa->start();
}

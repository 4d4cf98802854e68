#pragma once

#include "lettoreregistra.h"
#include "orologiofinto.h"

#include "exercise/modulo1.h"
#include "services/doppioclic.h"
#include "services/forma.h"
#include "services/ridimschermo.h"
#include "services/toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

// The window of the kind that is on the screen, if any.
template<class F>
F *aperta()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<F *>(w); f && !f->scaricata() && f->isVisible())
            return f;
    return nullptr;
}

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
        DoppioClic::azzera();
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
        // The check may let the event loop run, and the window go for good.
        const QPointer<QWidget> finestra = modale;
        azione(modale);
        auto *forma = qobject_cast<Forma *>(finestra.data());
        if (forma && !forma->scaricata())
            forma->Unload();
    });
    attesa->start();
}

// A click the pupil made at the given time, in milliseconds on Qt Test's
// own scale (the platform's time of the release), whenever it is delivered.
inline void clicAl(QWidget *w, int ms)
{
    QTest::lastMouseTimestamp = ms - 2; // Qt Test adds one before the press
    QTest::mouseClick(w, Qt::LeftButton);
}

// What the screen shows of a window, that is what has been painted into it,
// against the window drawn as it stands now: "" when they agree, or the
// control where the screen first shows something else.
inline QString schermoIndietro(QWidget *finestra)
{
    const QImage schermo = finestra->screen()->grabWindow(finestra->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage ora = finestra->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (schermo.size() != ora.size())
        return QStringLiteral("the screen holds %1x%2 of a %3x%4 window")
            .arg(schermo.width()).arg(schermo.height()).arg(ora.width()).arg(ora.height());
    for (int y = 0; y < ora.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(schermo.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(ora.constScanLine(y));
        for (int x = 0; x < ora.width(); ++x) {
            if (a[x] == b[x])
                continue;
            const QWidget *w = finestra->childAt(x, y);
            const QString testo = w ? w->property("text").toString() : QString();
            const QString cosa = !w ? QStringLiteral("the window's background")
                                 : qobject_cast<const QLabel *>(w) ? QStringLiteral("the label \"%1\"").arg(testo)
                                 : qobject_cast<const QAbstractButton *>(w) ? QStringLiteral("the button \"%1\"").arg(testo)
                                 : QString::fromUtf8(w->metaObject()->className());
            return QStringLiteral("at %1,%2 the screen shows %3 as it was, not as it is now").arg(x).arg(y).arg(cosa);
        }
    }
    return {};
}

// How many pixels of the given colour the screen shows in an area of a window.
inline int pixelSulloSchermo(QWidget *finestra, const QRect &area, const QColor &colore)
{
    const QImage schermo = finestra->screen()->grabWindow(finestra->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += schermo.valid(x, y) && schermo.pixelColor(x, y) == colore;
    return n;
}

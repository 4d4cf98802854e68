#pragma once

#include "guardia.h"

#include <QObject>

#include <deque>

class QInputEvent;

// Keeps input the pupil made while the screen held still or changed from
// landing on what the screen shows afterwards: the second click of a
// double-click on a category button, clicks on the pink screen of a wrong
// answer, the second press of a double-click that opened or closed one of
// the program's windows (the side windows open over the category buttons,
// and the focus moves with the windows).
//
// Each input is judged by when it was made, not by when it is delivered: a
// busy or slow PC may hand it over a second late. Qt's events carry the
// platform's time (the X server's, on Linux); where they do not (Windows),
// the platform's own record judges the input first (services/tempoinput).
class DoppioClic : public QObject
{
public:
    // Installed once on the application, by the first window made.
    static void installa();
    // A hold has just ended: what was made since the input that started it
    // is no answer, however late it comes.
    static void finePausa();
    // As at start-up: no input seen, nothing guarded (a test's fresh program).
    static void azzera();

    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void proteggi(qint64 dopo);
    void annota(const QInputEvent *evento);
    qint64 adesso() const;

    Guardia m_guardia;
    // How the events' clock stands against the program's: for each input,
    // the program's milliseconds at its delivery less the event's own. The
    // smallest of the last few seconds is the one delivered without delay.
    struct Campione
    {
        double orologio;
        qint64 scarto;
    };
    std::deque<Campione> m_campioni;
};

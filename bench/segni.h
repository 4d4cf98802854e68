#pragma once

#include "monotono.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <functional>

// What the start-up programs tell bench_cronometro: one line per mark,
// "segno NAME NANOSECONDS", read on the clock the harness reads just before it
// starts the program.
inline void segna(const char *nome)
{
    std::printf("segno %s %lld\n", nome, nanosecondiMonotoni());
    std::fflush(stdout);
}

// Calls an action once, when a window's first paint is over: the paint event
// of the window starts one pass that paints the window and every control in
// it and hands the picture to the platform, and the zero timer set here runs
// only once that pass has returned to the event loop.
class DopoPrimoDisegno : public QObject
{
public:
    DopoPrimoDisegno(QObject *finestra, std::function<void()> azione)
        : QObject(finestra), m_azione(std::move(azione))
    {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (!m_visto && oggetto == parent() && evento->type() == QEvent::Paint) {
            m_visto = true;
            QTimer::singleShot(0, QCoreApplication::instance(), m_azione);
        }
        return false;
    }

private:
    std::function<void()> m_azione;
    bool m_visto = false;
};

#pragma once

#include <QObject>

class QInputEvent;

// Keeps the second press of a double-click from landing on a window it was
// not meant for. A click that opens or closes one of the program's windows
// uncovers, or covers, another control under the pointer (the side windows
// open over the category buttons), and the focus moves with the windows:
// a press of the mouse or of a key that comes within the platform's
// double-click interval after a window opened or closed is thrown away,
// together with its release. A deliberate press a moment later counts.
//
// Time is the input events' own (the platform's milliseconds). The moment of
// a window's change is the time of the last input plus what the program's
// clock says has passed since, so a window that opens at the end of the
// one-second hold is guarded from that moment, not from the click before it.
class DoppioClic : public QObject
{
public:
    // Installed once on the application, by the first window made.
    static void installa();

    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    bool troppoPresto(const QInputEvent *evento) const;
    void annota(const QInputEvent *evento);

    // The last input event with a time of its own, and the clock then.
    bool m_visto = false;
    qint64 m_ultimo = 0;
    double m_orologio = 0;
    // When a window last opened or closed, in the events' time.
    bool m_cambiato = false;
    qint64 m_cambio = 0;
};

#pragma once

#include <QStringList>

// Reading aloud, for pupils who read with difficulty: the screens ask for a
// text to be read, and nothing more. Off unless the pupil asks for it
// (--voce): then there is no voice at all, and asking to read is nothing.
class Voce
{
public:
    virtual ~Voce() = default;

    // Reads the parts one after another, with a short pause between them,
    // in place of the reading in progress. Returns at once: nothing ever
    // waits for speech.
    virtual void leggi(const QStringList &parti) = 0;
    // Drops the reading still being prepared (a cue has cut the one playing).
    virtual void taci() = 0;

    // The voice in use, null while the voice is off; tests put a recording one.
    static Voce *corrente();
    static void imposta(Voce *voce);
};

// What the screens call.
namespace voce {

bool attiva();
// Nothing is read while the voice is off, or during a hold.
void leggi(const QStringList &parti);
void leggi(const QString &testo);
void taci();
// A hold: between true and false nothing is read.
void sospendi(bool sospesa);

// Says why the pupil hears no voice: once a run at most, in a window that
// does not stop the drill. Any thread may call it.
void avvisa(const QString &motivo);

} // namespace voce

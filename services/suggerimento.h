#pragma once

#include <QString>

class QWidget;

// Gives a control its tooltip, which screen readers also read as the
// control's description. The tip shows on the control enabled or not (the
// category buttons are disabled between sentences, when a pupil may well
// read the questions), but not during a hold, nor while its window takes no
// input or a modal window, such as the grade screen, blocks it. A tip
// already up goes at once when the control is disabled or a hold begins: Qt
// hides a tip only after a short delay, and the hold handles no events, so
// the tip would stay over the screen for the whole second.
//
// With the voice on, a control given something to say (daLeggere) says it
// whenever its tip shows, and when it gets the focus with Tab: a pupil who
// reads with difficulty hears a category's name and question.
void suggerimento(QWidget *controllo, const QString &testo, const QString &daLeggere = QString());

// No tip shows, and nothing is read, between a true and a false: the
// one-second hold.
void sospendiSuggerimenti(bool sospendi);

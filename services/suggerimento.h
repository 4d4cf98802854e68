#pragma once

class QString;
class QWidget;

// Gives a control its tooltip, which screen readers also read as the
// control's description. The tip shows on the control enabled or not (the
// category buttons are disabled between sentences, when a pupil may well
// read the questions), but not during a hold, nor while its window takes no
// input or a modal window, such as the grade screen, blocks it. A tip
// already up goes at once when the control is disabled or a hold begins: Qt
// hides a tip only after a short delay, and the hold handles no events, so
// the tip would stay over the screen for the whole second.
void suggerimento(QWidget *controllo, const QString &testo);

// No tip shows between a true and a false: the one-second hold.
void sospendiSuggerimenti(bool sospendi);

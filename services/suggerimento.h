#pragma once

class QString;
class QWidget;

// Gives a control its tooltip, which screen readers also read as the
// control's description. The tip shows only while the control takes input:
// Qt would show it on a disabled control too, and the exercise screen
// disables its buttons (or the whole window) for the one-second hold; nor
// does it show while a modal window, such as the grade screen, blocks the
// control's window. A tip already up goes at once when the control is
// disabled: Qt hides a tip only after a short delay, and the hold handles no
// events, so the tip would stay over the screen for the whole second.
void suggerimento(QWidget *controllo, const QString &testo);

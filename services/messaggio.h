#pragma once

#include "italianoqt.h"

#include <QMessageBox>

// A message box of Parsilia's for a teacher, in Italian: a text, and
// optionally details under «Mostra dettagli...» (a file's problems, one a
// line) in an area tall enough to read twenty of them. Qt fixes a message
// box to the size it lays it out at; this one the teacher may then enlarge,
// and its details grow with it.
class Messaggio : public QMessageBox
{
    Q_OBJECT

public:
    Messaggio(Icon icona, const QString &testo, const QString &dettagli = QString());

    // The area of the details, or nullptr when there are none.
    QWidget *areaDettagli() const;

protected:
    bool event(QEvent *evento) override;

private:
    void liberaDimensioni();

    // Installed while the box is open, before Qt names its buttons.
    ItalianoQt m_italiano;
};

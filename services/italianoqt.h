#pragma once

#include <QTranslator>

// Qt's own words that a teacher meets in Parsilia, in Italian: the button of
// a message box that shows or hides the whole list of a file's problems.
// Installed while such a box is open (Qt asks for the words as it builds
// the button and each time it is pressed).
class ItalianoQt : public QTranslator
{
public:
    ItalianoQt();
    ~ItalianoQt() override;

    QString translate(const char *contesto, const char *testo, const char *disambiguazione, int n) const override;
    bool isEmpty() const override { return false; }
};

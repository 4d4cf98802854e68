#include "italianoqt.h"

#include <QCoreApplication>

#include <cstring>

ItalianoQt::ItalianoQt()
{
    QCoreApplication::installTranslator(this);
}

ItalianoQt::~ItalianoQt()
{
    QCoreApplication::removeTranslator(this);
}

QString ItalianoQt::translate(const char *contesto, const char *testo, const char *, int) const
{
    if (!contesto || !testo || std::strcmp(contesto, "QMessageBox") != 0)
        return QString();
    if (std::strcmp(testo, "Show Details...") == 0)
        return QStringLiteral("Mostra dettagli...");
    if (std::strcmp(testo, "Hide Details...") == 0)
        return QStringLiteral("Nascondi dettagli...");
    return QString();
}

#include "console.h"

void collegaConsole()
{
}

QString guidaDelFile()
{
    return QStringLiteral("man parsilia");
}

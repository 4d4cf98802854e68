#include "console.h"

void collegaConsole()
{
}

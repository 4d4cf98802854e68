#include "console.h"

#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

bool collegaConsole()
{
    if (isatty(STDIN_FILENO) || isatty(STDOUT_FILENO) || isatty(STDERR_FILENO))
        return true;
    // A pipe: a script or another program reads the errors. A desktop sends
    // them to its log, a socket or a file nobody opens.
    struct stat errori;
    if (fstat(STDERR_FILENO, &errori) == 0 && S_ISFIFO(errori.st_mode))
        return true;
    // With no display there is no message box to show either.
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

#include "console.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

bool collegaConsole()
{
    // Output already sent somewhere (a file, a pipe) stays there.
    const auto diretto = [](DWORD quale) {
        const HANDLE h = GetStdHandle(quale);
        return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
    };
    if (diretto(STD_OUTPUT_HANDLE) && diretto(STD_ERROR_HANDLE))
        return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return diretto(STD_ERROR_HANDLE); // started from the desktop: nobody to write to
    // The console shows the program's UTF-8 as UTF-8 (accented letters),
    // and gets its own code page back when the program ends: the Prompt
    // goes on with it.
    static const UINT paginaPrima = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    if (paginaPrima != 0)
        std::atexit([] { SetConsoleOutputCP(paginaPrima); });
    if (!diretto(STD_OUTPUT_HANDLE))
        std::freopen("CONOUT$", "w", stdout);
    if (!diretto(STD_ERROR_HANDLE))
        std::freopen("CONOUT$", "w", stderr);
    return true;
}

// A stand-in for Parsilia.exe, for prova-msi.sh --sostituto: a Windows GUI
// program, as the real one is, that answers --version as the real one does
// and writes the folder it was started in and then its arguments, one a
// line, to the file named by the environment variable PARSILIA_ARGOMENTI
// (so a test can see what a shortcut passed). It lets the installer be
// tried without the long cross-build of Qt.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#ifndef VERSIONE
#define VERSIONE "0.0.0"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int n = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &n);
    if (!argv)
        return 2;
    wchar_t file[MAX_PATH];
    if (GetEnvironmentVariableW(L"PARSILIA_ARGOMENTI", file, MAX_PATH) > 0) {
        if (FILE *f = _wfopen(file, L"w")) {
            wchar_t cartella[MAX_PATH];
            if (GetCurrentDirectoryW(MAX_PATH, cartella) == 0)
                cartella[0] = L'\0';
            std::fprintf(f, "%ls\n", cartella);
            for (int i = 1; i < n; ++i)
                std::fprintf(f, "%ls\n", argv[i]);
            std::fclose(f);
        }
    }
    for (int i = 1; i < n; ++i) {
        if (std::wcscmp(argv[i], L"--version") == 0) {
            std::printf("parsilia %s\n", VERSIONE);
            std::fflush(stdout);
            return 0;
        }
    }
    return 0;
}

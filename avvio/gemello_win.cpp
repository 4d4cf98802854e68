// Parsilia.com, the console twin of Parsilia.exe on Windows.
//
// A Command Prompt does not wait for a program with windows, nor keep its
// exit code: "parsilia --verifica frasi.txt" would print after the next
// prompt and leave ERRORLEVEL as it was. Typed without an extension,
// "parsilia" finds this twin first (.COM comes before .EXE in PATHEXT): it
// starts Parsilia.exe beside it with the same arguments, on the same
// console, waits for it and returns its exit code.

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The command line after the program's own name, as the Prompt passed it.
const wchar_t *argomenti(const wchar_t *riga)
{
    bool virgolette = false;
    for (; *riga; ++riga) {
        if (*riga == L'"')
            virgolette = !virgolette;
        else if (!virgolette && (*riga == L' ' || *riga == L'\t'))
            break;
    }
    return riga;
}

int errore(const wchar_t *cosa, const std::wstring &programma)
{
    std::fwprintf(stderr, L"parsilia: %ls %ls (errore %lu)\n", cosa, programma.c_str(), GetLastError());
    return 1;
}

} // namespace

int wmain()
{
    std::wstring programma(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, programma.data(), DWORD(programma.size()));
        if (n == 0)
            return errore(L"non trova se stesso:", L"");
        if (n < programma.size()) {
            programma.resize(n);
            break;
        }
        programma.resize(programma.size() * 2);
    }
    programma.replace(programma.find_last_of(L"\\/") + 1, std::wstring::npos, L"Parsilia.exe");

    std::wstring riga = L"\"" + programma + L"\"" + argomenti(GetCommandLineW());
    STARTUPINFOW avvio{};
    avvio.cb = sizeof avvio;
    avvio.dwFlags = STARTF_USESTDHANDLES;
    avvio.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    avvio.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    avvio.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    // Parsilia writes UTF-8: the console shows its accented letters so, and
    // goes back to its own code page afterwards.
    const UINT paginaPrima = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    PROCESS_INFORMATION processo{};
    if (!CreateProcessW(programma.c_str(), riga.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &avvio,
                        &processo)) {
        SetConsoleOutputCP(paginaPrima);
        return errore(L"non si avvia:", programma);
    }
    WaitForSingleObject(processo.hProcess, INFINITE);
    DWORD esito = 1;
    GetExitCodeProcess(processo.hProcess, &esito);
    CloseHandle(processo.hThread);
    CloseHandle(processo.hProcess);
    if (paginaPrima != 0)
        SetConsoleOutputCP(paginaPrima);
    return int(esito);
}

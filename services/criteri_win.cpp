#include "criteri.h"

#include <windows.h>

bool mutoPerCriterio()
{
    // Read, never created: a start writes nothing, not even an empty key.
    DWORD muto = 0;
    DWORD dimensione = sizeof muto;
    const LSTATUS esito = RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Parsilia", L"Muto",
                                       RRF_RT_REG_DWORD, nullptr, &muto, &dimensione);
    return esito == ERROR_SUCCESS && muto != 0;
}

#pragma once

// What the administrator of a school's PCs decides for every user of a
// machine. On Windows a group policy pushes it into the registry, under
// HKEY_LOCAL_MACHINE\Software\Policies\Parsilia, where users cannot write;
// elsewhere nothing of the kind is set.

// True when the machine's policy wants Parsilia silent, whoever starts it
// and however: the DWORD value Muto, not 0. Read once, at start, with the
// option --muto.
bool mutoPerCriterio();

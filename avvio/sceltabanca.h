#pragma once

#include "content/regolebanca.h"

#include <QList>
#include <QString>

// Which sentences the drill uses, decided once at start-up: a teacher's
// file, or the bank compiled into the program.
namespace sceltabanca {

// Where a teacher's file is looked for, under each of the standard data
// folders (QStandardPaths::GenericDataLocation): the user's own first
// (~/.local/share), then the system's (/usr/local/share, /usr/share).
inline constexpr char percorsoRelativo[] = "parsilia/frasi.txt";

// The first teacher's file that exists in the folders above, or "".
QString fileTrovato();

// Every teacher's file in the folders above, the user's first; in a folder
// without frasi.txt, a frasi.txt.txt (as Explorer, hiding extensions, lets
// a teacher name a new text document).
QStringList fileTrovati();

// Reads the teacher's file named on the command line, or else the first
// found above, into Modulo1::frasiinsegnante, and says which in
// Modulo1::frasiinuso. A file with a problem gives way to the next in that
// order (a pupil's broken file to the class's), and the last of them to the
// bank compiled into the program. Only the file named on the command line,
// which a teacher opened herself, gets a message box: its problems, or the
// warnings about its lines. The file is read here only: what happens to it
// later changes nothing.
void carica(const QString &fileIndicato);

// The bank compiled into the program, as a teacher's sentences.
QList<FraseBanca> frasiIncorporate();

} // namespace sceltabanca

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

// Reads the teacher's file named on the command line, or else the one
// found above, into Modulo1::frasiinsegnante. Without one the bank compiled
// into the program is used; so it is when the file has a problem, which a
// message box names. The file is read here only: what happens to it later
// changes nothing.
void carica(const QString &fileIndicato);

// The bank compiled into the program, as a teacher's sentences.
QList<FraseBanca> frasiIncorporate();

} // namespace sceltabanca

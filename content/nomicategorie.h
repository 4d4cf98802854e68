#pragma once

#include <QString>

// The names a teacher's file may give a category, and what the reader says
// of a name it does not know.
namespace bancainsegnante {

// The code of a category as a teacher may write it, or 0.
int codiceCategoria(const QString &nome);
// The name a file gives the category: the button's caption in lower case.
QString nomeCategoria(int codice);

// A name of school grammar for a complement with no button of its own, which
// a file writes «altro».
bool senzaTasto(const QString &nome);
// The accepted name of the one category whose own words (oggetto, termine,
// moto a...) a name not understood holds, or "" when there is none.
QString nomeVicino(const QString &nome);

} // namespace bancainsegnante

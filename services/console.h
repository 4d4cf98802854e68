#pragma once

#include <QString>

// Where the command line's answers (--verifica, --esporta, --help,
// --version) are written. A program with windows has no console of its own
// on Windows: started from a Command Prompt, it writes to that one.
// Elsewhere the terminal is there already and nothing is done.
void collegaConsole();

// Where whoever reads the help finds how a teacher's file is written: the
// manual page, or on Windows the readme beside the program, which has none.
QString guidaDelFile();

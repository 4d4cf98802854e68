#pragma once

// Where the command line's answers (--verifica, --esporta, --help,
// --version) are written. A program with windows has no console of its own
// on Windows: started from a Command Prompt, it writes to that one.
// Elsewhere the terminal is there already and nothing is done.
void collegaConsole();

#pragma once

// Where the command line's answers (--verifica, --esporta, --help,
// --version) are written. A program with windows has no console of its own
// on Windows: started from a Command Prompt, it writes to that one.
// Elsewhere the terminal is there already and nothing is done.
//
// True when someone reads what is written: a terminal or a Command Prompt,
// or output sent on to a file or another program. False when Parsilia was
// started from the desktop (Explorer, a menu, a shortcut, files dropped on
// it), where what it writes goes nowhere a person looks.
bool collegaConsole();

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// Parsilia's command line:
//
//   parsilia [--banca FILE | FILE] [--muto] [--voce]
//                               the drill, on a teacher's sentences if named
//                               (a file opened with Parsilia from the
//                               desktop comes without the option), without
//                               cues or reading aloud if asked
//   parsilia --verifica FILE    checks a teacher's file and says what is wrong
//   parsilia --esporta FILE     writes the built-in sentences in that format
//   parsilia --help | --version
//
// The options are declared once, in a table in rigadicomando.cpp: a new
// option is a new row there, read from the parser by whoever needs it.
namespace rigadicomando {

// Exit status of a command line that cannot be understood.
constexpr int esitoUsoErrato = 2;

// True when the command line asks for the drill, and so for a display:
// checking and exporting a bank, the help, the version and a command line
// that cannot be understood only write to the terminal, and must work with
// no display at all. Qt's own options (-platform, -style, ...) are let
// through; QApplication reads them.
bool apreFinestre(int argc, char **argv);

// True when the command line cannot be understood: two files at once (as
// when they are dropped together on Parsilia), an unknown option.
bool usoErrato(int argc, char **argv);

// Declares the options to a parser.
void prepara(QCommandLineParser &parser);

// The teacher's file the drill is asked for, by --banca or by its name
// alone; empty when none is.
QString fileBanca(const QCommandLineParser &parser);

// Parses the application's arguments and does whatever needs no window:
// returns the exit status then, or nothing when the drill is to start. A
// command line that cannot be understood is explained on standard error
// and, when no terminal shows it (terminale false), in a message box too.
std::optional<int> esegui(QCommandLineParser &parser, bool terminale,
                          const QStringList &argomenti = QCoreApplication::arguments());

} // namespace rigadicomando

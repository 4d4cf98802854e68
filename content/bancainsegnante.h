#pragma once

#include "nomicategorie.h"
#include "regolebanca.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// A teacher's own sentences: a plain UTF-8 text file written in any editor.
//
//   # a comment
//   Il gatto dorme sul divano.
//   Il gatto = soggetto
//   dorme = predicato verbale
//   sul divano. = complemento di stato in luogo
//
// One sentence per block, blocks separated by blank lines: the whole
// sentence as it is written, then its phrases in the order they are asked,
// each followed by "=" and its category (the button's name, case and blanks
// aside, with or without "complemento (di)", or its number 1..16). The
// program splits the sentence into its two lines and fills the free slots.
// Every fault is reported as "file:line: problem", in Italian, for a teacher.
// The reader turns the file's text into sentences, block by block and line
// by line; its bytes become text in decodificafile.h, the names of the
// categories are read in nomicategorie.h, its words are in messaggibanca.h.
namespace bancainsegnante {

constexpr qint64 maxByte = 1024 * 1024;
constexpr int maxFrasi = 2000;
constexpr int minSintagmi = 1;

struct Segnalazione
{
    int linea;   // from 1; 0 for the whole file
    bool avviso; // a warning: the file is still good
    QString testo; // "file:line: ..." as printed
    QString messaggio; // the same without the file, the line and "avviso:"
};

struct Lettura
{
    // The sentences, ready for the tables; empty when the file has a problem.
    QList<FraseBanca> frasi;
    // Problems and warnings, in the order of their lines.
    QList<Segnalazione> segnalazioni;
    // What the file holds, problems or not: sentences, phrases, and phrases
    // per category (index = code, 1..16).
    int numeroFrasi = 0;
    int numeroSintagmi = 0;
    std::array<int, regolebanca::maxCodice + 1> perCategoria{};

    bool valida() const { return frasi.size() > 0; }
    QStringList errori() const;
    QStringList avvisi() const;
};

// Reads and checks a file's bytes; nome is the file's name in the messages.
Lettura leggi(const QByteArray &dati, const QString &nome);
// The same, from a file on disk (at most maxByte are read).
Lettura leggiFile(const QString &percorso);

// Writes sentences in the teacher's format, with a heading that explains it
// and each sentence's number as a comment.
QByteArray scrivi(const QList<FraseBanca> &frasi);

// Splits a sentence (blanks already single) into line A, up to 86
// characters, and line B, up to 28, at a blank; line B is " " when the
// sentence fits one line. False when it does not fit.
bool dividi(const QString &frase, QString &rigaA, QString &rigaB);

} // namespace bancainsegnante

#pragma once

#include "tabella.h"
#include "variante.h"

#include "content/regolebanca.h"

#include <QList>
#include <QString>

// The state of the exercise shared by every screen, read and written
// directly. Four lifetimes: the run, the clock (from the first VIA), the
// series (twenty answers, ended by the grade screen) and the sentence.
namespace Modulo1 {

// Category code of the button just pressed.
inline Variante risposta;
// 1-based slot of the phrase to classify now.
inline Variante numerosintagma;
// Correct code of the highlighted phrase: codici(numerofrase, numerosintagma).
inline Variante codiceatteso;
// Bank row of the sentence on screen.
inline Variante numerofrase;
// Range of the random draw: rows 0 .. totalefrasi - 1.
inline Variante totalefrasi;
// Answers, right and wrong, and wrong answers in the current series.
inline Variante risposte;
inline Variante errori;
// Answers per series.
inline Variante domandeperserie;
// What the grade screen shows: 1..5 the grade just reached, 6 the standings only.
inline Variante livello;
// Series ended with each grade (5 ottimo ... 1 occorre), at most 10 each.
inline Variante contaottimo;
inline Variante contadistinto;
inline Variante contabuono;
inline Variante contasufficiente;
inline Variante contaoccorre;
// Best time, in whole seconds, of a series ended with grade 5.
inline short tempomigliore = 0;
// The clock has been started (at the first VIA of the run).
inline bool orologioattivo = false;
// Start of the clock and of the current series: readings of the monotonic
// clock, so that a run across midnight measures true lengths.
inline double inizio = 0;
inline double inizioserie = 0;

// A teacher's sentences, read and checked at start-up; empty when the bank
// compiled into the program is used.
inline QList<FraseBanca> frasiinsegnante;
// Which sentences are in use, for a teacher walking past the screen:
// "Frasi dell'insegnante: verbi.txt, 12 frasi", or the file refused; empty
// when no teacher's file is in play.
inline QString frasiinuso;

// The sentence bank: frasi(n, j) and codici(n, j) for phrase j = 1..8 of
// sentence n, codici(n, 0) its number of phrases; the two lines of the
// whole sentence. Columns 9..22 are room the bank does not use. The bank
// compiled into the program fills rows 0..100; a teacher's bank has a row
// per sentence.
inline Tabella2<QString, 101, 23> frasi;
inline Tabella2<Variante, 101, 23> codici;
inline Tabella<QString, 101> fraseinteraa;
inline Tabella<QString, 101> fraseinterab;

// 1 once bank row n has been shown in this run.
inline Tabella<Variante, 101> usata;
// Wrong answers since the program started, per expected category (1..16).
inline Tabella<Variante, 21> erroricategoria;

// Fills the four bank tables from the bank compiled into the program, or
// from the teacher's sentences when there are any; these give the tables
// and usata their size and are all drawn (totalefrasi).
void caricafrasi();

// Every variable back to its value at program start.
void azzera();

} // namespace Modulo1

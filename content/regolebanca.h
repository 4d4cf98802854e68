#pragma once

#include <QList>
#include <QHash>
#include <QString>

// The rules a sentence must keep before it may reach a pupil, whatever bank
// it comes from: the bank compiled into the program (checked at build time,
// verificabanca.h) or a teacher's file (checked when it is read,
// bancainsegnante.h). Each reader turns its own format into FraseBanca rows
// and reports the faults in its own words; the rules are only here.

// One phrase slot as it goes into the tables: its text and its code (1..16,
// 0 for a free slot).
struct Sintagma
{
    QString testo;
    short codice = 0;
    // False when the reader could not make sense of the slot at all (and has
    // said so): the rules then skip it, and the slots after it keep their numbers.
    bool letto = true;
};

// One sentence: the two lines it is shown on (line B is " " when there is
// no second line) and its slots, the phrases first.
struct FraseBanca
{
    QString fraseinteraa;
    QString fraseinterab;
    QList<Sintagma> sintagmi;
};

namespace regolebanca {

constexpr int maxSintagmi = 8;
constexpr int minSintagmiIncorporati = 5; // the bank compiled into the program
constexpr int maxLunghezzaSintagma = 28;
constexpr int maxSpaziFinali = 4;
constexpr int maxRigaA = 86;
constexpr int maxRigaB = 28;
// The shortest line B the exercise screen shows: a shorter one is taken for
// the blank that stands for none.
constexpr int rigaBVisibile = 4;
constexpr int maxCodice = 16;

enum class Guasto {
    RigaAVuota,             // line A has no text
    RigaATroppoLunga,       // valore = its length
    RigaBVuota,             // line B is "" (a one-line sentence has " ")
    RigaBTroppoLunga,       // valore = its length
    FraseRipetuta,          // altra = the earlier row
    CodiceNonValido,        // valore = the code
    SlotLiberoConTesto,     // testo = the text
    SintagmaDopoSlotLibero, //
    SintagmaSenzaTesto,     //
    SintagmaTroppoLungo,    // testo, valore = its length
    SpazioIniziale,         // testo
    TroppiSpaziFinali,      // testo
    NumeroSintagmi,         // valore = the number of phrases
    SenzaPredicato,         //
};

struct Problema
{
    Guasto guasto;
    int riga;       // the row, from 0
    int slot = -1;  // 1.., or -1 for the whole row
    int valore = 0; // see Guasto
    int altra = -1; // see Guasto
    QString testo;  // see Guasto
};

// Checks rows one at a time, in order (a sentence is compared with the rows
// before it).
class Regole
{
public:
    explicit Regole(int minimoSintagmi)
        : m_minimoSintagmi(minimoSintagmi)
    {
    }

    QList<Problema> problemi;

    // The two lines of row n.
    void righeIntere(int n, const QString &rigaA, const QString &rigaB);
    // The slots of row n, in order from slot 1.
    void sintagmi(int n, const QList<Sintagma> &sintagmi);
    // Both.
    void frase(int n, const FraseBanca &frase)
    {
        righeIntere(n, frase.fraseinteraa, frase.fraseinterab);
        sintagmi(n, frase.sintagmi);
    }

private:
    void segnala(Guasto guasto, int riga, int slot = -1, int valore = 0, const QString &testo = QString());
    void sintagma(int n, int slot, const QString &testo);

    int m_minimoSintagmi;
    QHash<QString, int> m_frasiViste; // the sentence, blanks made single -> its row
};

// The number of blanks a text ends with.
int spaziFinali(const QString &testo);

} // namespace regolebanca

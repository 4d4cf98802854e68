#include "categorie.h"

#include <stdexcept>

// Captions exactly as the buttons show them, the double blanks of the three
// "MOTO" captions included. The questions agree with the sentence bank's
// cutting: adverbs of place and time are "ALTRO", "partire per" a place is
// "MOTO A luogo", "per" or "da" with a length of time "TEMPO CONTINUATO", a
// noun of time needs no preposition, "ci" is an object or a term as "lo" or
// "gli" would be, and an apposition may name an animal, a thing or a place.
// No example is a phrase of the shipped bank, nor one of its sentences with
// other words in the answer's place: a tooltip never reads as the answer to
// the sentence on screen.
const std::array<Categoria, numeroCategorie> categorie = {{
    // code  caption                              colour     row col
    //       guiding question, then an example
    {1, "SOGGETTO",                               0xFFFFFF, 1, 1,
     "Chi? Che cosa? Di chi o di che cosa parla il predicato; concorda con il verbo.\n"
     "Es.: «Squilla il telefono»: che cosa squilla? Il telefono."},
    {2, "predicato VERBALE",                      0xFFFF00, 1, 2,
     "Che cosa fa o subisce il soggetto? Il verbo con ausiliari e «si» («si sveglia»); anche «è» se vuol dire «si trova».\n"
     "Es.: «La nave è partita»: è partita."},
    {3, "predicato NOMINALE",                     0xFFFFC0, 1, 3,
     "Che cos'è? Com'è? Il verbo essere unito a un nome o a un aggettivo.\n"
     "Es.: «Il gelato è buono»: è buono."},
    {4, "complemento OGGETTO",                    0xAE8C62, 1, 4,
     "Verbo + chi? che cosa? Su chi o su che cosa ricade l'azione, senza preposizione (anche lo, la, ci).\n"
     "Es.: «Luca legge un libro»: legge che cosa? Un libro."},
    {5, "ATTRIBUTO",                              0xFFC0C0, 2, 1,
     "Quale? Com'è? Quanti? Un aggettivo unito a un nome (anche questo, mio, molti, tre).\n"
     "Es.: «Ho quattro gatti neri»: quattro, neri."},
    {6, "APPOSIZIONE",                            0xFFE0C0, 2, 2,
     "Chi è? Che cos'è? Un nome che spiega un altro nome, accanto a esso e senza preposizione.\n"
     "Es.: «Pallino, il criceto di Sara, dorme»: il criceto."},
    {7, "complemento di SPECIFICAZIONE",          0xFF8080, 2, 3,
     "Di chi? Di che cosa? «di» + un nome che precisa un altro nome.\n"
     "Es.: «la cuccia del cane»: del cane."},
    {8, "complemento di DENOMINAZIONE",           0xE07A78, 2, 4,
     "Di quale nome? «di» + il nome con cui si chiama una città, un'isola, un lago, un mese.\n"
     "Es.: «il mese di marzo»: di marzo."},
    {9, "complemento di STATO IN luogo",          0xC0FFFF, 3, 1,
     "Dove? Il luogo in cui si è o avviene qualcosa, anche da + persona («dormo dai cugini»); «qui», «lì» sono ALTRO.\n"
     "Es.: «Abito in città»: in città."},
    {10, "complemento di MOTO  A  luogo",         0x80FFFF, 3, 2,
     "Verso dove? Il luogo verso cui ci si muove (a, in, verso, da + persona, partire per).\n"
     "Es.: «Vado in biblioteca»: in biblioteca."},
    {11, "complemento di MOTO  DA  luogo",        0x60D6FD, 3, 3,
     "Da dove? Il luogo da cui ci si muove o si parte.\n"
     "Es.: «Esco dalla palestra»: dalla palestra."},
    {12, "complemento di MOTO PER  luogo",        0x00C0C0, 3, 4,
     "Per dove? Attraverso dove? Il luogo per cui si passa (per, attraverso, da).\n"
     "Es.: «Il ciclista pedala per le colline»: per le colline."},
    {13, "complemento di TEMPO DETERMINATO",      0xE0E0E0, 4, 1,
     "Quando? Il momento, anche senza preposizione («mercoledì», «una sera»); «ieri», «stasera» sono ALTRO.\n"
     "Es.: «La lezione comincia alle nove»: alle nove."},
    {14, "complemento di TEMPO CONTINUATO",       0xC0C0C0, 4, 2,
     "Per quanto tempo? Da quanto tempo? Per, da + un tempo, o senza preposizione («tutto il giorno»).\n"
     "Es.: «Abbiamo giocato per ore»: per ore."},
    {15, "complemento di TERMINE",                0x3AAEFC, 4, 3,
     "A chi? A che cosa? A chi si dà, si dice o piace qualcosa (a + nome, mi, ti, gli, le, ci, vi).\n"
     "Es.: «Telefono alla zia»: alla zia."},
    {16, "ALTRO",                                 0xFF0000, 4, 4,
     "Congiunzioni, avverbi, «non» e tutti gli altri complementi (causa, mezzo, modo...).\n"
     "Es.: «Ieri Anna è uscita con la bici»: ieri, con la bici."},
}};

const Categoria &categoria(int codice)
{
    if (codice < 1 || codice > numeroCategorie)
        throw std::out_of_range("category code out of range");
    return categorie[codice - 1];
}

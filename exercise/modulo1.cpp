#include "modulo1.h"

#include "content/banca.h"

namespace Modulo1 {

void caricafrasi()
{
    for (int n = 0; n < righeBanca; ++n) {
        const RigaBanca &riga = bancaFrasi[n];
        codici(n, 0) = riga.numeroSintagmi;
        for (int j = 1; j <= sintagmiPerRiga; ++j) {
            frasi(n, j) = QString::fromUtf8(riga.sintagmi[j - 1].testo);
            codici(n, j) = riga.sintagmi[j - 1].codice;
        }
    }
    for (int n = 0; n < righeBanca; ++n) {
        fraseinteraa(n) = QString::fromUtf8(bancaFrasi[n].fraseinteraa);
        fraseinterab(n) = QString::fromUtf8(bancaFrasi[n].fraseinterab);
    }
}

void azzera()
{
    for (Variante *v : {&risposta, &numerosintagma, &codiceatteso, &numerofrase, &totalefrasi,
                        &risposte, &errori, &domandeperserie, &livello, &contaottimo,
                        &contadistinto, &contabuono, &contasufficiente, &contaoccorre})
        *v = Variante();
    tempomigliore = 0;
    orologioattivo = false;
    inizio = 0;
    inizioserie = 0;
    frasi.svuota();
    codici.svuota();
    fraseinteraa.svuota();
    fraseinterab.svuota();
    usata.svuota();
    erroricategoria.svuota();
}

} // namespace Modulo1

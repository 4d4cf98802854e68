#include "modulo1.h"

#include "content/banca.h"

namespace Modulo1 {

namespace {

void caricafrasiinsegnante()
{
    const int righe = int(frasiinsegnante.size());
    frasi.ridimensiona(righe);
    codici.ridimensiona(righe);
    fraseinteraa.ridimensiona(righe);
    fraseinterab.ridimensiona(righe);
    usata.ridimensiona(righe);
    for (int n = 0; n < righe; ++n) {
        const FraseBanca &frase = frasiinsegnante.at(n);
        int numero = 0;
        for (int j = 1; j <= sintagmiPerRiga; ++j) {
            const Sintagma s = frase.sintagmi.value(j - 1);
            frasi(n, j) = s.testo;
            codici(n, j) = s.codice;
            numero += s.codice != 0;
        }
        codici(n, 0) = numero;
        fraseinteraa(n) = frase.fraseinteraa;
        fraseinterab(n) = frase.fraseinterab;
    }
    totalefrasi = righe;
}

} // namespace

void caricafrasi()
{
    if (!frasiinsegnante.isEmpty())
        return caricafrasiinsegnante();
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
    frasiinsegnante.clear();
    frasiinuso.clear();
    // The tables as at program start: their first bounds, every element empty.
    frasi = decltype(frasi)();
    codici = decltype(codici)();
    fraseinteraa = decltype(fraseinteraa)();
    fraseinterab = decltype(fraseinterab)();
    usata = decltype(usata)();
    erroricategoria = decltype(erroricategoria)();
}

} // namespace Modulo1

// libFuzzer target: any bytes as a teacher's file of sentences. The reader
// must never crash, hang or read out of bounds; whatever it accepts must fit
// the tables and the screen, and must come back the same once written out
// and read again.

#include "content/bancainsegnante.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace bancainsegnante;
using namespace regolebanca;

namespace {

void guasto(const char *cosa)
{
    std::fprintf(stderr, "fuzz_lettore: %s\n", cosa);
    std::abort();
}

// What the tables and VIA_Click rely on.
void controllaFrase(const FraseBanca &f)
{
    if (f.sintagmi.size() != maxSintagmi)
        guasto("a sentence without its eight slots");
    int frasi = 0;
    for (const Sintagma &s : f.sintagmi) {
        if (s.codice < 0 || s.codice > maxCodice || s.testo.size() > maxLunghezzaSintagma)
            guasto("a slot the screen cannot show");
        frasi += s.codice != 0;
    }
    if (frasi < 1 || f.sintagmi.at(0).codice == 0)
        guasto("a sentence without phrases");
    if (f.fraseinteraa.isEmpty() || f.fraseinteraa.size() > maxRigaA || f.fraseinterab.isEmpty()
        || f.fraseinterab.size() > maxRigaB)
        guasto("a sentence that does not fit its two lines");
}

bool uguali(const FraseBanca &a, const FraseBanca &b)
{
    if (a.fraseinteraa != b.fraseinteraa || a.fraseinterab != b.fraseinterab || a.sintagmi.size() != b.sintagmi.size())
        return false;
    for (qsizetype j = 0; j < a.sintagmi.size(); ++j)
        if (a.sintagmi.at(j).testo != b.sintagmi.at(j).testo || a.sintagmi.at(j).codice != b.sintagmi.at(j).codice)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    const QByteArray testo = QByteArray::fromRawData(reinterpret_cast<const char *>(dati), qsizetype(quanti));
    const Lettura prima = leggi(testo, QStringLiteral("fuzz"));
    if (prima.valida() != prima.errori().isEmpty())
        guasto("sentences kept from a file with problems, or none from a good one");
    if (!prima.valida())
        return 0;
    if (prima.frasi.size() > maxFrasi)
        guasto("too many sentences");
    for (const FraseBanca &f : prima.frasi)
        controllaFrase(f);

    const QByteArray scritto = scrivi(prima.frasi);
    if (scritto.size() > maxByte)
        return 0; // names and alignment make a file longer than the one read
    const Lettura dopo = leggi(scritto, QStringLiteral("fuzz"));
    if (!dopo.valida() || dopo.frasi.size() != prima.frasi.size())
        guasto("a good file, written out, does not read back");
    for (qsizetype n = 0; n < prima.frasi.size(); ++n)
        if (!uguali(prima.frasi.at(n), dopo.frasi.at(n)))
            guasto("a sentence changed on its way out and back");
    return 0;
}

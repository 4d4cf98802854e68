#include "regolebanca.h"

namespace regolebanca {

int spaziFinali(const QString &testo)
{
    int n = 0;
    while (n < testo.size() && testo.at(testo.size() - 1 - n) == QLatin1Char(' '))
        ++n;
    return n;
}

void Regole::segnala(Guasto guasto, int riga, int slot, int valore, const QString &testo)
{
    problemi.append({guasto, riga, slot, valore, -1, testo});
}

void Regole::righeIntere(int n, const QString &rigaA, const QString &rigaB)
{
    if (rigaA.trimmed().isEmpty())
        segnala(Guasto::RigaAVuota, n);
    if (rigaA.size() > maxRigaA)
        segnala(Guasto::RigaATroppoLunga, n, -1, int(rigaA.size()));
    if (rigaB.isEmpty())
        segnala(Guasto::RigaBVuota, n);
    if (rigaB.size() > maxRigaB)
        segnala(Guasto::RigaBTroppoLunga, n, -1, int(rigaB.size()));
    // Where the sentence is split, and how many blanks it has, do not make
    // it another sentence.
    const QString intera = (rigaA + QLatin1Char('|') + rigaB).simplified();
    const auto vista = m_frasiViste.constFind(intera);
    if (vista != m_frasiViste.constEnd()) {
        segnala(Guasto::FraseRipetuta, n);
        problemi.last().altra = *vista;
    } else {
        m_frasiViste.insert(intera, n);
    }
}

void Regole::sintagmi(int n, const QList<Sintagma> &sintagmi)
{
    int frasi = 0;
    bool libero = false;
    bool predicato = false;
    for (int j = 1; j <= sintagmi.size(); ++j) {
        const Sintagma &s = sintagmi.at(j - 1);
        if (!s.letto)
            continue;
        if (s.codice < 0 || s.codice > maxCodice) {
            segnala(Guasto::CodiceNonValido, n, j, s.codice);
            continue;
        }
        if (s.codice == 0) {
            libero = true;
            if (s.testo != QLatin1String(" ") && !s.testo.isEmpty())
                segnala(Guasto::SlotLiberoConTesto, n, j, 0, s.testo);
            continue;
        }
        if (libero)
            segnala(Guasto::SintagmaDopoSlotLibero, n, j);
        ++frasi;
        predicato = predicato || s.codice == 2 || s.codice == 3;
        sintagma(n, j, s.testo);
    }
    if (frasi < m_minimoSintagmi || frasi > maxSintagmi)
        segnala(Guasto::NumeroSintagmi, n, -1, frasi);
    if (!predicato)
        segnala(Guasto::SenzaPredicato, n);
}

void Regole::sintagma(int n, int slot, const QString &testo)
{
    if (testo.trimmed().isEmpty())
        segnala(Guasto::SintagmaSenzaTesto, n, slot);
    if (testo.size() > maxLunghezzaSintagma)
        segnala(Guasto::SintagmaTroppoLungo, n, slot, int(testo.size()), testo);
    if (testo.startsWith(QLatin1Char(' ')))
        segnala(Guasto::SpazioIniziale, n, slot, 0, testo);
    if (spaziFinali(testo) > maxSpaziFinali)
        segnala(Guasto::TroppiSpaziFinali, n, slot, 0, testo);
}

} // namespace regolebanca

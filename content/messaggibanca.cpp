#include "messaggibanca.h"

#include "bancainsegnante.h"
#include "nomicategorie.h"

#include <QStringList>

#include <algorithm>

using namespace regolebanca;

namespace bancainsegnante::messaggi {

namespace {

QString elenco(const QList<QStringView> &parole)
{
    constexpr int mostrate = 4;
    QStringList e;
    for (qsizetype i = 0; i < std::min<qsizetype>(parole.size(), mostrate); ++i)
        e.append(QStringLiteral("«%1»").arg(parole.at(i)));
    if (parole.size() > mostrate)
        e.append(QStringLiteral("…"));
    return e.join(QStringLiteral(", "));
}

// Where a sentence too long would break, for the teacher to see what to cut.
QString doveACapo(const QString &frase)
{
    const qsizetype capo = frase.lastIndexOf(QLatin1Char(' '), maxRigaA);
    if (capo <= 0)
        return QStringLiteral("nei primi %1 caratteri non c'è uno spazio dove andare a capo").arg(maxRigaA);
    const QString a = frase.left(capo), b = frase.mid(capo + 1);
    return QStringLiteral("qui la prima riga finirebbe con «%1%2» e la seconda sarebbe «%3» (%4 caratteri): "
                          "accorciare la frase o dividerla in due")
        .arg(a.size() > 20 ? QStringLiteral("…") : QString(), a.right(20), b).arg(b.size());
}

} // namespace

QString regola(const Problema &p, int altra)
{
    switch (p.guasto) {
    case Guasto::FraseRipetuta:
        return QStringLiteral("la stessa frase della riga %1").arg(altra);
    case Guasto::SintagmaSenzaTesto:
        return QStringLiteral("manca il sintagma prima di «=»");
    case Guasto::SintagmaTroppoLungo:
        return QStringLiteral("il sintagma «%1» è troppo lungo per lo schermo: %2 caratteri, al massimo %3")
            .arg(p.testo).arg(p.valore).arg(maxLunghezzaSintagma);
    case Guasto::NumeroSintagmi:
        if (p.valore < minSintagmi)
            return QStringLiteral("la frase non ha sintagmi: dopo la frase vanno i suoi sintagmi, uno per "
                                  "riga, nella forma «sintagma = categoria»");
        return QStringLiteral("la frase ha %1 sintagmi: al massimo %2, quante sono le righe dello schermo")
            .arg(p.valore).arg(maxSintagmi);
    case Guasto::SenzaPredicato:
        return QStringLiteral("la frase non ha il predicato: almeno un sintagma deve essere «predicato "
                              "verbale» (2) o «predicato nominale» (3)");
    // The reader itself keeps these from happening; named all the same.
    case Guasto::RigaAVuota:
    case Guasto::RigaBVuota:
        return QStringLiteral("la frase è vuota");
    case Guasto::RigaATroppoLunga:
    case Guasto::RigaBTroppoLunga:
        return QStringLiteral("la frase è troppo lunga per lo schermo");
    case Guasto::CodiceNonValido:
        return QStringLiteral("categoria %1 non valida: i numeri vanno da 1 a 16").arg(p.valore);
    case Guasto::SlotLiberoConTesto:
    case Guasto::SintagmaDopoSlotLibero:
    case Guasto::SpazioIniziale:
    case Guasto::TroppiSpaziFinali:
        return QStringLiteral("sintagma «%1» non valido").arg(p.testo);
    }
    return QString();
}

QString categoriaSconosciuta(const QString &categoria)
{
    if (senzaTasto(categoria))
        return QStringLiteral("categoria «%1» senza tasto: i complementi che non hanno un tasto si scrivono "
                              "«altro» (16)").arg(categoria);
    const QString vicino = nomeVicino(categoria);
    return QStringLiteral("categoria sconosciuta «%1»: %2scrivere il nome di un tasto, come "
                          "«soggetto», «predicato verbale», «complemento di termine» "
                          "o «termine», oppure il suo numero da 1 a 16")
        .arg(categoria, vicino.isEmpty() ? QString() : QStringLiteral("forse «%1»? ").arg(vicino));
}

QString manca(const QString &davanti, const QString &categoria)
{
    return QStringLiteral("manca «=» tra il sintagma e la sua categoria: scrivere «%1 = %2»").arg(davanti, categoria);
}

QString mancaCategoria()
{
    return QStringLiteral("manca la categoria: scrivere il sintagma, poi «=» e la sua categoria, "
                          "per esempio «il gatto = soggetto»");
}

QString mancaCategoriaDopoUguale()
{
    return QStringLiteral("manca la categoria dopo «=»");
}

QString mancaFrase()
{
    return QStringLiteral("manca la frase intera: ogni frase comincia con una riga che la riporta "
                          "com'è scritta, senza «=»; poi vengono i sintagmi");
}

QString mancaRigaVuota()
{
    return QStringLiteral("manca una riga vuota prima di questa frase: ogni frase va separata "
                          "dalla precedente da una riga vuota");
}

QString rigaVuotaDentro(int lineaFrase)
{
    return QStringLiteral("riga vuota dentro la frase della riga %1: i suoi sintagmi vanno "
                          "uno sotto l'altro, senza righe vuote")
        .arg(lineaFrase);
}

QString troppeFrasi()
{
    return QStringLiteral("più di %1 frasi: un file ne può contenere al massimo %1").arg(maxFrasi);
}

QString invisibile(char32_t codice)
{
    return QStringLiteral("la riga contiene un carattere che non si vede (U+%1): cancellarlo")
        .arg(QString::number(uint(codice), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QString troppoLunga(const QString &frase)
{
    return QStringLiteral("la frase è troppo lunga per lo schermo (%1 caratteri): ci stanno %2 "
                          "caratteri sulla prima riga e %3 sulla seconda, andando a capo tra due parole; %4")
        .arg(frase.size()).arg(maxRigaA).arg(maxRigaB).arg(doveACapo(frase));
}

QString segnoDiElenco(const QString &che, const QString &segno)
{
    return QStringLiteral("%1 comincia con «%2», che sembra il segno di un elenco: gli alunni lo "
                          "vedono sullo schermo; toglierlo se non fa parte della frase")
        .arg(che, segno);
}

QString ripetuta(int lineaPrima)
{
    return QStringLiteral("la stessa frase della riga %1: si usa solo la prima").arg(lineaPrima);
}

QString paroleDiverse(const QList<QStringView> &mancano, const QList<QStringView> &inPiu)
{
    QStringList cosa;
    if (!mancano.isEmpty())
        cosa.append(QStringLiteral("nei sintagmi mancano %1").arg(elenco(mancano)));
    if (!inPiu.isEmpty())
        cosa.append(QStringLiteral("non sono nella frase %1").arg(elenco(inPiu)));
    return QStringLiteral("i sintagmi non hanno le stesse parole della frase (%1): un errore di battitura?")
        .arg(cosa.join(QStringLiteral("; ")));
}

QString categorieMaiUsate(const QList<int> &codici)
{
    QStringList mai;
    for (const int c : codici)
        mai.append(QStringLiteral("%1 «%2»").arg(c).arg(nomeCategoria(c)));
    return QStringLiteral("nessun sintagma è delle categorie %1").arg(mai.join(QStringLiteral(", ")));
}

} // namespace bancainsegnante::messaggi

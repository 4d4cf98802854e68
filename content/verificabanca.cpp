#include "verificabanca.h"

#include "banca.h"
#include "regolebanca.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace regolebanca;

namespace {

QString dove(int riga, int slot)
{
    return slot < 0 ? QStringLiteral("row %1").arg(riga) : QStringLiteral("row %1, slot %2").arg(riga).arg(slot);
}

// A fault of the rules in the words of the build's messages.
QString testo(const Problema &p)
{
    switch (p.guasto) {
    case Guasto::RigaAVuota:
        return QStringLiteral("line A is empty");
    case Guasto::RigaATroppoLunga:
        return QStringLiteral("line A has %1 characters, at most %2").arg(p.valore).arg(maxRigaA);
    case Guasto::RigaBVuota:
        return QStringLiteral("line B is empty: a one-line sentence has \" \"");
    case Guasto::RigaBTroppoLunga:
        return QStringLiteral("line B has %1 characters, at most %2").arg(p.valore).arg(maxRigaB);
    case Guasto::FraseRipetuta:
        return QStringLiteral("the same sentence as an earlier row");
    case Guasto::CodiceNonValido:
        return QStringLiteral("code %1 is not one of 0..16").arg(p.valore);
    case Guasto::SlotLiberoConTesto:
        return QStringLiteral("a free slot holds \" \" or \"\", not \"%1\"").arg(p.testo);
    case Guasto::SintagmaDopoSlotLibero:
        return QStringLiteral("phrase after a free slot: phrases must be contiguous from slot 1");
    case Guasto::SintagmaSenzaTesto:
        return QStringLiteral("a phrase has no text");
    case Guasto::SintagmaTroppoLungo:
        return QStringLiteral("\"%1\" has %2 characters, at most %3").arg(p.testo).arg(p.valore).arg(maxLunghezzaSintagma);
    case Guasto::SpazioIniziale:
        return QStringLiteral("\"%1\" starts with a blank").arg(p.testo);
    case Guasto::TroppiSpaziFinali:
        return QStringLiteral("\"%1\" ends in more than %2 blanks").arg(p.testo).arg(maxSpaziFinali);
    case Guasto::NumeroSintagmi:
        return QStringLiteral("%1 phrases, must be %2 to %3").arg(p.valore).arg(minSintagmiIncorporati).arg(maxSintagmi);
    case Guasto::SenzaPredicato:
        return QStringLiteral("no predicate (code 2 or 3)");
    }
    return QString();
}

// Reads the JSON rows into the shape the rules check; what is not even that
// shape is reported here.
class LettoreJson
{
public:
    QStringList errori;
    Regole regole{minSintagmiIncorporati};

    void riga(int n, const QJsonValue &valore)
    {
        m_riga = n;
        if (!valore.isObject())
            return errore(-1, QStringLiteral("is not an object"));
        const QJsonObject o = valore.toObject();
        for (const QString &chiave : o.keys())
            if (chiave != QLatin1String("fraseinteraa") && chiave != QLatin1String("fraseinterab")
                && chiave != QLatin1String("sintagmi"))
                errore(-1, QStringLiteral("unknown key \"%1\"").arg(chiave));
        const QJsonValue a = o.value(QLatin1String("fraseinteraa"));
        const QJsonValue b = o.value(QLatin1String("fraseinterab"));
        if (!a.isString() || !b.isString())
            errore(-1, QStringLiteral("fraseinteraa and fraseinterab must be strings"));
        else
            controlla([&] { regole.righeIntere(n, a.toString(), b.toString()); });
        sintagmi(o.value(QLatin1String("sintagmi")));
    }

private:
    void errore(int slot, const QString &testo) { errori.append(dove(m_riga, slot) + QStringLiteral(": ") + testo); }

    // Runs a check of the rules, with its faults in line with the others.
    template<class F>
    void controlla(F verifica)
    {
        const qsizetype prima = regole.problemi.size();
        verifica();
        for (qsizetype i = prima; i < regole.problemi.size(); ++i) {
            const Problema &p = regole.problemi.at(i);
            errori.append(dove(p.riga, p.slot) + QStringLiteral(": ") + testo(p));
        }
    }

    void sintagmi(const QJsonValue &valore)
    {
        if (!valore.isArray() || valore.toArray().size() != sintagmiPerRiga)
            return errore(-1, QStringLiteral("sintagmi must be an array of exactly %1 pairs").arg(sintagmiPerRiga));
        const QJsonArray coppie = valore.toArray();
        QList<Sintagma> letti;
        for (int j = 1; j <= sintagmiPerRiga; ++j) {
            const QJsonArray coppia = coppie.at(j - 1).toArray();
            Sintagma s;
            if (coppia.size() != 2 || !coppia.at(0).isString() || !coppia.at(1).isDouble()) {
                errore(j, QStringLiteral("must be a pair [\"text\", code]"));
                s.letto = false;
            } else {
                s.testo = coppia.at(0).toString();
                const double reale = coppia.at(1).toDouble();
                if (reale < 0 || reale > maxCodice || reale != std::floor(reale)) {
                    errore(j, QStringLiteral("code %1 is not one of 0..16").arg(reale));
                    s.letto = false;
                } else {
                    s.codice = short(reale);
                }
            }
            letti.append(s);
        }
        controlla([&] { regole.sintagmi(m_riga, letti); });
    }

    int m_riga = 0;
};

} // namespace

QStringList verificaBanca(const QByteArray &json)
{
    QJsonParseError errore;
    const QJsonDocument documento = QJsonDocument::fromJson(json, &errore);
    if (errore.error != QJsonParseError::NoError)
        return {QStringLiteral("not valid JSON at offset %1: %2").arg(errore.offset).arg(errore.errorString())};
    if (!documento.isArray())
        return {QStringLiteral("the bank must be a JSON array of rows")};
    const QJsonArray righe = documento.array();
    LettoreJson lettore;
    if (righe.size() != righeBanca)
        lettore.errori.append(QStringLiteral("%1 rows, the bank must have exactly %2").arg(righe.size()).arg(righeBanca));
    for (int n = 0; n < righe.size(); ++n)
        lettore.riga(n, righe.at(n));
    return lettore.errori;
}

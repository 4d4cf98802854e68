#include "verificabanca.h"

#include "banca.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

constexpr int maxSintagmi = sintagmiPerRiga;
constexpr int minSintagmi = 5;
constexpr int maxLunghezzaSintagma = 28;
constexpr int maxSpaziFinali = 4;
constexpr int maxRigaA = 86;
constexpr int maxRigaB = 28;

int spaziFinali(const QString &testo)
{
    int n = 0;
    while (n < testo.size() && testo.at(testo.size() - 1 - n) == QLatin1Char(' '))
        ++n;
    return n;
}

class Verifica
{
public:
    QStringList errori;

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
        righeIntere(o);
        sintagmi(o.value(QLatin1String("sintagmi")));
    }

private:
    void errore(int slot, const QString &testo)
    {
        const QString dove = slot < 0 ? QStringLiteral("row %1").arg(m_riga)
                                      : QStringLiteral("row %1, slot %2").arg(m_riga).arg(slot);
        errori.append(dove + QStringLiteral(": ") + testo);
    }

    void righeIntere(const QJsonObject &o)
    {
        const QJsonValue a = o.value(QLatin1String("fraseinteraa"));
        const QJsonValue b = o.value(QLatin1String("fraseinterab"));
        if (!a.isString() || !b.isString())
            return errore(-1, QStringLiteral("fraseinteraa and fraseinterab must be strings"));
        const QString rigaA = a.toString();
        const QString rigaB = b.toString();
        if (rigaA.trimmed().isEmpty())
            errore(-1, QStringLiteral("line A is empty"));
        if (rigaA.size() > maxRigaA)
            errore(-1, QStringLiteral("line A has %1 characters, at most %2").arg(rigaA.size()).arg(maxRigaA));
        if (rigaB.isEmpty())
            errore(-1, QStringLiteral("line B is empty: a one-line sentence has \" \""));
        if (rigaB.size() > maxRigaB)
            errore(-1, QStringLiteral("line B has %1 characters, at most %2").arg(rigaB.size()).arg(maxRigaB));
        const QString intera = rigaA + QLatin1Char('|') + rigaB;
        if (m_frasiViste.contains(intera.simplified()))
            errore(-1, QStringLiteral("the same sentence as an earlier row"));
        m_frasiViste.insert(intera.simplified());
    }

    void sintagmi(const QJsonValue &valore)
    {
        if (!valore.isArray() || valore.toArray().size() != maxSintagmi)
            return errore(-1, QStringLiteral("sintagmi must be an array of exactly %1 pairs").arg(maxSintagmi));
        const QJsonArray coppie = valore.toArray();
        int frasi = 0;
        bool libero = false;
        bool predicato = false;
        for (int j = 1; j <= maxSintagmi; ++j) {
            const QJsonArray coppia = coppie.at(j - 1).toArray();
            if (coppia.size() != 2 || !coppia.at(0).isString() || !coppia.at(1).isDouble()) {
                errore(j, QStringLiteral("must be a pair [\"text\", code]"));
                continue;
            }
            const QString testo = coppia.at(0).toString();
            const double reale = coppia.at(1).toDouble();
            const int codice = int(reale);
            if (reale != codice || codice < 0 || codice > 16) {
                errore(j, QStringLiteral("code %1 is not one of 0..16").arg(reale));
                continue;
            }
            if (codice == 0) {
                libero = true;
                if (testo != QLatin1String(" ") && !testo.isEmpty())
                    errore(j, QStringLiteral("a free slot holds \" \" or \"\", not \"%1\"").arg(testo));
                continue;
            }
            if (libero)
                errore(j, QStringLiteral("phrase after a free slot: phrases must be contiguous from slot 1"));
            ++frasi;
            predicato = predicato || codice == 2 || codice == 3;
            sintagma(j, testo);
        }
        if (frasi < minSintagmi || frasi > maxSintagmi)
            errore(-1, QStringLiteral("%1 phrases, must be %2 to %3").arg(frasi).arg(minSintagmi).arg(maxSintagmi));
        if (!predicato)
            errore(-1, QStringLiteral("no predicate (code 2 or 3)"));
    }

    void sintagma(int j, const QString &testo)
    {
        if (testo.trimmed().isEmpty())
            errore(j, QStringLiteral("a phrase has no text"));
        if (testo.size() > maxLunghezzaSintagma)
            errore(j, QStringLiteral("\"%1\" has %2 characters, at most %3")
                          .arg(testo).arg(testo.size()).arg(maxLunghezzaSintagma));
        if (testo.startsWith(QLatin1Char(' ')))
            errore(j, QStringLiteral("\"%1\" starts with a blank").arg(testo));
        if (spaziFinali(testo) > maxSpaziFinali)
            errore(j, QStringLiteral("\"%1\" ends in more than %2 blanks").arg(testo).arg(maxSpaziFinali));
    }

    int m_riga = 0;
    QSet<QString> m_frasiViste;
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
    Verifica verifica;
    if (righe.size() != righeBanca)
        verifica.errori.append(QStringLiteral("%1 rows, the bank must have exactly %2").arg(righe.size()).arg(righeBanca));
    for (int n = 0; n < righe.size(); ++n)
        verifica.riga(n, righe.at(n));
    return verifica.errori;
}

#include "nomicategorie.h"

#include "categorie.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace bancainsegnante {

namespace {

// A category's name as it is compared: lower case, no blanks.
QString chiave(const QString &nome)
{
    QString k = nome.toLower();
    k.removeIf([](QChar c) { return c.isSpace(); });
    return k;
}

// What a teacher may write for a category: the caption, the caption without
// "complemento di", "complemento" or "predicato", and the code.
const QHash<QString, int> &nomiCategorie()
{
    static const QHash<QString, int> nomi = [] {
        QHash<QString, int> n;
        for (const Categoria &c : categorie) {
            const QString nome = QString::fromUtf8(c.caption).simplified().toLower();
            n.insert(chiave(nome), c.codice);
            for (const QLatin1String testa : {QLatin1String("complemento di "), QLatin1String("complemento "),
                                              QLatin1String("predicato ")})
                if (nome.startsWith(testa)) {
                    n.insert(chiave(nome.mid(testa.size())), c.codice);
                    break;
                }
            n.insert(QString::number(c.codice), c.codice);
        }
        return n;
    }();
    return nomi;
}

// A category as a teacher may write it, in the words of the table: the
// usual abbreviations written out ("compl.", "pred."), a final full stop
// dropped, the curly apostrophe made straight, "d'oggetto" as "oggetto".
QString nomeDisteso(const QString &nome)
{
    QString n = nome.simplified().toLower();
    n.replace(QChar(0x2019), QLatin1Char('\''));
    while (n.endsWith(QLatin1Char('.')))
        n.chop(1);
    n = n.trimmed();
    for (const auto &[breve, intero] : {std::pair{"compl", "complemento "}, std::pair{"pred", "predicato "}}) {
        const QLatin1String b(breve);
        if (n.startsWith(b) && n.size() > b.size() && (n.at(b.size()) == QLatin1Char('.') || n.at(b.size()) == QLatin1Char(' ')))
            n = QLatin1String(intero) + n.mid(b.size() + 1).trimmed();
    }
    if (n.startsWith(QLatin1String("complemento d'")))
        n = QStringLiteral("complemento ") + n.mid(14).trimmed();
    return n;
}

// Edits from one word to another (letters put in, taken out or changed).
int distanza(const QString &a, const QString &b)
{
    QList<int> riga(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        riga[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonale = riga[0];
        riga[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int sopra = riga[j];
            riga[j] = std::min({riga[j] + 1, riga[j - 1] + 1, diagonale + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonale = sopra;
        }
    }
    return riga[b.size()];
}

} // namespace

int codiceCategoria(const QString &nome)
{
    if (const int codice = nomiCategorie().value(chiave(nome), 0))
        return codice;
    const QString disteso = nomeDisteso(nome);
    if (const int codice = nomiCategorie().value(chiave(disteso), 0))
        return codice;
    // "complemento termine", without "di".
    if (disteso.startsWith(QLatin1String("complemento ")))
        return nomiCategorie().value(chiave(disteso.mid(12)), 0);
    return 0;
}

QString nomeCategoria(int codice)
{
    return QString::fromUtf8(categoria(codice).caption).simplified().toLower();
}

// The complements of school grammar that have no button: written «altro».
bool senzaTasto(const QString &nome)
{
    static const QStringList complementi = {
        "compagnia", "unione", "mezzo", "modo", "maniera", "causa", "agente", "causa efficiente", "fine", "scopo",
        "argomento", "materia", "qualità", "quantità", "età", "paragone", "limitazione", "vocazione",
        "esclusione", "sostituzione", "vantaggio", "svantaggio", "origine", "provenienza", "allontanamento",
        "separazione", "partitivo", "abbondanza", "privazione", "colpa", "pena", "prezzo", "stima",
        "distributivo", "predicativo", "concessivo", "rapporto", "misura", "peso", "estensione", "distanza"};
    QString n = nomeDisteso(nome);
    for (const QLatin1String testa : {QLatin1String("complemento di "), QLatin1String("complemento ")})
        if (n.startsWith(testa)) {
            n = n.mid(testa.size());
            break;
        }
    return complementi.contains(n);
}

// The accepted name nearest to one not understood, if one is near enough
// to be a slip of the keys.
QString nomeVicino(const QString &nome)
{
    const QString cercato = chiave(nomeDisteso(nome));
    QString migliore;
    int minima = std::max(2, int(cercato.size()) / 4) + 1;
    for (const Categoria &c : categorie) {
        const QString intero = QString::fromUtf8(c.caption).simplified().toLower();
        QStringList nomi{intero};
        for (const QLatin1String testa : {QLatin1String("complemento di "), QLatin1String("complemento "),
                                          QLatin1String("predicato ")})
            if (intero.startsWith(testa)) {
                nomi.append(intero.mid(testa.size()));
                break;
            }
        for (const QString &n : nomi)
            if (const int d = distanza(cercato, chiave(n)); d < minima) {
                minima = d;
                migliore = n;
            }
    }
    return migliore;
}

} // namespace bancainsegnante

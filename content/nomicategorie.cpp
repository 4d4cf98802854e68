#include "nomicategorie.h"

#include "categorie.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
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

// The short forms teachers write, word by word, and the word each stands
// for in the names of the categories: "compl. di term.", "t. det.",
// "c. ogg.", "stato in l.". Only forms that stand for one word of those
// names, so that a name written in short is one category or none.
const std::pair<const char *, const char *> abbreviazioni[] = {
    {"c", "complemento"},  {"compl", "complemento"},  {"pred", "predicato"},   {"sogg", "soggetto"},
    {"verb", "verbale"},   {"nom", "nominale"},       {"ogg", "oggetto"},      {"attr", "attributo"},
    {"app", "apposizione"}, {"appos", "apposizione"}, {"spec", "specificazione"}, {"denom", "denominazione"},
    {"l", "luogo"},        {"t", "tempo"},            {"det", "determinato"},  {"cont", "continuato"},
    {"term", "termine"},
};
// Whole names written as initials.
const std::pair<const char *, const char *> sigle[] = {
    {"c.o.", "complemento oggetto"},
};

// A category as a teacher may write it, in the words of the table: the
// short forms written out, full stops dropped, the curly apostrophe made
// straight, "d'oggetto" as "oggetto".
QString nomeDisteso(const QString &nome)
{
    QString n = nome.simplified().toLower();
    n.replace(QChar(0x2019), QLatin1Char('\''));
    for (const auto &[sigla, intero] : sigle)
        if (chiave(n) == QLatin1String(sigla))
            return QLatin1String(intero);
    static const QRegularExpression separatori(QStringLiteral("[\\s.]+"));
    QStringList parole;
    for (QString parola : n.split(separatori, Qt::SkipEmptyParts)) {
        if (parola.startsWith(QLatin1String("d'")))
            parola.remove(0, 2);
        for (const auto &[breve, intero] : abbreviazioni)
            if (parola == QLatin1String(breve))
                parola = QLatin1String(intero);
        if (!parola.isEmpty())
            parole.append(parola);
    }
    return parole.join(QLatin1Char(' '));
}

// The words that name each category and no other. A name not understood
// is answered with the one category whose words it holds, each written
// right or with a slip of the keys; never with one that merely looks alike
// («soggetto» for "c. oggetto").
const std::pair<int, const char *> paroleProprie[] = {
    {1, "soggetto"},        {2, "verbale"},     {3, "nominale"},      {4, "oggetto"},
    {5, "attributo"},       {6, "apposizione"}, {7, "specificazione"}, {8, "denominazione"},
    {9, "stato"},           {10, "moto a"},     {11, "moto da"},      {12, "moto per"},
    {13, "determinato"},    {14, "continuato"}, {15, "termine"},      {16, "altro"},
};

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
        "compagnia", "unione", "mezzo", "modo", "maniera", "causa", "agente", "fine", "scopo",
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
    // "predicativo del soggetto" is a predicative, whatever word follows.
    return complementi.contains(n.section(QLatin1Char(' '), 0, 0));
}

QString nomeVicino(const QString &nome)
{
    // Longer than any name of a category, however written: no slip of the keys.
    constexpr int piuLungo = 60;
    if (nome.size() > piuLungo)
        return QString();
    static const QList<std::pair<int, QStringList>> proprie = [] {
        QList<std::pair<int, QStringList>> p;
        for (const auto &[codice, parole] : paroleProprie)
            p.append({codice, QString::fromLatin1(parole).split(QLatin1Char(' '))});
        return p;
    }();
    // A word written is a category's own when it is that word, or that
    // word with a slip of the keys and no other category's word.
    const auto propria = [](const QString &scritta, const QString &parola) {
        if (scritta == parola)
            return true;
        for (const auto &[codice, altre] : proprie)
            if (altre.contains(scritta))
                return false;
        const int svista = parola.size() >= 10 ? 2 : parola.size() >= 5 ? 1 : 0;
        return distanza(scritta, parola) <= svista;
    };
    const QStringList scritte = nomeDisteso(nome).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int trovata = 0;
    for (const auto &[codice, parole] : proprie) {
        bool scritta = false;
        for (qsizetype i = 0; i + parole.size() <= scritte.size() && !scritta; ++i) {
            scritta = true;
            for (qsizetype j = 0; j < parole.size(); ++j)
                scritta = scritta && propria(scritte.at(i + j), parole.at(j));
        }
        if (scritta && trovata)
            return QString(); // two categories: no guess
        if (scritta)
            trovata = codice;
    }
    if (!trovata)
        return QString();
    QString suggerito = nomeCategoria(trovata);
    for (const QLatin1String testa : {QLatin1String("complemento di "), QLatin1String("complemento ")})
        if (suggerito.startsWith(testa))
            return suggerito.mid(testa.size());
    return suggerito;
}

} // namespace bancainsegnante

#include "bancainsegnante.h"

#include "categorie.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <utility>
#include <climits>

using namespace regolebanca;

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

// Lower case, quickly for the ASCII letters that make most of a text.
QString minuscolo(const QString &testo)
{
    QString m(testo.size(), Qt::Uninitialized);
    QChar *p = m.data();
    for (const QChar c : testo) {
        const char16_t u = c.unicode();
        *p++ = u < 0x80 ? QChar(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u) : c.toLower();
    }
    return m;
}

// The order words are sorted in: any will do, so the cheapest.
bool prima(QStringView a, QStringView b)
{
    return std::lexicographical_compare(a.utf16(), a.utf16() + a.size(), b.utf16(), b.utf16() + b.size());
}

// The words of a text already in lower case, sorted: letters and digits
// only, so that order and punctuation do not count.
QList<QStringView> parole(QStringView testo)
{
    QList<QStringView> p;
    qsizetype inizio = -1;
    for (qsizetype i = 0; i <= testo.size(); ++i) {
        const QChar c = i < testo.size() ? testo.at(i) : QChar();
        const bool lettera = i < testo.size() && (c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing);
        if (lettera && inizio < 0)
            inizio = i;
        if (!lettera && inizio >= 0) {
            p.append(testo.mid(inizio, i - inizio));
            inizio = -1;
        }
    }
    std::sort(p.begin(), p.end(), prima);
    return p;
}

// The words of a that b lacks (both sorted).
QList<QStringView> differenza(const QList<QStringView> &a, const QList<QStringView> &b)
{
    QList<QStringView> d;
    std::set_difference(a.cbegin(), a.cend(), b.cbegin(), b.cend(), std::back_inserter(d), prima);
    return d;
}

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

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF,
// no sequence cut short.
bool utf8Valido(const QByteArray &dati)
{
    const auto *p = reinterpret_cast<const unsigned char *>(dati.constData());
    const auto *fine = p + dati.size();
    while (p < fine) {
        const unsigned char c = *p++;
        if (c < 0x80)
            continue;
        int seguenti;
        char32_t codice;
        if (c >= 0xC2 && c <= 0xDF) {
            seguenti = 1;
            codice = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            seguenti = 2;
            codice = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            seguenti = 3;
            codice = c & 0x07;
        } else {
            return false;
        }
        if (fine - p < seguenti)
            return false;
        for (int i = 0; i < seguenti; ++i, ++p) {
            if ((*p & 0xC0) != 0x80)
                return false;
            codice = (codice << 6) | (*p & 0x3F);
        }
        const char32_t minimo = seguenti == 1 ? 0x80 : seguenti == 2 ? 0x800 : 0x10000;
        if (codice < minimo || codice > 0x10FFFF || (codice >= 0xD800 && codice <= 0xDFFF))
            return false;
    }
    return true;
}

// Windows-1252, what Notepad's "ANSI" and Word's plain text save on an
// Italian Windows: Latin-1, with quotes, dashes, the euro and a few letters
// in 0x80-0x9F. The five bytes it leaves unassigned stay C1 controls, as
// Windows reads them (and the check of invisible characters names them).
QString daWindows1252(const QByteArray &dati)
{
    static const char16_t alti[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString testo(dati.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < dati.size(); ++i) {
        const auto c = static_cast<unsigned char>(dati.at(i));
        testo[i] = QChar(c >= 0x80 && c < 0xA0 ? alti[c - 0x80] : char16_t(c));
    }
    return testo;
}

// What a word processor saves, named by its first bytes: a teacher is told
// to save it as plain text instead. Empty for anything else.
QString documento(const QByteArray &dati)
{
    if (dati.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return QStringLiteral("un documento di Word (.doc)");
    if (dati.startsWith("{\\rtf"))
        return QStringLiteral("un documento RTF (WordPad, Word)");
    if (dati.startsWith("PK\x03\x04")) {
        if (dati.contains("word/"))
            return QStringLiteral("un documento di Word (.docx)");
        if (dati.contains("application/vnd.oasis.opendocument"))
            return QStringLiteral("un documento di LibreOffice (.odt)");
        return QStringLiteral("un archivio compresso (.zip) o un documento");
    }
    return QString();
}

// The mark of a list item at the start of a line, with its blank: "1) ",
// "2. ", "a) ", "- ", "• "... Empty when there is none.
QString segnoElenco(const QString &testo)
{
    static const QRegularExpression segno(QStringLiteral("^(?:\\d{1,3}[.)]|[a-zA-Z]\\)|[-–—•·*▪●])\\s"));
    const QRegularExpressionMatch m = segno.match(testo);
    return m.hasMatch() ? m.captured(0) : QString();
}

// Characters an editor does not show, or shows as something else: control
// and format characters, unassigned and private code points. A tab counts
// as a blank.
bool invisibile(char32_t c)
{
    if (c == U'\t')
        return false;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return true;
    default:
        return false;
    }
}

// One sentence as it is read: its lines in the file, for the messages.
struct Blocco
{
    int lineaFrase = 0;
    QString frase;        // empty when the block has no sentence line
    QList<Sintagma> sintagmi;
    QList<int> lineeSintagmi;
};

class Lettore
{
public:
    explicit Lettore(const QString &nome)
        : m_nome(nome)
    {
    }

    Lettura esito;

    void leggi(QByteArray dati)
    {
        if (dati.size() > maxByte)
            return errore(0, QStringLiteral("il file è troppo grande (%1 byte): al massimo 1 MB, %2 byte")
                                 .arg(dati.size()).arg(maxByte));
        const QString tipo = documento(dati);
        if (!tipo.isEmpty())
            return errore(0, QStringLiteral("è %1, non un file di testo: aprirlo con il suo programma e salvarlo "
                                            "con «Salva con nome» come «Testo semplice» (.txt), con la codifica "
                                            "UTF-8").arg(tipo));
        if (dati.startsWith("\xEF\xBB\xBF"))
            dati.remove(0, 3);
        QString testo;
        if (!decodifica(dati, testo))
            return;
        // Old Macs end lines with CR alone; Windows with CR LF.
        if (testo.contains(QLatin1Char('\r'))) {
            testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        }
        const QList<QStringView> righe = QStringView(testo).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < righe.size() && !m_fermo; ++i)
            riga(int(i + 1), righe.at(i));
        chiudi();
        if (esito.numeroFrasi == 0 && esito.errori().isEmpty())
            errore(0, QStringLiteral("il file non contiene frasi"));
        else if (!m_fermo)
            categorieMaiUsate();
        std::stable_sort(esito.segnalazioni.begin(), esito.segnalazioni.end(),
                         [](const Segnalazione &a, const Segnalazione &b) { return a.linea < b.linea; });
        // Nothing of a file with a problem may reach the tables.
        if (!esito.errori().isEmpty())
            esito.frasi.clear();
    }

    void errore(int linea, const QString &testo) { segnala(linea, false, testo); }

private:
    void segnala(int linea, bool avviso, const QString &testo)
    {
        QString dove = m_nome + QLatin1Char(':');
        if (linea > 0)
            dove += QString::number(linea) + QLatin1Char(':');
        // Warnings about the whole file come after everything else.
        esito.segnalazioni.append({linea > 0 || !avviso ? linea : INT_MAX, avviso,
                                   dove + (avviso ? QStringLiteral(" avviso: ") : QStringLiteral(" ")) + testo});
    }
    void avviso(int linea, const QString &testo) { segnala(linea, true, testo); }

    // UTF-8 to text, composed characters made single (an editor may save
    // "è" as "e" and an accent, which would count as two characters).
    bool decodifica(const QByteArray &dati, QString &testo)
    {
        if (utf8Valido(dati)) {
            testo = QString::fromUtf8(dati);
            // Below U+0300, where combining marks start, every text is composed already.
            if (std::any_of(testo.cbegin(), testo.cend(), [](QChar c) { return c.unicode() >= 0x300; }))
                testo = testo.normalized(QString::NormalizationForm_C);
            return true;
        }
        // A file of UTF-8 with some lines spoilt: name every such line. One
        // with no UTF-8 letter anywhere was saved as Windows' "ANSI": read
        // it as such, with one word about it.
        const QList<QByteArray> righe = dati.split('\n');
        const auto lettereUtf8 = [](const QByteArray &r) {
            return utf8Valido(r) && std::any_of(r.cbegin(), r.cend(), [](char c) { return c & 0x80; });
        };
        int primaNonUtf8 = 0;
        for (qsizetype i = 0; i < righe.size() && !primaNonUtf8; ++i)
            if (!utf8Valido(righe.at(i)))
                primaNonUtf8 = int(i + 1);
        if (std::none_of(righe.cbegin(), righe.cend(), lettereUtf8)) {
            testo = daWindows1252(dati);
            avviso(primaNonUtf8, QStringLiteral("il file non è in UTF-8: è stato letto come Windows-1252 (la codifica "
                                                "«ANSI» di Blocco note); controllare le lettere accentate e salvarlo "
                                                "con la codifica UTF-8"));
            return true;
        }
        for (qsizetype i = 0; i < righe.size(); ++i)
            if (!utf8Valido(righe.at(i)))
                errore(int(i + 1), QStringLiteral("il testo non è in UTF-8: salvare il file con la codifica UTF-8"));
        return false;
    }

    void riga(int linea, QStringView grezza)
    {
        if (grezza.endsWith(QLatin1Char('\r')))
            grezza.chop(1);
        for (qsizetype i = 0; i < grezza.size(); ++i) {
            const QChar c = grezza.at(i);
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
                continue; // the common case, printable ASCII
            const bool coppia = c.isHighSurrogate() && i + 1 < grezza.size() && grezza.at(i + 1).isLowSurrogate();
            const char32_t codice = coppia ? QChar::surrogateToUcs4(c, grezza.at(++i)) : c.unicode();
            if (invisibile(codice)) {
                errore(linea, QStringLiteral("la riga contiene un carattere che non si vede (U+%1): cancellarlo")
                                  .arg(QString::number(uint(codice), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
                break;
            }
        }
        const QString testo = grezza.toString().simplified();
        // A blank line ends a sentence once the next line shows it was not
        // inside one.
        if (testo.isEmpty()) {
            if (m_aperto && !m_rigaVuota)
                m_rigaVuota = linea;
            return;
        }
        if (testo.startsWith(QLatin1Char('#')))
            return;
        if (m_rigaVuota) {
            const int vuota = std::exchange(m_rigaVuota, 0);
            // A phrase after it, while the sentence still lacks some of its
            // words: the blank line split the sentence.
            if (testo.contains(QLatin1Char('=')) && !m_blocco.frase.isEmpty() && !coperta()) {
                errore(vuota, QStringLiteral("riga vuota dentro la frase della riga %1: i suoi sintagmi vanno "
                                             "uno sotto l'altro, senza righe vuote")
                                  .arg(m_blocco.lineaFrase));
                return sintagma(linea, testo);
            }
            chiudi();
        }
        if (!m_aperto)
            return apri(linea, testo);
        // A line with no "=" after phrases that already make up the whole
        // sentence: the next sentence, with no blank line before it.
        if (!testo.contains(QLatin1Char('=')) && !m_blocco.sintagmi.isEmpty() && coperta()
            && senzaUguale(testo).second.isEmpty()) {
            errore(linea, QStringLiteral("manca una riga vuota prima di questa frase: ogni frase va separata "
                                         "dalla precedente da una riga vuota"));
            chiudi();
            return apri(linea, testo);
        }
        sintagma(linea, testo);
    }

    // Whether the phrases read so far hold every word of the sentence.
    bool coperta() const
    {
        QString insieme;
        for (const Sintagma &s : m_blocco.sintagmi)
            insieme += QLatin1Char(' ') + s.testo;
        const QString frase = minuscolo(m_blocco.frase);
        insieme = minuscolo(insieme);
        return parole(insieme) == parole(frase);
    }

    void apri(int linea, const QString &testo)
    {
        if (esito.numeroFrasi == maxFrasi) {
            errore(linea, QStringLiteral("più di %1 frasi: un file ne può contenere al massimo %1").arg(maxFrasi));
            m_fermo = true;
            return;
        }
        m_aperto = true;
        m_blocco = Blocco();
        m_blocco.lineaFrase = linea;
        if (testo.contains(QLatin1Char('='))) {
            // A block that starts with a phrase: the sentence is missing.
            errore(linea, QStringLiteral("manca la frase intera: ogni frase comincia con una riga che la riporta "
                                         "com'è scritta, senza «=»; poi vengono i sintagmi"));
            sintagma(linea, testo);
            return;
        }
        m_blocco.frase = testo;
        segnoDiElenco(linea, testo, QStringLiteral("la frase"));
    }

    // A list mark the teacher's editor added: the pupils would see it.
    void segnoDiElenco(int linea, const QString &testo, const QString &che)
    {
        const QString segno = segnoElenco(testo);
        if (!segno.isEmpty())
            avviso(linea, QStringLiteral("%1 comincia con «%2», che sembra il segno di un elenco: gli alunni lo "
                                         "vedono sullo schermo; toglierlo se non fa parte della frase")
                              .arg(che, segno));
    }

    void sintagma(int linea, const QString &testo)
    {
        Sintagma s;
        const qsizetype uguale = testo.lastIndexOf(QLatin1Char('='));
        if (uguale < 0) {
            const auto [davanti, categoria] = senzaUguale(testo);
            if (!categoria.isEmpty())
                errore(linea, QStringLiteral("manca «=» tra il sintagma e la sua categoria: scrivere «%1 = %2»")
                                  .arg(davanti, categoria));
            else
                errore(linea, QStringLiteral("manca la categoria: scrivere il sintagma, poi «=» e la sua categoria, "
                                             "per esempio «il gatto = soggetto»"));
            s.letto = false;
        } else {
            s.testo = testo.left(uguale).trimmed();
            segnoDiElenco(linea, s.testo, QStringLiteral("il sintagma"));
            const QString categoria = testo.mid(uguale + 1).trimmed();
            // A file names the same few categories over and over.
            auto codice = m_categorie.constFind(categoria);
            if (codice == m_categorie.constEnd())
                codice = m_categorie.insert(categoria, codiceCategoria(categoria));
            s.codice = short(*codice);
            if (categoria.isEmpty()) {
                errore(linea, QStringLiteral("manca la categoria dopo «=»"));
                s.letto = false;
            } else if (s.codice == 0) {
                errore(linea, sconosciuta(categoria));
                s.letto = false;
            }
        }
        if (s.letto) {
            ++esito.numeroSintagmi;
            ++esito.perCategoria[s.codice];
        }
        m_blocco.sintagmi.append(s);
        m_blocco.lineeSintagmi.append(linea);
    }

    // A phrase line with its category but no "=": blanks, a colon, a dash
    // or a TAB pasted from a spreadsheet in its place. The phrase and the
    // category when the line ends with a name of one, else nothing.
    static std::pair<QString, QString> senzaUguale(const QString &testo)
    {
        const QStringList parole = testo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype k = std::min<qsizetype>(parole.size() - 1, 5); k >= 1; --k) {
            QString categoria = parole.mid(parole.size() - k).join(QLatin1Char(' '));
            QString davanti = parole.mid(0, parole.size() - k).join(QLatin1Char(' '));
            while (davanti.endsWith(QLatin1Char(':')) || davanti.endsWith(QLatin1Char('-'))
                   || davanti.endsWith(QChar(0x2013)))
                davanti = davanti.chopped(1).trimmed();
            if (!davanti.isEmpty() && codiceCategoria(categoria) != 0)
                return {davanti, categoria};
        }
        return {};
    }

    static QString sconosciuta(const QString &categoria)
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

    // The end of a block: the sentence goes through the rules.
    void chiudi()
    {
        if (!m_aperto)
            return;
        m_aperto = false;
        const int n = esito.numeroFrasi++;
        FraseBanca frase;
        frase.sintagmi = m_blocco.sintagmi;
        // The free slots the screen has beyond the phrases: empty, code 0.
        while (frase.sintagmi.size() < maxSintagmi)
            frase.sintagmi.append(Sintagma());
        const qsizetype prima = m_regole.problemi.size();
        bool divisa = false;
        if (!m_blocco.frase.isEmpty()) {
            divisa = dividi(m_blocco.frase, frase.fraseinteraa, frase.fraseinterab);
            if (divisa)
                m_regole.righeIntere(n, frase.fraseinteraa, frase.fraseinterab);
            else
                errore(m_blocco.lineaFrase,
                       QStringLiteral("la frase è troppo lunga per lo schermo (%1 caratteri): ci stanno %2 "
                                      "caratteri sulla prima riga e %3 sulla seconda, andando a capo tra due parole; %4")
                           .arg(m_blocco.frase.size()).arg(maxRigaA).arg(maxRigaB).arg(doveACapo(m_blocco.frase)));
        }
        m_regole.sintagmi(n, frase.sintagmi);
        const bool buona = m_regole.problemi.size() == prima;
        for (qsizetype i = prima; i < m_regole.problemi.size(); ++i)
            problema(m_regole.problemi.at(i));
        if (divisa && buona)
            confrontaParole();
        if (divisa && ripetuta(m_blocco.frase))
            return;
        m_righe.append(m_blocco.lineaFrase);
        esito.frasi.append(frase);
    }

    // Where a sentence too long would break, for the teacher to see what to cut.
    static QString doveACapo(const QString &frase)
    {
        const qsizetype capo = frase.lastIndexOf(QLatin1Char(' '), maxRigaA);
        if (capo <= 0)
            return QStringLiteral("nei primi %1 caratteri non c'è uno spazio dove andare a capo").arg(maxRigaA);
        const QString a = frase.left(capo), b = frase.mid(capo + 1);
        return QStringLiteral("qui la prima riga finirebbe con «%1%2» e la seconda sarebbe «%3» (%4 caratteri): "
                              "accorciare la frase o dividerla in due")
            .arg(a.size() > 20 ? QStringLiteral("…") : QString(), a.right(20), b).arg(b.size());
    }

    // The same sentence a second time, also with other capitals, another
    // apostrophe or another final mark: a warning, and only the first is
    // used (the file is the teacher's, and stays as it is). Not counted.
    bool ripetuta(const QString &intera)
    {
        QString chiave = intera.simplified().toLower();
        chiave.replace(QChar(0x2019), QLatin1Char('\''));
        while (!chiave.isEmpty() && QStringLiteral(".!?;:…").contains(chiave.back()))
            chiave.chop(1);
        const auto vista = m_frasiViste.constFind(chiave.trimmed());
        if (vista == m_frasiViste.constEnd()) {
            m_frasiViste.insert(chiave.trimmed(), m_blocco.lineaFrase);
            return false;
        }
        avviso(m_blocco.lineaFrase, QStringLiteral("la stessa frase della riga %1: si usa solo la prima").arg(*vista));
        --esito.numeroFrasi;
        for (const Sintagma &s : m_blocco.sintagmi)
            if (s.letto) {
                --esito.numeroSintagmi;
                --esito.perCategoria[s.codice];
            }
        return true;
    }

    // A fault of the rules, on the line it is about.
    void problema(const Problema &p)
    {
        const bool suSintagma = p.slot >= 1 && p.slot <= m_blocco.lineeSintagmi.size();
        const int linea = suSintagma ? m_blocco.lineeSintagmi.at(p.slot - 1) : m_blocco.lineaFrase;
        // A sentence without phrases is told once; and where a phrase could
        // not be read, its fault is the one to mend, not the count or the
        // predicate that phrase may be.
        const bool illeggibili = std::any_of(m_blocco.sintagmi.cbegin(), m_blocco.sintagmi.cend(),
                                             [](const Sintagma &s) { return !s.letto; });
        if (p.guasto == Guasto::SenzaPredicato && (m_blocco.sintagmi.isEmpty() || illeggibili))
            return;
        if (p.guasto == Guasto::NumeroSintagmi && p.valore < minSintagmi && illeggibili)
            return;
        if (p.guasto != Guasto::FraseRipetuta)
            errore(linea, testo(p));
    }

    QString testo(const Problema &p) const
    {
        // (A sentence met again is a warning of ripetuta(), not this fault.)
        switch (p.guasto) {
        case Guasto::FraseRipetuta:
            return QStringLiteral("la stessa frase della riga %1").arg(m_righe.value(p.altra));
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

    // A warning when the phrases do not use the words of the sentence: often
    // a typo, sometimes a rewording on purpose ("quest'anno" as "questo" and
    // "anno").
    void confrontaParole()
    {
        QString insieme;
        for (const Sintagma &s : m_blocco.sintagmi)
            insieme += (insieme.isEmpty() ? QString() : QStringLiteral(" ")) + s.testo;
        if (insieme == m_blocco.frase)
            return; // the phrases cut the sentence as it is written
        insieme = minuscolo(insieme);
        const QString intera = minuscolo(m_blocco.frase);
        const QList<QStringView> frase = parole(intera);
        const QList<QStringView> sintagmi = parole(insieme);
        if (frase == sintagmi)
            return;
        QStringList cosa;
        const QList<QStringView> mancano = differenza(frase, sintagmi);
        const QList<QStringView> inPiu = differenza(sintagmi, frase);
        if (!mancano.isEmpty())
            cosa.append(QStringLiteral("nei sintagmi mancano %1").arg(elenco(mancano)));
        if (!inPiu.isEmpty())
            cosa.append(QStringLiteral("non sono nella frase %1").arg(elenco(inPiu)));
        avviso(m_blocco.lineaFrase, QStringLiteral("i sintagmi non hanno le stesse parole della frase (%1): "
                                                   "un errore di battitura?")
                                        .arg(cosa.join(QStringLiteral("; "))));
    }

    void categorieMaiUsate()
    {
        QStringList mai;
        for (int c = 1; c <= maxCodice; ++c)
            if (esito.perCategoria[c] == 0)
                mai.append(QStringLiteral("%1 «%2»").arg(c).arg(nomeCategoria(c)));
        if (!mai.isEmpty())
            avviso(0, QStringLiteral("nessun sintagma è delle categorie %1").arg(mai.join(QStringLiteral(", "))));
    }

    QString m_nome;
    Regole m_regole{minSintagmi};
    bool m_aperto = false;
    bool m_fermo = false;
    int m_rigaVuota = 0; // the blank line after the open sentence, if any
    Blocco m_blocco;
    QList<int> m_righe; // the line of each sentence read
    QHash<QString, int> m_frasiViste; // a sentence as compared -> its line
    QHash<QString, int> m_categorie; // as written -> code
};

QString allineato(const QString &testo, int larghezza)
{
    return testo + QString(std::max<qsizetype>(0, larghezza - testo.size()), QLatin1Char(' '));
}

} // namespace

QStringList Lettura::errori() const
{
    QStringList e;
    for (const Segnalazione &s : segnalazioni)
        if (!s.avviso)
            e.append(s.testo);
    return e;
}

QStringList Lettura::avvisi() const
{
    QStringList a;
    for (const Segnalazione &s : segnalazioni)
        if (s.avviso)
            a.append(s.testo);
    return a;
}

Lettura leggi(const QByteArray &dati, const QString &nome)
{
    Lettore lettore(nome);
    lettore.leggi(dati);
    return lettore.esito;
}

Lettura leggiFile(const QString &percorso)
{
    Lettore lettore(percorso);
    const QFileInfo info(percorso);
    QFile file(percorso);
    if (!info.exists())
        lettore.errore(0, QStringLiteral("il file non esiste"));
    else if (info.isDir())
        lettore.errore(0, QStringLiteral("è una cartella, non un file"));
    // A named pipe or a device would keep the reading waiting, or never end.
    else if (!info.isFile())
        lettore.errore(0, QStringLiteral("non è un file di testo (è una pipe o un dispositivo)"));
    else if (info.size() > maxByte)
        lettore.errore(0, QStringLiteral("il file è troppo grande (%1 byte): al massimo 1 MB, %2 byte")
                              .arg(info.size()).arg(maxByte));
    else if (!file.open(QIODevice::ReadOnly))
        lettore.errore(0, QStringLiteral("il file non si può leggere (%1)").arg(file.errorString()));
    else
        lettore.leggi(file.read(maxByte + 1));
    return lettore.esito;
}

QByteArray scrivi(const QList<FraseBanca> &frasi)
{
    QString testo = QStringLiteral(
        "# Frasi per Parsilia, esercizi di analisi logica.\n"
        "#\n"
        "# Ogni frase è un gruppo di righe, separato dagli altri da una riga vuota:\n"
        "# prima la frase intera, come si scrive; poi i suoi sintagmi, uno per riga,\n"
        "# nell'ordine in cui vanno classificati, ciascuno seguito da «=» e dalla sua\n"
        "# categoria (il nome del tasto o il suo numero, da 1 a 16).\n"
        "# Le righe che cominciano con # sono commenti.\n"
        "# Per controllare il file: parsilia --verifica FILE\n");
    for (qsizetype n = 0; n < frasi.size(); ++n) {
        const FraseBanca &f = frasi.at(n);
        // No number in a comment: once the teacher trims the file it would
        // no longer be the "frase n°" the screen shows.
        testo += QLatin1Char('\n');
        testo += (f.fraseinteraa + QLatin1Char(' ') + f.fraseinterab).simplified() + QLatin1Char('\n');
        int larghezza = 0;
        for (const Sintagma &s : f.sintagmi)
            larghezza = std::max<int>(larghezza, int(s.testo.simplified().size()));
        for (const Sintagma &s : f.sintagmi)
            if (s.codice != 0)
                testo += allineato(s.testo.simplified(), larghezza) + QStringLiteral(" = ")
                         + nomeCategoria(s.codice) + QLatin1Char('\n');
    }
    return testo.toUtf8();
}

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

bool dividi(const QString &frase, QString &rigaA, QString &rigaB)
{
    if (frase.size() <= maxRigaA) {
        rigaA = frase;
        rigaB = QStringLiteral(" ");
        return true;
    }
    // As much as fits on line A, the rest on line B; but a line B of one to
    // three characters is never shown (the exercise screen takes it for an
    // empty one): then a word more goes down with it.
    qsizetype capo = frase.lastIndexOf(QLatin1Char(' '), maxRigaA);
    while (capo > 0 && frase.size() - capo - 1 < rigaBVisibile)
        capo = frase.lastIndexOf(QLatin1Char(' '), capo - 1);
    if (capo <= 0 || frase.size() - capo - 1 > maxRigaB)
        return false;
    rigaA = frase.left(capo);
    rigaB = frase.mid(capo + 1);
    return true;
}

} // namespace bancainsegnante

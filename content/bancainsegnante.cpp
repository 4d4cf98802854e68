#include "bancainsegnante.h"

#include "decodificafile.h"
#include "messaggibanca.h"

#include <QDir>
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

    void leggi(const QByteArray &dati)
    {
        const TestoFile file = decodificaFile(dati);
        for (const NotaCodifica &n : file.note)
            segnala(n.linea, n.avviso, n.testo);
        if (!file.letto)
            return;
        const QString &testo = file.testo;
        const QList<QStringView> righe = QStringView(testo).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < righe.size() && !m_fermo; ++i)
            riga(int(i + 1), righe.at(i));
        chiudi();
        if (esito.numeroFrasi == 0 && esito.errori().isEmpty())
            errore(0, QStringLiteral("il file non contiene frasi"));
        else if (!m_fermo)
            categorieMaiUsate();
        // Warnings about the whole file come after everything else.
        const auto ordine = [](const Segnalazione &s) { return s.linea > 0 || !s.avviso ? s.linea : INT_MAX; };
        std::stable_sort(esito.segnalazioni.begin(), esito.segnalazioni.end(),
                         [&](const Segnalazione &a, const Segnalazione &b) { return ordine(a) < ordine(b); });
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
        esito.segnalazioni.append(
            {linea, avviso, dove + (avviso ? QStringLiteral(" avviso: ") : QStringLiteral(" ")) + testo, testo});
    }
    void avviso(int linea, const QString &testo) { segnala(linea, true, testo); }

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
                errore(linea, messaggi::invisibile(codice));
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
                errore(vuota, messaggi::rigaVuotaDentro(m_blocco.lineaFrase));
                return sintagma(linea, testo);
            }
            chiudi();
        }
        if (!m_aperto)
            return apri(linea, testo);
        // A line with no "=" after phrases that already make up the whole
        // sentence, or that reads as a sentence itself: the next sentence,
        // with no blank line before it (also when the one before has a typo
        // or a list mark, and so is never quite made up).
        if (!testo.contains(QLatin1Char('=')) && !m_blocco.sintagmi.isEmpty()
            && senzaUguale(testo).second.isEmpty() && (coperta() || (sembraFrase(testo) && !dellaFrase(testo)))) {
            errore(linea, messaggi::mancaRigaVuota());
            chiudi();
            return apri(linea, testo);
        }
        sintagma(linea, testo);
    }

    // A line that reads as a whole sentence: a capital first (after a list
    // mark, if any), a full stop, a question or an exclamation mark last
    // (before closing quotes).
    static bool sembraFrase(const QString &testo)
    {
        const QString frase = testo.mid(segnoElenco(testo).size());
        qsizetype fine = frase.size();
        while (fine > 0 && QStringLiteral("»\"”')").contains(frase.at(fine - 1)))
            --fine;
        return fine > 0 && frase.front().isUpper() && QStringLiteral(".!?…").contains(frase.at(fine - 1));
    }

    // Whether every word of a line is in the sentence: a phrase of it,
    // capitals and a full stop notwithstanding.
    bool dellaFrase(const QString &riga) const
    {
        const QString frase = minuscolo(m_blocco.frase), testo = minuscolo(riga);
        const QList<QStringView> tutte = parole(frase), queste = parole(testo);
        return std::includes(tutte.cbegin(), tutte.cend(), queste.cbegin(), queste.cend(), prima);
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
            errore(linea, messaggi::troppeFrasi());
            m_fermo = true;
            return;
        }
        m_aperto = true;
        m_blocco = Blocco();
        m_blocco.lineaFrase = linea;
        if (testo.contains(QLatin1Char('='))) {
            // A block that starts with a phrase: the sentence is missing.
            errore(linea, messaggi::mancaFrase());
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
            avviso(linea, messaggi::segnoDiElenco(che, segno));
    }

    void sintagma(int linea, const QString &testo)
    {
        Sintagma s;
        const qsizetype uguale = testo.lastIndexOf(QLatin1Char('='));
        if (uguale < 0) {
            const auto [davanti, categoria] = senzaUguale(testo);
            if (!categoria.isEmpty())
                errore(linea, messaggi::manca(davanti, categoria));
            else
                errore(linea, messaggi::mancaCategoria());
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
                errore(linea, messaggi::mancaCategoriaDopoUguale());
                s.letto = false;
            } else if (s.codice == 0) {
                errore(linea, messaggi::categoriaSconosciuta(categoria));
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
                errore(m_blocco.lineaFrase, messaggi::troppoLunga(m_blocco.frase));
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
        avviso(m_blocco.lineaFrase, messaggi::ripetuta(*vista));
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
            errore(linea, messaggi::regola(p, m_righe.value(p.altra)));
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
        avviso(m_blocco.lineaFrase, messaggi::paroleDiverse(differenza(frase, sintagmi), differenza(sintagmi, frase)));
    }

    void categorieMaiUsate()
    {
        QList<int> mai;
        for (int c = 1; c <= maxCodice; ++c)
            if (esito.perCategoria[c] == 0)
                mai.append(c);
        if (!mai.isEmpty())
            avviso(0, messaggi::categorieMaiUsate(mai));
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
    // Named as the system writes paths (on Windows, with backslashes).
    Lettore lettore(QDir::toNativeSeparators(percorso));
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
        lettore.errore(0, troppoGrande(info.size()));
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

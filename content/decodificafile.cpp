#include "decodificafile.h"

#include "bancainsegnante.h"

#include <algorithm>

namespace bancainsegnante {

namespace {

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

// An editor may save "è" as "e" and an accent, which would count as two
// characters: composed characters made single. Below U+0300, where
// combining marks start, every text is composed already.
QString composto(const QString &testo)
{
    if (std::any_of(testo.cbegin(), testo.cend(), [](QChar c) { return c.unicode() >= 0x300; }))
        return testo.normalized(QString::NormalizationForm_C);
    return testo;
}

// UTF-16, what Notepad saves as "UTF-16 LE" or "UTF-16 BE" (older Notepad
// and Word call it "Unicode"), after its byte-order mark. A half character
// at the end is a file cut short.
bool daUtf16(const QByteArray &dati, bool grandeFine, TestoFile &file)
{
    const qsizetype unita = dati.size() / 2;
    QString testo(unita, Qt::Uninitialized);
    const auto *p = reinterpret_cast<const unsigned char *>(dati.constData());
    for (qsizetype i = 0; i < unita; ++i, p += 2)
        testo[i] = QChar(grandeFine ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]));
    if (dati.size() % 2) {
        file.note.append({0, false, QStringLiteral("il file finisce a metà di un carattere: salvarlo di nuovo, "
                                                   "con la codifica UTF-8")});
        return false;
    }
    file.testo = composto(testo);
    return true;
}

// A text has no NUL bytes; UTF-16 has one in every other byte of Italian
// text. A file where a quarter of the bytes are NUL is told once, not on
// every line.
bool pienoDiNul(const QByteArray &dati)
{
    return !dati.isEmpty() && dati.count('\0') * 4 >= dati.size();
}

// UTF-8, with or without its mark; without, a file with no UTF-8 letter
// anywhere was saved as Windows' "ANSI": read as such, with one word about
// it. A file of UTF-8 with some lines spoilt, or with the mark of UTF-8,
// names every spoilt line.
bool daUtf8(const QByteArray &dati, bool segnato, TestoFile &file)
{
    if (utf8Valido(dati)) {
        file.testo = composto(QString::fromUtf8(dati));
        return true;
    }
    const QList<QByteArray> righe = dati.split('\n');
    const auto lettereUtf8 = [](const QByteArray &r) {
        return utf8Valido(r) && std::any_of(r.cbegin(), r.cend(), [](char c) { return c & 0x80; });
    };
    int primaNonUtf8 = 0;
    for (qsizetype i = 0; i < righe.size() && !primaNonUtf8; ++i)
        if (!utf8Valido(righe.at(i)))
            primaNonUtf8 = int(i + 1);
    if (!segnato && std::none_of(righe.cbegin(), righe.cend(), lettereUtf8)) {
        file.testo = daWindows1252(dati);
        file.note.append({primaNonUtf8, true,
                          QStringLiteral("il file non è in UTF-8: è stato letto come Windows-1252 (la codifica "
                                         "«ANSI» di Blocco note); controllare le lettere accentate e salvarlo "
                                         "con la codifica UTF-8")});
        return true;
    }
    for (qsizetype i = 0; i < righe.size(); ++i)
        if (!utf8Valido(righe.at(i)))
            file.note.append({int(i + 1), false,
                              QStringLiteral("il testo non è in UTF-8: salvare il file con la codifica UTF-8")});
    return false;
}

} // namespace

QString troppoGrande(qint64 byte)
{
    return QStringLiteral("il file è troppo grande (%1 byte): al massimo 1 MB, %2 byte").arg(byte).arg(maxByte);
}

TestoFile decodificaFile(const QByteArray &dati)
{
    TestoFile file;
    if (dati.size() > maxByte) {
        file.note.append({0, false, troppoGrande(dati.size())});
        return file;
    }
    const QString tipo = documento(dati);
    if (!tipo.isEmpty()) {
        file.note.append({0, false,
                          QStringLiteral("è %1, non un file di testo: aprirlo con il suo programma e salvarlo "
                                         "con «Salva con nome» come «Testo semplice» (.txt), con la codifica "
                                         "UTF-8").arg(tipo)});
        return file;
    }
    bool letto;
    if (dati.startsWith("\xFF\xFE") || dati.startsWith("\xFE\xFF")) {
        letto = daUtf16(dati.mid(2), dati.startsWith("\xFE"), file);
    } else if (pienoDiNul(dati)) {
        file.note.append({0, false,
                          QStringLiteral("il file è pieno di caratteri nulli (byte 0), come un file salvato in UTF-16 "
                                         "(«Unicode») senza il segno iniziale che lo dice: aprirlo con Blocco note e "
                                         "salvarlo con «Salva con nome», scegliendo la codifica «UTF-8»")});
        return file;
    } else {
        const bool segnato = dati.startsWith("\xEF\xBB\xBF");
        letto = daUtf8(segnato ? dati.mid(3) : dati, segnato, file);
    }
    if (!letto)
        return file;
    // Old Macs end lines with CR alone; Windows with CR LF.
    if (file.testo.contains(QLatin1Char('\r'))) {
        file.testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        file.testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    file.letto = true;
    return file;
}

} // namespace bancainsegnante

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

// UTF-8 to text, composed characters made single (an editor may save
// "è" as "e" and an accent, which would count as two characters).
bool decodifica(const QByteArray &dati, TestoFile &file)
{
    if (utf8Valido(dati)) {
        file.testo = QString::fromUtf8(dati);
        // Below U+0300, where combining marks start, every text is composed already.
        if (std::any_of(file.testo.cbegin(), file.testo.cend(), [](QChar c) { return c.unicode() >= 0x300; }))
            file.testo = file.testo.normalized(QString::NormalizationForm_C);
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

TestoFile decodificaFile(QByteArray dati)
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
    if (dati.startsWith("\xEF\xBB\xBF"))
        dati.remove(0, 3);
    if (!decodifica(dati, file))
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

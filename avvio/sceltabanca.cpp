#include "sceltabanca.h"

#include "content/banca.h"
#include "content/bancainsegnante.h"
#include "exercise/modulo1.h"
#include "services/messaggio.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace sceltabanca {

namespace {

// The first problems in the message; all of them under "Mostra dettagli".
constexpr int problemiMostrati = 5;

// A file that may give the sentences: the one named, the user's own, the class's.
struct Candidato
{
    QString file;
    QString chi;   // whose sentences the screens say they are
    QString nome;  // how the screens name the file when it cannot be used
    bancainsegnante::Lettura lettura;
};

Candidato candidato(const QString &file, const QString &indicato)
{
    const QString nome = QFileInfo(file).fileName();
    if (file == indicato)
        return {file, QStringLiteral("Frasi dell'insegnante"), nome, {}};
    // The user's own folder comes first among the standard ones.
    const QString personale = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).value(0);
    if (QFileInfo(file).absolutePath() == QDir(personale).filePath(QStringLiteral("parsilia")))
        return {file, QStringLiteral("Frasi personali"), nome + QStringLiteral(" personale"), {}};
    return {file, QStringLiteral("Frasi della classe"), nome + QStringLiteral(" della classe"), {}};
}

// The problems or the warnings of a file, each after its line: the file is
// named once, above them.
QStringList righe(const bancainsegnante::Lettura &lettura, bool avvisi)
{
    QStringList r;
    for (const bancainsegnante::Segnalazione &s : lettura.segnalazioni)
        if (s.avviso == avvisi)
            r.append(s.linea > 0 ? QStringLiteral("riga %1: %2").arg(s.linea).arg(s.messaggio) : s.messaggio);
    return r;
}

// The box a teacher reads when she has opened a file herself: its first
// problems or warnings, the whole list under «Mostra dettagli...».
void mostra(QMessageBox::Icon icona, const QString &file, const QString &cosa, const QStringList &elenco,
            const QString &poi)
{
    const QString nativo = QDir::toNativeSeparators(file);
    QString testo = QStringLiteral("Il file di frasi\n%1\n%2:\n\n").arg(nativo, cosa);
    testo += elenco.mid(0, problemiMostrati).join(QLatin1Char('\n'));
    if (elenco.size() > problemiMostrati)
        testo += QStringLiteral("\n(e altri %1: «Mostra dettagli» li elenca tutti)").arg(elenco.size() - problemiMostrati);
    Messaggio box(icona, testo + QStringLiteral("\n\n") + poi, nativo + QStringLiteral("\n\n") + elenco.join(QLatin1Char('\n')));
    box.exec();
}

void avvisaInsegnante(const Candidato &c, const QString &invece)
{
    mostra(QMessageBox::Warning, c.file, QStringLiteral("ha dei problemi e non si può usare"), righe(c.lettura, false),
           QStringLiteral("Ogni problema dice la riga del file dove si trova. Aprire il file con un editor di testo "
                          "(Blocco note, Gedit), correggere quelle righe, salvarlo e aprirlo di nuovo con Parsilia."
                          "\n\nPer ora Parsilia userà %1.")
               .arg(invece));
}

// A file that can be used, with warnings about its lines: the teacher who
// opened it sees them before her pupils see the sentences. The sentences
// every file of a few leaves unused are no reason for a box.
void mostraAvvisi(const Candidato &c)
{
    const QList<bancainsegnante::Segnalazione> &s = c.lettura.segnalazioni;
    if (std::none_of(s.cbegin(), s.cend(), [](const auto &a) { return a.avviso && a.linea > 0; }))
        return;
    const QStringList avvisi = righe(c.lettura, true);
    mostra(QMessageBox::Information, c.file,
           QStringLiteral("si può usare, ma con %1 %2").arg(avvisi.size()).arg(avvisi.size() == 1 ? "avviso" : "avvisi"),
           avvisi,
           QStringLiteral("Gli alunni vedono le frasi come sono scritte nel file: conviene controllare quelle righe "
                          "e, se serve, correggerle con un editor di testo e aprire di nuovo il file con Parsilia."
                          "\n\nChiudendo questa finestra si comincia con queste frasi."));
}

// "a", "a e b", "a, b e c".
QString elenco(const QStringList &nomi)
{
    return nomi.size() < 2 ? nomi.join(QString())
                           : nomi.mid(0, nomi.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" e ") + nomi.last();
}

// What the screens say of the sentences in use: whose they are, which file,
// and which files could not be used, each named so that two called
// frasi.txt are told apart.
QString inUso(const QList<Candidato> &letti, qsizetype usato)
{
    QStringList rifiutati;
    for (qsizetype i = 0; i < letti.size(); ++i)
        if (i != usato && !rifiutati.contains(letti.at(i).nome))
            rifiutati.append(letti.at(i).nome);
    const QString nonSi = rifiutati.size() == 1 ? QStringLiteral("non si può usare") : QStringLiteral("non si possono usare");
    if (usato < 0)
        return QStringLiteral("%1 %2: frasi del programma").arg(elenco(rifiutati), nonSi);
    const Candidato &c = letti.at(usato);
    const qsizetype n = c.lettura.frasi.size();
    QString testo = QStringLiteral("%1: %2, %3 %4")
                        .arg(c.chi, QFileInfo(c.file).fileName()).arg(n)
                        .arg(n == 1 ? QStringLiteral("frase") : QStringLiteral("frasi"));
    if (!rifiutati.isEmpty())
        testo += QStringLiteral(" (%1 %2)").arg(elenco(rifiutati), nonSi);
    return testo;
}

} // namespace

QString fileTrovato()
{
    return fileTrovati().value(0);
}

QStringList fileTrovati()
{
    QStringList trovati;
    for (const QString &cartella : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        // Explorer hides known extensions: a new text document renamed
        // "frasi.txt" is frasi.txt.txt, and is taken for it.
        for (const QString &nome : {QString::fromLatin1(percorsoRelativo), QString::fromLatin1(percorsoRelativo) + ".txt"}) {
            const QString file = QDir(cartella).filePath(nome);
            if (QFileInfo(file).isFile()) {
                if (!trovati.contains(file))
                    trovati.append(file);
                break;
            }
        }
    }
    return trovati;
}

void carica(const QString &fileIndicato)
{
    QStringList file = fileIndicato.isEmpty() ? QStringList() : QStringList{fileIndicato};
    for (const QString &f : fileTrovati())
        if (!file.contains(f))
            file.append(f);
    // Read before any message, so that each says what comes instead.
    QList<Candidato> letti;
    qsizetype usato = -1;
    for (const QString &f : file) {
        letti.append(candidato(f, fileIndicato));
        letti.last().lettura = bancainsegnante::leggiFile(f);
        if (letti.last().lettura.valida()) {
            usato = letti.size() - 1;
            break;
        }
    }
    if (letti.isEmpty())
        return;
    Modulo1::frasiinuso = inUso(letti, usato);
    if (usato >= 0)
        Modulo1::frasiinsegnante = letti.at(usato).lettura.frasi;
    // A box only for the file the person starting Parsilia named: a pupil
    // starting it is not asked to judge the class's file, which the
    // screens name all the same.
    if (fileIndicato.isEmpty())
        return;
    if (usato == 0)
        return mostraAvvisi(letti.first());
    avvisaInsegnante(letti.first(), usato > 0 ? QStringLiteral("le frasi del file\n%1").arg(QDir::toNativeSeparators(letti.at(usato).file))
                                              : QStringLiteral("le frasi già incluse nel programma"));
}

QList<FraseBanca> frasiIncorporate()
{
    QList<FraseBanca> frasi;
    for (const RigaBanca &riga : bancaFrasi) {
        FraseBanca f{QString::fromUtf8(riga.fraseinteraa), QString::fromUtf8(riga.fraseinterab), {}};
        for (const SintagmaBanca &s : riga.sintagmi)
            f.sintagmi.append({QString::fromUtf8(s.testo), s.codice});
        frasi.append(f);
    }
    return frasi;
}

} // namespace sceltabanca

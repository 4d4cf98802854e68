#include "sceltabanca.h"

#include "content/banca.h"
#include "content/bancainsegnante.h"
#include "exercise/modulo1.h"
#include "services/italianoqt.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace sceltabanca {

namespace {

// The first problems in the message; all of them under "Mostra dettagli".
constexpr int problemiMostrati = 5;

QString nome(const QString &file)
{
    return QFileInfo(file).fileName();
}

void avvisaInsegnante(const QString &file, const QStringList &errori, const QString &invece)
{
    QString testo = QStringLiteral("Il file di frasi\n%1\nha dei problemi e non si può usare:\n\n").arg(file);
    testo += errori.mid(0, problemiMostrati).join(QLatin1Char('\n'));
    if (errori.size() > problemiMostrati)
        testo += QStringLiteral("\n(e altri %1: «Mostra dettagli» li elenca tutti)").arg(errori.size() - problemiMostrati);
    testo += QStringLiteral("\n\nOgni problema dice la riga del file dove si trova. Aprire il file con un editor "
                            "di testo (Blocco note, Gedit), correggere quelle righe, salvarlo e aprirlo di nuovo "
                            "con Parsilia.\n\nPer ora Parsilia userà %1.")
                 .arg(invece);
    const ItalianoQt italiano;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Parsilia"), testo, QMessageBox::Ok);
    box.setDetailedText(errori.join(QLatin1Char('\n')));
    box.exec();
}

} // namespace

QString fileTrovato()
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QLatin1String(percorsoRelativo));
}

QStringList fileTrovati()
{
    return QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QLatin1String(percorsoRelativo));
}

void carica(const QString &fileIndicato)
{
    QStringList candidati = fileIndicato.isEmpty() ? QStringList() : QStringList{fileIndicato};
    for (const QString &f : fileTrovati())
        if (!candidati.contains(f))
            candidati.append(f);
    // Read before any message, so that each says what comes instead.
    QList<QPair<QString, bancainsegnante::Lettura>> letture;
    qsizetype usato = -1;
    for (const QString &file : candidati) {
        letture.append({file, bancainsegnante::leggiFile(file)});
        if (letture.last().second.valida()) {
            usato = letture.size() - 1;
            break;
        }
    }
    if (letture.isEmpty())
        return;
    QStringList rifiutati;
    for (qsizetype i = 0; i < letture.size(); ++i)
        if (i != usato)
            rifiutati.append(nome(letture.at(i).first));
    if (usato >= 0) {
        const auto &[file, lettura] = letture.at(usato);
        Modulo1::frasiinsegnante = lettura.frasi;
        Modulo1::frasiinuso = QStringLiteral("Frasi dell'insegnante: %1, %2 %3")
                                  .arg(nome(file)).arg(lettura.frasi.size())
                                  .arg(lettura.frasi.size() == 1 ? QStringLiteral("frase") : QStringLiteral("frasi"));
        if (!rifiutati.isEmpty())
            Modulo1::frasiinuso += QStringLiteral(" (%1 non si può usare)").arg(rifiutati.join(QStringLiteral(", ")));
    } else {
        Modulo1::frasiinuso = QStringLiteral("%1 non si può usare: frasi del programma").arg(rifiutati.join(QStringLiteral(", ")));
    }
    const QString invece = usato >= 0 ? QStringLiteral("le frasi del file\n%1").arg(letture.at(usato).first)
                                      : QStringLiteral("le frasi già incluse nel programma");
    for (qsizetype i = 0; i < letture.size(); ++i)
        if (i != usato)
            avvisaInsegnante(letture.at(i).first, letture.at(i).second.errori(), invece);
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

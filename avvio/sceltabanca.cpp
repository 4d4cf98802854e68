#include "sceltabanca.h"

#include "content/banca.h"
#include "content/bancainsegnante.h"
#include "exercise/modulo1.h"

#include <QMessageBox>
#include <QStandardPaths>

namespace sceltabanca {

namespace {

// The first problems only: the teacher sees all of them with --verifica.
constexpr int problemiMostrati = 5;

void avvisaInsegnante(const QString &file, const QStringList &errori)
{
    QString testo = QStringLiteral("Il file di frasi\n%1\nha dei problemi e non si può usare:\n\n").arg(file);
    testo += errori.mid(0, problemiMostrati).join(QLatin1Char('\n'));
    if (errori.size() > problemiMostrati)
        testo += QStringLiteral("\n(e altri %1)").arg(errori.size() - problemiMostrati);
    testo += QStringLiteral("\n\nParsilia userà le frasi già incluse nel programma.\n"
                            "Per vedere tutti i problemi del file: parsilia --verifica \"%1\"")
                 .arg(file);
    QMessageBox::warning(nullptr, QStringLiteral("Parsilia"), testo);
}

} // namespace

QString fileTrovato()
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QLatin1String(percorsoRelativo));
}

void carica(const QString &fileIndicato)
{
    const QString file = fileIndicato.isEmpty() ? fileTrovato() : fileIndicato;
    if (file.isEmpty())
        return;
    const bancainsegnante::Lettura lettura = bancainsegnante::leggiFile(file);
    if (lettura.valida())
        Modulo1::frasiinsegnante = lettura.frasi;
    else
        avvisaInsegnante(file, lettura.errori());
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

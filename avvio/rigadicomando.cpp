#include "rigadicomando.h"

#include "sceltabanca.h"

#include "content/bancainsegnante.h"
#include "content/categorie.h"
#include "services/console.h"
#include "services/messaggio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

namespace rigadicomando {

namespace {

struct Opzione
{
    const char *corto;  // one letter, or nullptr
    const char *lungo;
    const char *valore; // the name of its value, or nullptr
    const char *descrizione;
};

// Every option, in the order the help lists them.
const Opzione opzioni[] = {
    {"h", "help", nullptr, "mostra questo aiuto ed esce"},
    {"v", "version", nullptr, "mostra la versione e la licenza ed esce"},
    {nullptr, "banca", "FILE", "esercita sulle frasi del FILE, scritto dall'insegnante, invece che su quelle "
                               "incluse nel programma"},
    {nullptr, "verifica", "FILE", "controlla il FILE di frasi e ne elenca problemi e avvisi, senza aprire "
                                  "finestre; esce con 0 se il file si può usare, con 1 se no"},
    {nullptr, "esporta", "FILE", "scrive nel FILE (che non deve esistere) le frasi incluse nel programma, "
                                 "nel formato dei file dell'insegnante, ed esce"},
    {nullptr, "muto", nullptr, "esercita senza suoni (per un laboratorio, dove i suoni di tutti i PC si "
                               "sentirebbero insieme)"},
    {nullptr, "voce", nullptr, "legge ad alta voce la frase, il sintagma in rosso, il nome e la domanda del "
                               "tasto sotto il puntatore e il voto, per gli alunni con DSA; il tasto L o "
                               "l'altoparlante rileggono la frase. Con --muto tacciono i suoni, non la voce"},
};

// Qt's own options, with one dash or two, which QApplication takes off the
// command line; those with a value take the next argument unless written
// -option=value.
const char *const opzioniQtConValore[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                          "display", "geometry", "style", "stylesheet"};
const char *const opzioniQtSenzaValore[] = {"reverse", "widgetcount", "qmljsdebugger", "testability",
                                            "nograb", "dograb", "sync"};

template<size_t N>
bool tra(const char *const (&nomi)[N], const QString &nome)
{
    for (const char *n : nomi)
        if (nome == QLatin1String(n))
            return true;
    return false;
}

QStringList senzaOpzioniQt(const QStringList &argomenti)
{
    QStringList nostri;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString &a = argomenti.at(i);
        if (a == QLatin1String("--")) {
            nostri += argomenti.mid(i);
            break;
        }
        if (i == 0 || !a.startsWith(QLatin1Char('-'))) {
            nostri.append(a);
            continue;
        }
        const QString nome = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        if (tra(opzioniQtConValore, nome))
            i += a.contains(QLatin1Char('=')) ? 0 : 1;
        else if (!tra(opzioniQtSenzaValore, nome))
            nostri.append(a);
    }
    return nostri;
}

enum class Richiesta { Esercizio, Aiuto, Versione, Verifica, Esporta, Errore };

// A file named with no option is the drill's bank, as with --banca: what
// the desktop passes when a teacher opens a file with Parsilia.
bool fileSenzaOpzione(const QCommandLineParser &parser)
{
    return parser.positionalArguments().size() == 1 && !parser.isSet(QStringLiteral("banca"))
           && !parser.isSet(QStringLiteral("verifica")) && !parser.isSet(QStringLiteral("esporta"));
}

bool nomeVuoto(const QCommandLineParser &parser)
{
    for (const char *opzione : {"banca", "verifica", "esporta"})
        if (parser.isSet(QLatin1String(opzione)) && parser.value(QLatin1String(opzione)).trimmed().isEmpty())
            return true;
    return fileSenzaOpzione(parser) && parser.positionalArguments().constFirst().trimmed().isEmpty();
}

Richiesta analizza(QCommandLineParser &parser, const QStringList &argomenti)
{
    if (!parser.parse(senzaOpzioniQt(argomenti)) || nomeVuoto(parser)
        || !(parser.positionalArguments().isEmpty() || fileSenzaOpzione(parser)))
        return Richiesta::Errore;
    if (parser.isSet(QStringLiteral("help")))
        return Richiesta::Aiuto;
    if (parser.isSet(QStringLiteral("version")))
        return Richiesta::Versione;
    const bool verifica = parser.isSet(QStringLiteral("verifica"));
    const bool esporta = parser.isSet(QStringLiteral("esporta"));
    if (verifica && esporta)
        return Richiesta::Errore;
    if (verifica)
        return Richiesta::Verifica;
    return esporta ? Richiesta::Esporta : Richiesta::Esercizio;
}

void stampa(std::FILE *dove, const QString &testo)
{
    const QByteArray utf8 = testo.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), dove);
    std::fflush(dove);
}

QString quanti(qsizetype n, const char *uno, const char *molti)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? uno : molti));
}

// A text cut into lines of at most `larghezza` characters, each after `rientro` blanks.
QString aCapo(const QString &testo, int rientro, int larghezza)
{
    QString risultato;
    QString riga;
    for (const QString &parola : testo.split(QLatin1Char(' '))) {
        if (!riga.isEmpty() && riga.size() + 1 + parola.size() > larghezza) {
            risultato += QString(rientro, QLatin1Char(' ')) + riga + QLatin1Char('\n');
            riga.clear();
        }
        riga += (riga.isEmpty() ? QString() : QStringLiteral(" ")) + parola;
    }
    return risultato + QString(rientro, QLatin1Char(' ')) + riga + QLatin1Char('\n');
}

// Where Parsilia looks for a teacher's file, in order, on this machine.
QStringList percorsiCercati()
{
    QStringList percorsi;
    for (const QString &cartella : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        percorsi.append(QDir::toNativeSeparators(QDir(cartella).filePath(QLatin1String(sceltabanca::percorsoRelativo))));
    return percorsi;
}

// Where the README tells a school to put the class's file: the first system
// folder it names that this machine searches, not whatever a desktop put
// first in XDG_DATA_DIRS (/usr/share/gnome, a flatpak folder...). Elsewhere
// (Windows' ProgramData) the first folder after the user's own.
QString percorsoPerTutti()
{
    const QStringList cercati = percorsiCercati().mid(1);
    for (const char *documentato : {"/usr/local/share/parsilia/frasi.txt", "/usr/share/parsilia/frasi.txt"})
        if (cercati.contains(QLatin1String(documentato)))
            return QLatin1String(documentato);
    return cercati.value(0);
}

QString aiuto()
{
    constexpr int colonna = 20;
    QString testo = QStringLiteral("Uso: parsilia [opzioni] [FILE]\n\n"
                                   "Parsilia: esercizi di analisi logica per la scuola.\n\nOpzioni:\n");
    for (const Opzione &o : opzioni) {
        QString nomi = o.corto ? QStringLiteral("-%1, --%2").arg(QLatin1String(o.corto), QLatin1String(o.lungo))
                               : QStringLiteral("--%1").arg(QLatin1String(o.lungo));
        if (o.valore)
            nomi += QLatin1Char(' ') + QLatin1String(o.valore);
        const QString descrizione = aCapo(QString::fromUtf8(o.descrizione), colonna, 78 - colonna);
        testo += (QStringLiteral("  ") + nomi).leftJustified(colonna, QLatin1Char(' '));
        testo += nomi.size() + 2 < colonna ? descrizione.mid(colonna) : QLatin1Char('\n') + descrizione;
    }
    testo += QStringLiteral("\nSenza --banca, Parsilia usa il primo di questi file che esiste:\n");
    for (const QString &p : percorsiCercati())
        testo += QStringLiteral("  ") + p + QLatin1Char('\n');
    testo += QStringLiteral("(o, dove manca, frasi.txt.txt) e altrimenti le frasi incluse nel programma.\n"
                            "Il formato del file è descritto in %1.\n").arg(guidaDelFile());
    // Every name a teacher's file accepts, in two columns.
    testo += QStringLiteral("\nNel file, ogni sintagma è seguito da «=» e dalla sua categoria: il nome del\n"
                            "tasto o il suo numero.\n");
    const auto nome = [](int i) {
        const Categoria &c = categorie[size_t(i)];
        return QStringLiteral("%1 %2").arg(c.codice, 2).arg(QString::fromUtf8(c.caption).simplified().toLower());
    };
    for (int i = 0; i < 8; ++i)
        testo += QStringLiteral("  ") + nome(i).leftJustified(38, QLatin1Char(' ')) + nome(i + 8) + QLatin1Char('\n');
    testo += QStringLiteral("Vale anche il nome senza «complemento», «complemento di» o «predicato»\n"
                            "(«termine», «verbale»), e in breve («compl. di termine», «pred. verb.»,\n"
                            "«sogg.», «c. ogg.», «attr.», «denom.», «stato in l.», «t. det.»).\n"
                            "I complementi che non hanno un tasto (compagnia, mezzo, modo, causa, agente,\n"
                            "fine, argomento, materia...) si scrivono «altro» (16).\n");
    return testo;
}

QString licenza()
{
    return QStringLiteral("Copyright (C) gli autori di Parsilia.\n"
                          "Licenza GPL-3.0-or-later: GNU General Public License, versione 3 o successiva\n"
                          "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                          "Parsilia è software libero: lo si può ridistribuire e modificare.\n"
                          "Non c'è alcuna garanzia, nei limiti permessi dalla legge.\n");
}

// Why a command line cannot be understood.
QString motivoDiUso(const QCommandLineParser &parser)
{
    QString motivo;
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString nome = parser.unknownOptionNames().constFirst();
        motivo = QStringLiteral("opzione sconosciuta: %1%2").arg(nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), nome);
    } else if (!parser.errorText().isEmpty()) {
        // Qt says "Missing value after '--banca'." and the like, in English.
        const QString opzione = parser.errorText().section(QLatin1Char('\''), 1, 1);
        motivo = parser.errorText().startsWith(QLatin1String("Missing value")) && !opzione.isEmpty()
                     ? QStringLiteral("manca il nome del file dopo %1").arg(opzione)
                     : parser.errorText();
    } else if (nomeVuoto(parser)) {
        motivo = QStringLiteral("il nome del file è vuoto");
    } else if (!parser.positionalArguments().isEmpty()) {
        motivo = QStringLiteral("argomento inatteso: %1 (un solo FILE, senza --verifica o --esporta: "
                                "per esercitarsi sulle frasi di un file, parsilia FILE)")
                     .arg(parser.positionalArguments().constLast());
    } else {
        motivo = QStringLiteral("--verifica ed --esporta non vanno insieme");
    }
    return motivo;
}

QString erroreDiUso(const QCommandLineParser &parser)
{
    return QStringLiteral("parsilia: %1\nPer l'elenco delle opzioni: parsilia --help\n").arg(motivoDiUso(parser));
}

// The same for someone with no terminal to read it, who dropped files on
// Parsilia or started it from a shortcut: in a message box.
void mostraErroreDiUso(const QCommandLineParser &parser)
{
    const QStringList file = parser.positionalArguments();
    QString testo;
    const bool unFile = !parser.isSet(QStringLiteral("verifica")) && !parser.isSet(QStringLiteral("esporta"));
    if (parser.unknownOptionNames().isEmpty() && parser.errorText().isEmpty() && file.size() > 1 && unFile) {
        QStringList altri;
        for (const QString &f : file.mid(1))
            altri.append(QFileInfo(f).fileName().toHtmlEscaped());
        testo = QStringLiteral("<p>Parsilia si apre con un solo file di frasi alla volta, e ne ha ricevuti %1:</p>"
                               "<p>%2<br>e, in più, %3.</p><p>Parsilia non è partito: aprire un file solo, con il "
                               "tasto destro sul file, «Apri con», «Parsilia», o trascinandone uno solo "
                               "sull'icona di Parsilia.</p>")
                    .arg(file.size()).arg(QDir::toNativeSeparators(file.first()).toHtmlEscaped(), altri.join(QStringLiteral(", ")));
    } else {
        // The help up to the list of options, which a mistyped shortcut is checked against.
        const QString opzioni = aiuto().section(QStringLiteral("\n\n"), 0, 2);
        testo = QStringLiteral("<p>Parsilia non è partito: %1.</p><p>Le opzioni di Parsilia:</p><pre>%2</pre>")
                    .arg(motivoDiUso(parser).toHtmlEscaped(), opzioni.toHtmlEscaped());
    }
    Messaggio box(QMessageBox::Warning, testo);
    box.setTextFormat(Qt::RichText);
    box.exec();
}

QString riepilogo(const QString &file, const bancainsegnante::Lettura &lettura)
{
    // As the reader names it in its messages: on Windows, with backslashes.
    const QString nome = QDir::toNativeSeparators(file);
    QString testo = QStringLiteral("%1: %2, %3.\nSintagmi per categoria:\n")
                        .arg(nome, quanti(lettura.numeroFrasi, "frase", "frasi"),
                             quanti(lettura.numeroSintagmi, "sintagma", "sintagmi"));
    QStringList mai;
    for (const Categoria &c : categorie) {
        const QString nome = QString::fromUtf8(c.caption).simplified();
        const int quante = lettura.perCategoria[size_t(c.codice)];
        testo += QStringLiteral("  %1  %2 %3\n")
                     .arg(c.codice, 2)
                     .arg(nome.leftJustified(34, QLatin1Char(' ')))
                     .arg(quante, 4);
        if (quante == 0)
            mai.append(QStringLiteral("%1 %2").arg(c.codice).arg(nome));
    }
    if (!mai.isEmpty())
        testo += QStringLiteral("Categorie mai usate: %1.\n").arg(mai.join(QStringLiteral(", ")));
    // The user's own folder, then the system's.
    // The warnings come after this: a teacher reads first that the file
    // works, then what deserves a look.
    const qsizetype avvisi = lettura.avvisi().size();
    const QString ma = avvisi ? QStringLiteral(", ma con %1 (qui sotto)").arg(quanti(avvisi, "avviso", "avvisi")) : QString();
    return testo + QStringLiteral("Il file si può usare%4: parsilia --banca \"%1\"\noppure, copiato in %2,\n"
                                  "senza opzioni (per tutti gli utenti: %3).\n")
                       .arg(nome, percorsiCercati().value(0), percorsoPerTutti(), ma);
}

int verifica(const QString &file)
{
    const bancainsegnante::Lettura lettura = bancainsegnante::leggiFile(file);
    QString testo;
    for (const bancainsegnante::Segnalazione &s : lettura.segnalazioni)
        testo += s.testo + QLatin1Char('\n');
    if (lettura.valida()) {
        stampa(stdout, riepilogo(file, lettura) + testo);
        return 0;
    }
    const qsizetype problemi = lettura.errori().size();
    testo += QStringLiteral("%1: %2: il file non si può usare così.\n")
                 .arg(QDir::toNativeSeparators(file), quanti(problemi, "problema", "problemi"));
    stampa(stdout, testo);
    return 1;
}

int esporta(const QString &file)
{
    const QList<FraseBanca> frasi = sceltabanca::frasiIncorporate();
    const QByteArray testo = bancainsegnante::scrivi(frasi);
    if (file == QLatin1String("-")) {
        std::fwrite(testo.constData(), 1, size_t(testo.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // A teacher's own sentences are never written over, not even a file
    // that appears between a look and the writing: the file is created by
    // the opening itself, or not at all.
    QFile uscita(file);
    // The folder as the system writes it (on Windows, with its drive and backslashes).
    const QString cartella = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    if (!QFileInfo(cartella).isDir()) {
        stampa(stderr, QStringLiteral("parsilia: non si può scrivere %1: la cartella %2 non esiste\n").arg(file, cartella));
        return 1;
    }
    if (!uscita.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(file))
            stampa(stderr, QStringLiteral("parsilia: %1 esiste già: per non perdere nulla non viene sovrascritto; "
                                          "scegliere un altro nome\n").arg(file));
        else
            stampa(stderr, QStringLiteral("parsilia: non si può scrivere %1 (%2)\n").arg(file, uscita.errorString()));
        return 1;
    }
    if (uscita.write(testo) != testo.size() || !uscita.flush()) {
        const QString motivo = uscita.errorString();
        uscita.remove(); // only what this run created, and only in part
        stampa(stderr, QStringLiteral("parsilia: non si può scrivere %1 (%2)\n").arg(file, motivo));
        return 1;
    }
    uscita.close();
    stampa(stdout, QStringLiteral("%1: scritte %2.\n").arg(file, quanti(frasi.size(), "frase", "frasi")));
    return 0;
}

Richiesta richiesta(int argc, char **argv)
{
    QStringList argomenti;
    for (int i = 0; i < argc; ++i)
        argomenti.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    prepara(parser);
    return analizza(parser, argomenti);
}

} // namespace

bool apreFinestre(int argc, char **argv)
{
    return richiesta(argc, argv) == Richiesta::Esercizio;
}

bool usoErrato(int argc, char **argv)
{
    return richiesta(argc, argv) == Richiesta::Errore;
}

QString fileBanca(const QCommandLineParser &parser)
{
    return fileSenzaOpzione(parser) ? parser.positionalArguments().constFirst() : parser.value(QStringLiteral("banca"));
}

void prepara(QCommandLineParser &parser)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(PARSILIA_VERSIONE));
    for (const Opzione &o : opzioni) {
        QStringList nomi{QLatin1String(o.lungo)};
        if (o.corto)
            nomi.prepend(QLatin1String(o.corto));
        parser.addOption(QCommandLineOption(nomi, QString::fromUtf8(o.descrizione),
                                           o.valore ? QLatin1String(o.valore) : QString()));
    }
}

std::optional<int> esegui(QCommandLineParser &parser, bool terminale, const QStringList &argomenti)
{
    switch (analizza(parser, argomenti)) {
    case Richiesta::Esercizio:
        return std::nullopt;
    case Richiesta::Aiuto:
        stampa(stdout, aiuto());
        return 0;
    case Richiesta::Versione:
        stampa(stdout, QStringLiteral("parsilia %1\n%2").arg(QCoreApplication::applicationVersion(), licenza()));
        return 0;
    case Richiesta::Verifica:
        return verifica(parser.value(QStringLiteral("verifica")));
    case Richiesta::Esporta:
        return esporta(parser.value(QStringLiteral("esporta")));
    case Richiesta::Errore:
        break;
    }
    stampa(stderr, erroreDiUso(parser));
    if (!terminale)
        mostraErroreDiUso(parser);
    return esitoUsoErrato;
}

} // namespace rigadicomando

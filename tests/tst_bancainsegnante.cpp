#include "ambiente.h"

#include "avvio/rigadicomando.h"
#include "avvio/sceltabanca.h"
#include "content/bancainsegnante.h"
#include "content/categorie.h"
#include "exercise/formb.h"
#include "screens/iniziale.h"
#include "services/etichetta.h"
#include "services/messaggio.h"
#include "services/pulsante.h"

#include <QDir>
#include <QMessageBox>
#include <QCommandLineParser>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Modulo1;
using namespace bancainsegnante;

namespace {

const QString sorgenti = QStringLiteral(PARSILIA_SORGENTI_DIR);
const QString esempio = sorgenti + QStringLiteral("/packaging/frasi-esempio.txt");

// A path as the program shows it: on Windows, with backslashes.
QString nativo(const QString &percorso)
{
    return QDir::toNativeSeparators(percorso);
}

// Whether a message box came up while `avvio` ran (it is closed at once).
bool conMessaggio(const std::function<void()> &avvio)
{
    bool venuto = false;
    QTimer spia;
    QObject::connect(&spia, &QTimer::timeout, [&] { venuto = venuto || (QApplication::activeModalWidget() && QApplication::activeModalWidget()->close()); });
    spia.start(0);
    avvio();
    return venuto;
}

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void scrivi(const QString &percorso, const QByteArray &dati)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dati);
}

// A text as Notepad saves it in "UTF-16 LE" or "UTF-16 BE", with its mark.
QByteArray utf16(const QString &testo, bool grandeFine)
{
    return QStringEncoder(grandeFine ? QStringConverter::Utf16BE : QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(testo);
}

// A good sentence block, made different by n.
QByteArray blocco(int n)
{
    return QStringLiteral("Il gatto %1 dorme.\nIl gatto %1 = soggetto\ndorme. = predicato verbale\n\n").arg(n).toUtf8();
}

// The real program, with no display at all: checking and exporting must not need one.
struct Esecuzione
{
    int esito;
    QString uscita, errori;
};
Esecuzione parsilia(const QStringList &argomenti)
{
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("DISPLAY"));
    ambiente.remove(QStringLiteral("WAYLAND_DISPLAY"));
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    p.setProcessEnvironment(ambiente);
    p.start(QStringLiteral(PARSILIA_PROGRAMMA), argomenti);
    p.waitForFinished(60000);
    // Windows' console ends its lines with CR LF.
    const auto testo = [](const QByteArray &b) { return QString::fromUtf8(b).replace(QLatin1String("\r\n"), QLatin1String("\n")); };
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            testo(p.readAllStandardOutput()), testo(p.readAllStandardError())};
}

} // namespace

class TestBancaInsegnante : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;
    QTemporaryDir cartella;

    QString file(const QString &nome, const QByteArray &dati)
    {
        const QString percorso = cartella.filePath(nome);
        scrivi(percorso, dati);
        return percorso;
    }

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }
    void init() { ambiente = std::make_unique<Ambiente>(); }
    void cleanup() { ambiente.reset(); }

    void esportazioneRiletta()
    {
        // The built-in bank written in the teacher's format and read back:
        // the same sentences, phrases and codes, row by row.
        const QList<FraseBanca> incorporate = sceltabanca::frasiIncorporate();
        const Lettura l = leggi(bancainsegnante::scrivi(incorporate), QStringLiteral("esportate.txt"));
        QVERIFY2(l.valida(), qPrintable(l.errori().join('\n')));
        QCOMPARE(l.frasi.size(), 101);
        for (int n = 0; n < 101; ++n) {
            const FraseBanca &a = incorporate.at(n);
            const FraseBanca &b = l.frasi.at(n);
            QCOMPARE((b.fraseinteraa + ' ' + b.fraseinterab).simplified(),
                     (a.fraseinteraa + ' ' + a.fraseinterab).simplified());
            for (int j = 0; j < 8; ++j) {
                QCOMPARE(b.sintagmi.at(j).testo, a.sintagmi.at(j).testo.simplified());
                QCOMPARE(b.sintagmi.at(j).codice, a.sintagmi.at(j).codice);
            }
        }
    }

    void esempioDelReadme()
    {
        const QByteArray testo = contenuto(esempio);
        const Lettura l = leggi(testo, QStringLiteral("frasi-esempio.txt"));
        QVERIFY2(l.valida(), qPrintable(l.errori().join('\n')));
        QCOMPARE(l.frasi.size(), 5);
        // The long sentence is split at a word, line B as short as it can be.
        QCOMPARE(l.frasi.at(4).fraseinterab, QStringLiteral("biblioteca comunale."));
        QCOMPARE(l.frasi.at(1).fraseinterab, QStringLiteral(" "));
        QCOMPARE(l.frasi.at(1).sintagmi.at(0).codice, short(1));
        QCOMPARE(l.frasi.at(1).sintagmi.at(4).codice, short(9));
        // The README shows the very same file.
        QVERIFY(contenuto(sorgenti + QStringLiteral("/README.md")).contains(testo));
    }

    void errori_data()
    {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QStringList>("attesi");
        const QByteArray gatto = "Il gatto dorme.\nIl gatto = soggetto\n";
        QTest::newRow("spoilt UTF-8") << QByteArray(gatto + "# caff\xe8\ndorme. = predicato verbale\n\xe8 = altro\n# perch\xc3\xa9")
                                      << QStringList{"f.txt:3: il testo non è in UTF-8", "f.txt:5: il testo non è in UTF-8"};
        for (const auto &[tipo, inizio] : {std::pair{"un documento di Word (.docx)", QByteArray("PK\x03\x04\x14\x01\x06\x01[Content_Types].xml word/document.xml")},
                                           std::pair{"un documento di LibreOffice (.odt)", QByteArray("PK\x03\x04\x14\x01\x01\x01mimetypeapplication/vnd.oasis.opendocument.text")},
                                           std::pair{"un documento di Word (.doc)", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0")},
                                           std::pair{"un documento RTF (WordPad, Word)", QByteArray("{\\rtf1\\ansi Il gatto dorme.\\par}")}})
            QTest::addRow("%s", tipo) << inizio << QStringList{QStringLiteral("f.txt: è %1, non un file di testo: aprirlo con il suo programma e salvarlo con «Salva con nome» come «Testo semplice»").arg(tipo)};
        QTest::newRow("no blank line between sentences") << QByteArray(gatto + "dorme. = 2\nIl cane abbaia.\nIl cane = 1\nabbaia. = 2\n")
                                                         << QStringList{"f.txt:4: manca una riga vuota prima di questa frase"};
        QTest::newRow("no blank line after a typo") << QByteArray("Il gatto dorme.\nIl gato = 1\ndorme. = 2\nIl cane abbaia!\nIl cane = 1\nabbaia! = 2\n")
                                                    << QStringList{"f.txt:4: manca una riga vuota prima di questa frase"};
        QTest::newRow("no blank line between numbered sentences") << QByteArray("1) Il gatto dorme.\nIl gatto = 1\ndorme. = 2\n2) Il cane «abbaia.»\nIl cane = 1\nabbaia. = 2\n")
                                                                  << QStringList{"f.txt:4: manca una riga vuota prima di questa frase"};
        QTest::newRow("a blank line inside a sentence") << QByteArray(gatto + "\n# poi\ndorme. = 2\n\nIl cane abbaia.\nIl cane = 1\nabbaia. = 2\n")
                                                        << QStringList{"f.txt:3: riga vuota dentro la frase della riga 1: i suoi sintagmi vanno uno sotto l'altro"};
        QTest::newRow("a sentence line missing after a whole sentence") << QByteArray(gatto + "dorme. = 2\n\nIl cane = 1\nabbaia. = 2\n")
                                                                        << QStringList{"f.txt:5: manca la frase intera"};
        QTest::newRow("empty") << QByteArray() << QStringList{"f.txt: il file non contiene frasi"};
        QTest::newRow("only comments") << QByteArray("# una\n\n   # due\n\n") << QStringList{"f.txt: il file non contiene frasi"};
        QTest::newRow("only comments, in Windows' ANSI") << QByteArray("# perch\xe9\n") << QStringList{"f.txt: il file non contiene frasi"};
        QTest::newRow("unknown category") << QByteArray(gatto + "dorme. = verbo")
                                          << QStringList{"f.txt:3: categoria sconosciuta «verbo»"};
        QTest::newRow("code 17") << QByteArray(gatto + "dorme. = 17") << QStringList{"f.txt:3: categoria sconosciuta «17»"};
        QTest::newRow("a slip of the keys") << QByteArray(gatto + "dorme. = 2\ndi Anna = specifcazione")
                                            << QStringList{"f.txt:4: categoria sconosciuta «specifcazione»: forse «specificazione»? "};
        // A hint names a category whose own word the teacher wrote, never a look-alike.
        for (const auto &[nome, suggerito] : {std::pair{"compl. ogetto", "«oggetto»"}, std::pair{"sogetto", "«soggetto»"},
                                              std::pair{"c. di moto a lugo", "«moto a luogo»"}, std::pair{"pred. verbal", "«predicato verbale»"},
                                              std::pair{"moto luogo", ""}, std::pair{"complemento di luogo", ""}, std::pair{"c. di tempo", ""},
                                              std::pair{"soggetto oggetto", ""}})
            QTest::addRow("hint for «%s»", nome) << QByteArray(gatto + "dorme. = 2\ndi Anna = " + nome)
                                                 << QStringList{QStringLiteral("f.txt:4: categoria sconosciuta «%1»: %2").arg(nome, *suggerito ? QStringLiteral("forse %1? ").arg(suggerito) : QStringLiteral("scrivere"))};
        for (const char *senza : {"complemento di compagnia", "c. di mezzo", "compl. predicativo del soggetto", "c. d'agente"})
            QTest::addRow("«%s», a complement with no button", senza) << QByteArray(gatto + "dorme. = 2\ncon Anna = " + senza)
                                                                    << QStringList{QStringLiteral("f.txt:4: categoria «%1» senza tasto: i complementi che non hanno un tasto si scrivono «altro» (16)").arg(senza)};
        for (const char *senza : {"Marta   soggetto", "Marta: soggetto", "Marta - soggetto", "Marta\tsoggetto"})
            QTest::addRow("no = in «%s»", senza) << QByteArray(QByteArray("Marta dorme.\n") + senza + "\ndorme. = 2\n")
                                                << QStringList{"f.txt:2: manca «=» tra il sintagma e la sua categoria: scrivere «Marta = soggetto»"};
        QTest::newRow("lines ended by CR alone") << QByteArray("Il cane corre.\rIl cane = 1\rcorre. = correre\r")
                                                 << QStringList{"f.txt:3: categoria sconosciuta «correre»"};
        QTest::newRow("no category") << QByteArray(gatto + "Dorme.") << QStringList{"f.txt:3: manca la categoria:"};
        QTest::newRow("nothing after =") << QByteArray(gatto + "dorme. =") << QStringList{"f.txt:3: manca la categoria dopo «=»"};
        QTest::newRow("nothing before =") << QByteArray(gatto + " = 2") << QStringList{"f.txt:3: manca il sintagma prima di «=»"};
        QTest::newRow("phrase of 29") << QByteArray(gatto + QByteArray(29, 'a') + " = 2")
                                      << QStringList{"f.txt:3: il sintagma «aaaaaaaaaaaaaaaaaaaaaaaaaaaaa» è troppo lungo per lo schermo: 29 caratteri, al massimo 28"};
        QTest::newRow("sentence of 120") << QByteArray(QByteArray("Il gatto ") + QByteArray(111, 'o') + "\nIl gatto = 1\ndorme = 2\n")
                                         << QStringList{"f.txt:1: la frase è troppo lunga per lo schermo (120 caratteri)"};
        QTest::newRow("line B of 29") << QByteArray(QByteArray(80, 'a') + " " + QByteArray(29, 'b') + "\nIl gatto = 1\ndorme = 2\n")
                                      << QStringList{"f.txt:1: la frase è troppo lunga per lo schermo (110 caratteri): ci stanno 86 caratteri sulla "
                                                     "prima riga e 28 sulla seconda, andando a capo tra due parole; qui la prima riga "
                                                     "finirebbe con «…aaaaaaaaaaaaaaaaaaaa» e la seconda sarebbe «" + QString(29, 'b') + "» (29 caratteri)"};
        QTest::newRow("no predicate") << QByteArray(gatto + "dorme. = altro\n")
                                      << QStringList{"f.txt:1: la frase non ha il predicato"};
        QTest::newRow("nine phrases") << QByteArray(gatto + QByteArray("e = 16\n").repeated(7) + "dorme. = 2\n")
                                      << QStringList{"f.txt:1: la frase ha 9 sintagmi: al massimo 8"};
        QTest::newRow("no phrases") << QByteArray("Il gatto dorme.\n\n") << QStringList{"f.txt:1: la frase non ha sintagmi"};
        QTest::newRow("no sentence line") << QByteArray("Il gatto = soggetto\ndorme. = 2\n")
                                          << QStringList{"f.txt:1: manca la frase intera"};
        QTest::newRow("zero-width blank") << QByteArray(gatto + "dorme.\xe2\x80\x8b = 2\n")
                                          << QStringList{"f.txt:3: la riga contiene un carattere che non si vede (U+200B)"};
        QTest::newRow("lines counted through a UTF-8 mark, comments and CR LF")
            << QByteArray("\xEF\xBB\xBF# titolo\r\n\r\nIl cane abbaia.\r\nIl cane = 1\r\nabbaia. = 2\r\n\r\n# due\r\n"
                          "Il cane corre.\r\nIl cane = 1\r\ncorre. = correre\r\n")
            << QStringList{"f.txt:10: categoria sconosciuta «correre»"};
        // A file of NULs, or UTF-16 without the mark that says so: one message, how to save it.
        const QString nul = "f.txt: il file è pieno di caratteri nulli (byte 0), come un file salvato in UTF-16 («Unicode») senza il segno";
        QTest::newRow("UTF-16 without its mark") << utf16("Il gatto dorme.\r\nIl gatto = 1\r\ndorme. = 2\r\n", false).mid(2) << QStringList{nul};
        QTest::newRow("NULs") << QByteArray(300, '\0') << QStringList{nul};
        QTest::newRow("UTF-16 cut in half a character") << utf16("Il gatto dorme.", true).chopped(1)
                                                       << QStringList{"f.txt: il file finisce a metà di un carattere"};
        // The mark of UTF-8 says what the file is: a spoilt line is not read as ANSI.
        QTest::newRow("spoilt UTF-8 after its mark") << QByteArray("\xEF\xBB\xBF" + gatto + "dorme = 2\n# caff\xe8\n")
                                                    << QStringList{"f.txt:4: il testo non è in UTF-8"};
        QByteArray troppe;
        for (int n = 0; n <= maxFrasi; ++n)
            troppe += blocco(n);
        QTest::newRow("2001 sentences") << troppe << QStringList{QStringLiteral("f.txt:%1: più di 2000 frasi").arg(4 * 2000 + 1)};
        QTest::newRow("over 1 MB") << QByteArray(maxByte + 1, '#') << QStringList{"f.txt: il file è troppo grande (1048577 byte)"};
    }
    void errori()
    {
        QFETCH(QByteArray, testo);
        QFETCH(QStringList, attesi);
        const Lettura l = leggi(testo, QStringLiteral("f.txt"));
        const QStringList errori = l.errori();
        QVERIFY(!l.valida());
        QVERIFY(l.frasi.isEmpty());
        QCOMPARE(errori.size(), attesi.size());
        for (int i = 0; i < attesi.size(); ++i)
            QVERIFY2(errori.at(i).startsWith(attesi.at(i)), qPrintable(errori.join('\n')));
    }

    void avvisi_data()
    {
        QTest::addColumn<QByteArray>("testo");
        QTest::addColumn<QString>("avviso");
        QTest::addColumn<QString>("prima"); // line A of the first sentence
        const QString gatto = QStringLiteral("Il gatto dorme.");
        QTest::newRow("a typo") << QByteArray("Il gatto dorme.\nIl gato = 1\ndorme. = 2\n")
                                << "f.txt:1: avviso: i sintagmi non hanno le stesse parole della frase (nei sintagmi mancano «gatto»; non sono nella frase «gato»)" << gatto;
        QTest::newRow("elision written out") << QByteArray("Quest'anno nevica.\nQuesto = 5\nanno = 13\nnevica. = 2\n")
                                             << "f.txt:1: avviso: i sintagmi non hanno le stesse parole della frase (nei sintagmi mancano «quest»; non sono nella frase «questo»)"
                                             << "Quest'anno nevica.";
        QTest::newRow("twice, blanks aside") << QByteArray("Il gatto dorme.\nIl gatto = 1\ndorme. = 2\n\n# ancora\nIl  gatto   dorme.\nIl gatto = 1\ndorme. = 2\n")
                                             << "f.txt:6: avviso: la stessa frase della riga 1: si usa solo la prima" << gatto;
        QTest::newRow("twice, other capitals, apostrophe, mark")
            << QByteArray("L'anno \xc3\xa8" " finito.\nL'anno = 1\n\xc3\xa8" " finito. = 3\n\nl\xe2\x80\x99" "anno \xc3\xa8" " finito!\n"
                          "l\xe2\x80\x99" "anno = 1\n\xc3\xa8" " finito! = 3\n")
            << "f.txt:5: avviso: la stessa frase della riga 1: si usa solo la prima" << "L'anno è finito.";
        QTest::newRow("saved as Windows' ANSI") << QByteArray("Perch\xe9 il gatto dorme\x85\nPerch\xe9 = 16\nil gatto = 1\ndorme\x85 = 2\n")
                                                << "f.txt:1: avviso: il file non è in UTF-8: è stato letto come Windows-1252 (la codifica «ANSI» di Blocco note)"
                                                << "Perché il gatto dorme…";
        QTest::newRow("a list mark on a phrase") << QByteArray("Il gatto dorme.\nIl gatto = 1\n- dorme. = 2\n")
                                                 << "f.txt:3: avviso: il sintagma comincia con «- », che sembra il segno di un elenco" << gatto;
        QTest::newRow("a list mark on the sentence") << QByteArray("- Il gatto dorme.\nIl gatto = 1\ndorme. = 2\n")
                                                     << "f.txt:1: avviso: la frase comincia con «- », che sembra il segno di un elenco: gli alunni lo vedono"
                                                     << "- " + gatto;
        // Every encoding Notepad saves in is read as the text it is, with no word about it.
        const QString citta = QStringLiteral("Perché la città è bella?");
        const QString bella = citta + "\r\nPerché = 16\r\nla città = 1\r\nè bella? = 3\r\n";
        QTest::newRow("UTF-16 LE with its mark, CR LF") << utf16(bella, false) << QString() << citta;
        QTest::newRow("UTF-16 BE with its mark") << utf16(bella, true) << QString() << citta;
        QTest::newRow("UTF-8 with its mark, CR LF") << "\xEF\xBB\xBF" + bella.toUtf8() << QString() << citta;
        // Order, case, punctuation and how an accent was typed do not count.
        QTest::newRow("attribute moved, accent decomposed")
            << QByteArray("Il gatto che è qui, in questo appartamento, dorme.\nil gatto = 1\nche = 1\ne\xcc\x80 = 2\n"
                          "qui = 16\nin appartamento = 9\nquesto, = 5\ndorme. = 2\n")
            << QString() << "Il gatto che è qui, in questo appartamento, dorme.";
    }
    void avvisi()
    {
        QFETCH(QByteArray, testo);
        QFETCH(QString, avviso);
        QFETCH(QString, prima);
        const Lettura l = leggi(testo, QStringLiteral("f.txt"));
        QVERIFY2(l.valida(), qPrintable(l.errori().join('\n')));
        const QStringList avvisi = l.avvisi();
        // Every file here leaves categories unused: the last warning says which.
        QVERIFY(avvisi.last().startsWith("f.txt: avviso: nessun sintagma è delle categorie "));
        QVERIFY(avvisi.last().contains(" 4 «complemento oggetto», "));
        QCOMPARE(avvisi.size(), avviso.isEmpty() ? 1 : 2);
        if (!avviso.isEmpty())
            QVERIFY2(avvisi.first().startsWith(avviso), qPrintable(avvisi.first()));
        QCOMPARE(l.frasi.first().fraseinteraa, prima);
        // A sentence met again is used once, and counted once.
        if (avviso.contains("la stessa frase")) {
            QCOMPARE(l.frasi.size(), 1);
            QCOMPARE(l.numeroFrasi, 1);
            QCOMPARE(l.numeroSintagmi, 2);
        }
    }

    void nomiDelleCategorie()
    {
        const QList<QPair<QString, int>> nomi = {
            {"soggetto", 1}, {"SOGGETTO", 1}, {"predicato verbale", 2}, {"Predicato  Verbale", 2}, {"predicatoverbale", 2},
            {"complemento di MOTO  A  luogo", 10}, {"moto a luogo", 10}, {"termine", 15}, {"oggetto", 4},
            {"complemento oggetto", 4}, {"altro", 16}, {"16", 16}, {"3", 3}, {"Verbale", 2}, {"nominale", 3},
            {"compl. di termine", 15}, {"Compl. oggetto", 4}, {"pred. verbale", 2}, {"complemento termine", 15},
            {"complemento d'oggetto", 4}, {"complemento d’oggetto", 4}, {"termine.", 15}, {"stato in luogo.", 9},
            // The short forms teachers write, each a wrong hint or none before.
            {"sogg.", 1}, {"pred. verb.", 2}, {"pred. nom.", 3}, {"c. ogg.", 4}, {"compl. ogg.", 4}, {"c.o.", 4},
            {"c. oggetto", 4}, {"attr.", 5}, {"app.", 6}, {"appos.", 6}, {"spec.", 7}, {"compl. di spec.", 7},
            {"denom.", 8}, {"stato in l.", 9}, {"moto a l.", 10}, {"moto da l.", 11}, {"moto per l.", 12},
            {"t. det.", 13}, {"tempo det.", 13}, {"compl. di tempo det.", 13}, {"t. cont.", 14}, {"tempo cont.", 14},
            {"term.", 15}, {"c. di termine", 15},
            {"0", 0}, {"17", 0}, {"verbo", 0}, {"complemento di oggetto", 0}, {"complemento", 0}, {"compl.", 0}, {"", 0},
            {"c.", 0}, {"tempo", 0}, {"moto l.", 0}, {"c. di mezzo", 0}};
        for (const auto &[nome, codice] : nomi)
            QVERIFY2(codiceCategoria(nome) == codice, qPrintable(nome));
    }

    void rigaDiComando_data()
    {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("esito");
        QTest::addColumn<QString>("uscita");
        QTest::addColumn<QString>("errori");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Uso: parsilia [opzioni] [FILE]\n" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "parsilia 1." << "";
        QTest::newRow("unknown option") << QStringList{"--sconosciuta"} << 2 << ""
                                        << "parsilia: opzione sconosciuta: --sconosciuta\nPer l'elenco delle opzioni: parsilia --help\n";
        QTest::newRow("two files without option") << QStringList{esempio, "altro.txt"} << 2 << ""
                                                  << "parsilia: argomento inatteso: altro.txt";
        QTest::newRow("a file and --verifica") << QStringList{"--verifica", esempio, "altro.txt"} << 2 << ""
                                               << "parsilia: argomento inatteso: altro.txt";
        QTest::newRow("an empty name") << QStringList{"--banca", ""} << 2 << "" << "parsilia: il nome del file è vuoto";
#ifdef Q_OS_WIN
        // A device is refused at once, not read from.
        QTest::newRow("a device") << QStringList{"--verifica", "CON"} << 1 << "CON: " << "";
#else
        // A named pipe is refused at once, not waited on.
        const QString pipe = cartella.filePath("pipe");
        QProcess::execute("mkfifo", {pipe});
        QTest::newRow("a named pipe") << QStringList{"--verifica", pipe} << 1
                                      << pipe + ": non è un file di testo (è una pipe o un dispositivo)\n" << "";
#endif
        QTest::newRow("no file after --banca") << QStringList{"--banca"} << 2 << "" << "parsilia: manca il nome del file dopo --banca";
        QTest::newRow("check and export") << QStringList{"--verifica", esempio, "--esporta", "x"} << 2 << "" << "parsilia: ";
        QTest::newRow("good file") << QStringList{"--verifica", esempio} << 0 << nativo(esempio) + ": 5 frasi, 25 sintagmi.\n" << "";
        QTest::newRow("export into no folder") << QStringList{"--esporta", "/nessuna/cartella/frasi.txt"} << 1 << ""
                                               << "parsilia: non si può scrivere /nessuna/cartella/frasi.txt: la cartella "
                                                      + QDir::toNativeSeparators(QFileInfo("/nessuna/cartella/x").absolutePath()) + " non esiste\n";
        QTest::newRow("missing file") << QStringList{"--verifica", "/nessuna/parte.txt"} << 1
                                      << nativo("/nessuna/parte.txt") + ": il file non esiste\n" + nativo("/nessuna/parte.txt")
                                             + ": 1 problema: il file non si può usare così.\n" << "";
    }
    void rigaDiComando()
    {
        QFETCH(QStringList, argomenti);
        QFETCH(int, esito);
        QFETCH(QString, uscita);
        QFETCH(QString, errori);
        const Esecuzione e = parsilia(argomenti);
        QCOMPARE(e.esito, esito);
        // Nothing expected: nothing at all.
        QVERIFY2(uscita.isEmpty() ? e.uscita.isEmpty() : e.uscita.startsWith(uscita), qPrintable(e.uscita));
        QVERIFY2(errori.isEmpty() ? e.errori.isEmpty() : e.errori.startsWith(errori), qPrintable(e.errori));
    }

    void unFileSenzaOpzioneEComeBanca()
    {
        // What the desktop runs for "Apri con": parsilia FILE, the drill on it.
        QCommandLineParser riga;
        rigadicomando::prepara(riga);
        QVERIFY(riga.parse({"parsilia", "verbi.txt"}));
        QCOMPARE(rigadicomando::fileBanca(riga), QStringLiteral("verbi.txt"));
        QByteArray nome = "parsilia", file = "verbi.txt";
        char *argv[] = {nome.data(), file.data(), file.data()};
        QVERIFY(rigadicomando::apreFinestre(2, argv));
        QVERIFY(!rigadicomando::usoErrato(2, argv));
        // Two files dropped on it together, or a mistyped option in a
        // shortcut, with no terminal to read why: a message box says it,
        // then it ends as from a terminal.
        QVERIFY(rigadicomando::usoErrato(3, argv));
        const auto nonParte = [](const QStringList &argomenti) {
            QString testo;
            quandoModale([&](QWidget *m) {
                testo = qobject_cast<QMessageBox *>(m)->text();
                m->close();
            });
            QCommandLineParser p;
            rigadicomando::prepara(p);
            return rigadicomando::esegui(p, false, argomenti) == rigadicomando::esitoUsoErrato ? testo : QString();
        };
        const QString verbi = cartella.filePath("verbi.txt");
        QString testo = nonParte({"parsilia", "--muto", verbi, cartella.filePath("altro.txt"), "terzo.txt"});
        QVERIFY2(testo.contains("ne ha ricevuti 3:</p><p>" + nativo(verbi) + "<br>e, in più, altro.txt, terzo.txt.</p>"), qPrintable(testo));
        testo = nonParte({"parsilia", "--mutto", verbi});
        QVERIFY2(testo.contains("Parsilia non è partito: opzione sconosciuta: --mutto."), qPrintable(testo));
        QVERIFY(testo.contains("<pre>Uso: parsilia [opzioni] [FILE]"));
        QVERIFY(testo.contains("  --banca FILE "));
    }

    void verificaEdEsporta()
    {
        const QString aiuto = parsilia({"-h"}).uscita;
        for (const char *opzione : {"\n  --banca FILE ", "\n  --verifica FILE ", "\n  --esporta FILE "})
            QVERIFY2(aiuto.contains(QLatin1String(opzione)), opzione);
        // ... and every category a file may name, with the rule for the rest.
        for (const Categoria &c : categorie)
            QVERIFY2(aiuto.contains(QStringLiteral("%1 %2").arg(c.codice, 2).arg(QString::fromUtf8(c.caption).simplified().toLower())), c.caption);
        QVERIFY(aiuto.contains("si scrivono «altro» (16)"));

        // A folder named with accents, as a pupil's user folder on Windows
        // (C:\Users\Nicolò), is no obstacle.
        QVERIFY(QDir(cartella.path()).mkpath(QStringLiteral("Nicolò")));
        const QString accentato = cartella.filePath(QStringLiteral("Nicolò/frasi.txt"));
        QVERIFY(QFile::copy(esempio, accentato));
        QVERIFY(parsilia({"--verifica", accentato}).uscita.startsWith(nativo(accentato) + ": 5 frasi, 25 sintagmi."));

        // --verifica: every problem with its line, a count, status 1.
        const QString guasto = nativo(file("guasto.txt", "Il gatto dorme.\nIl gatto = soggetto\ndorme. = verbo\n\nPiove.\nPiove. = 2\n\nPiove.\nPiove. = 2\n"));
        Esecuzione e = parsilia({"--verifica", guasto});
        QCOMPARE(e.esito, 1);
        QCOMPARE(e.uscita.count(guasto + ':'), 4); // a problem, two warnings, the count
        QVERIFY(e.uscita.contains(guasto + ":3: categoria sconosciuta «verbo»"));
        QVERIFY(e.uscita.contains(guasto + ":8: avviso: la stessa frase della riga 5: si usa solo la prima"));
        QVERIFY(e.uscita.endsWith(guasto + ": 1 problema: il file non si può usare così.\n"));
        // A good one: the summary, per category, and where it can go.
        e = parsilia({"--verifica", esempio});
        QCOMPARE(e.esito, 0);
        QVERIFY(e.uscita.contains(nativo(esempio) + ": 5 frasi, 25 sintagmi.\n"));
        QVERIFY(e.uscita.contains(QRegularExpression("\n +1  SOGGETTO +4\n")));
        QVERIFY(e.uscita.contains("Categorie mai usate: 8 complemento di DENOMINAZIONE, 11"));
        // The summary first, then what deserves a look.
        QVERIFY(e.uscita.contains("Il file si può usare, ma con 1 avviso (qui sotto): parsilia --banca"));
        QVERIFY(e.uscita.indexOf("Il file si può usare") < e.uscita.indexOf(": avviso: nessun sintagma"));
        // A good file over 1 MB is refused whole, never read in part: a
        // thousand sentences, each under a long comment.
        QByteArray grande;
        for (int n = 0; n < 1000; ++n)
            grande += "# " + QByteArray(1100, '-') + '\n' + blocco(n);
        QVERIFY(grande.size() > bancainsegnante::maxByte);
        e = parsilia({"--verifica", file("grande.txt", grande)});
        QCOMPARE(e.esito, 1);
        QVERIFY2(e.uscita.contains(QStringLiteral("il file è troppo grande (%1 byte): al massimo 1 MB, 1048576 byte").arg(grande.size())),
                 qPrintable(e.uscita));
        QVERIFY(!e.uscita.contains(" frasi, "));
        // The longest sentence that fits: line A of 86 characters to the
        // column, alone or with a line B of 20 (107 in all) or of 4; line B
        // of 28; a blank just past the column, which line A never takes;
        // and "sì." never alone on line B, which the screen would not show.
        const QByteArray rigaA = QByteArray(40, 'a') + ' ' + QByteArray(45, 'b');
        const QByteArray fino = "Il gatto = 1\ndorme = 2\n";
        for (const QByteArray &frase : {rigaA, rigaA + ' ' + QByteArray(20, 'c'), rigaA + " casa", QByteArray(80, 'a') + ' ' + QByteArray(28, 'b'),
                                        QByteArray(80, 'a') + ' ' + QByteArray(6, 'b') + ' ' + QByteArray(20, 'c'),
                                        QByteArray(80, 'a') + " casa, s\xc3\xac."}) {
            const Lettura l = leggi(frase + '\n' + fino, QStringLiteral("f.txt"));
            QVERIFY2(l.valida(), qPrintable(l.errori().join('\n')));
            const FraseBanca &f = l.frasi.first();
            QCOMPARE((f.fraseinteraa + ' ' + f.fraseinterab).trimmed(), QString::fromUtf8(frase));
            // Line B long enough for the screen to show it, or none.
            QVERIFY(f.fraseinterab.size() >= 4 || (f.fraseinterab == " " && frase == rigaA));
        }

        // --esporta writes the built-in bank, which checks as good...
        const QString esportate = cartella.filePath("esportate.txt");
        e = parsilia({"--esporta", esportate});
        QCOMPARE(e.esito, 0);
        QCOMPARE(contenuto(esportate), bancainsegnante::scrivi(sceltabanca::frasiIncorporate()));
        QVERIFY(!contenuto(esportate).contains("frase n\xc2\xb0")); // numbers a trimmed file would belie
        QCOMPARE(parsilia({"--verifica", esportate}).esito, 0);
        // ... and never over a file that exists.
        scrivi(esportate, "le mie frasi");
        e = parsilia({"--esporta", esportate});
        QCOMPARE(e.esito, 1);
        QVERIFY(e.errori.contains("esiste già"));
        QCOMPARE(contenuto(esportate), QByteArray("le mie frasi"));
    }

    void fileCercatoNelleCartelleStandard()
    {
#ifndef Q_OS_WIN
        const QString utente = cartella.filePath("utente");
        const QString scuola = cartella.filePath("scuola");
        const QString sistema = cartella.filePath("sistema");
        qputenv("XDG_DATA_HOME", utente.toUtf8());
        qputenv("XDG_DATA_DIRS", (scuola + ':' + sistema).toUtf8());
#else
        // Windows has no such variables: the real folders, the user's own
        // local application data, then ProgramData for every user, then the
        // program's own folder; left as found.
        const QStringList cartelle = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        QVERIFY(cartelle.size() >= 3);
        const QString utente = cartelle.at(0), scuola = cartelle.at(1), sistema = cartelle.at(2);
        QCOMPARE(QDir::toNativeSeparators(utente), qEnvironmentVariable("LOCALAPPDATA"));
        QCOMPARE(QDir::toNativeSeparators(scuola), qEnvironmentVariable("PROGRAMDATA"));
        for (const QString &c : cartelle)
            if (QFileInfo::exists(c + "/parsilia"))
                QSKIP("a teacher's folder is already there");
        const auto togli = qScopeGuard([&] {
            for (const QString &c : {utente, scuola, sistema})
                QDir(c + "/parsilia").removeRecursively();
        });
#endif
        auto metti = [](const QString &base, int n) {
            QDir().mkpath(base + "/parsilia");
            scrivi(base + "/parsilia/frasi.txt", blocco(n));
        };
        QCOMPARE(sceltabanca::fileTrovato(), QString());
        sceltabanca::carica(QString());
        QVERIFY(frasiinsegnante.isEmpty());
        metti(sistema, 3);
        QCOMPARE(sceltabanca::fileTrovato(), sistema + "/parsilia/frasi.txt");
        metti(scuola, 2);
        QCOMPARE(sceltabanca::fileTrovato(), scuola + "/parsilia/frasi.txt");
        metti(utente, 1);
        QCOMPARE(sceltabanca::fileTrovato(), utente + "/parsilia/frasi.txt");
        sceltabanca::carica(QString());
        QCOMPARE(frasiinsegnante.size(), 1);
        QCOMPARE(frasiinsegnante.at(0).fraseinteraa, QStringLiteral("Il gatto 1 dorme."));
        QCOMPARE(frasiinuso, QStringLiteral("Frasi personali: frasi.txt, 1 frase"));
        // At a pupil's start, a pupil's broken file gives way to the class's
        // with no message box: the screens name both, told apart.
        scrivi(utente + "/parsilia/frasi.txt", "Il gatto dorme.\nIl gatto = verbo\n");
        QVERIFY(!conMessaggio([] { sceltabanca::carica(QString()); }));
        QCOMPARE(frasiinsegnante.at(0).fraseinteraa, QStringLiteral("Il gatto 2 dorme."));
        QCOMPARE(frasiinuso, QStringLiteral("Frasi della classe: frasi.txt, 1 frase (frasi.txt personale non si può usare)"));
        // A class's file named frasi.txt in Explorer, which hides ".txt", is
        // frasi.txt.txt: found all the same, and named as it is; its list
        // mark is no reason for a box at a pupil's start either.
        QVERIFY(QFile::remove(scuola + "/parsilia/frasi.txt"));
        scrivi(scuola + "/parsilia/frasi.txt.txt", "- " + blocco(4));
        QVERIFY(!conMessaggio([] { sceltabanca::carica(QString()); }));
        QCOMPARE(frasiinsegnante.at(0).fraseinteraa, QStringLiteral("- Il gatto 4 dorme."));
        QCOMPARE(frasiinuso, QStringLiteral("Frasi della classe: frasi.txt.txt, 1 frase (frasi.txt personale non si può usare)"));
        // A broken file the teacher opened herself: the box says what comes instead.
        QString testo;
        quandoModale([&](QWidget *m) {
            testo = qobject_cast<QMessageBox *>(m)->text();
            m->close();
        });
        sceltabanca::carica(file("verbi.txt", "Piove.\nPiove. = 16\n"));
        QVERIFY2(testo.endsWith("Per ora Parsilia userà le frasi del file\n" + nativo(scuola + "/parsilia/frasi.txt.txt") + '.'), qPrintable(testo));
        QCOMPARE(frasiinuso, QStringLiteral("Frasi della classe: frasi.txt.txt, 1 frase (verbi.txt e frasi.txt personale non si possono usare)"));
        // A file named on the command line comes first; its only warning,
        // the categories it leaves unused as every file of a few sentences
        // does, is no reason for a box.
        QVERIFY(!conMessaggio([] { sceltabanca::carica(esempio); }));
        QCOMPARE(frasiinsegnante.size(), 5);
#ifndef Q_OS_WIN
        // The class's folder that --verifica suggests is the one the README
        // names, whatever a desktop lists first.
        qputenv("XDG_DATA_DIRS", (scuola + ":/usr/local/share:/usr/share").toUtf8());
        QVERIFY(parsilia({"--verifica", esempio}).uscita.contains("(per tutti gli utenti: /usr/local/share/parsilia/frasi.txt)"));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
#endif
    }

    void siVedeQualiFrasiSonoInUso()
    {
        // Without a teacher's file the screens are as ever: no such label.
        QVERIFY(!istanza<FormB>().LbFrasi);
        istanza<FormB>().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // With one, the title and the exercise screen say which.
        frasiinuso = QStringLiteral("Frasi dell'insegnante: frasi-esempio.txt, 5 frasi");
        Iniziale &titolo = istanza<Iniziale>();
        titolo.Show();
        QVERIFY(titolo.LbFrasi && titolo.LbFrasi->isVisible());
        QCOMPARE(titolo.LbFrasi->caption(), frasiinuso);
        for (Etichetta *e : titolo.findChildren<Etichetta *>())
            QVERIFY(e == titolo.LbFrasi || !e->geometry().intersects(titolo.LbFrasi->geometry()));
        titolo.Unload();
        // Beside the sentence, clear of VIA, the word of praise and the
        // longest phrases, and scaled with the window.
        frasiinsegnante = leggi(contenuto(esempio), "frasi-esempio.txt").frasi;
        FormB &f = istanza<FormB>();
        f.Show();
        QVERIFY(f.LbFrasi && f.LbFrasi->isVisible());
        QCOMPARE(f.LbFrasi->caption(), frasiinuso);
        domandeperserie = 30000;
        for (int riga = 0; riga < 5; ++riga) {
            ambiente->orologio.numeri = {0.0f};
            QTest::mouseClick(f.VIA, Qt::LeftButton);
            for (int passi = 0; numerosintagma <= codici(numerofrase, 0) && passi < 8; ++passi)
                QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
            QCOMPARE(f.gratifica->caption(), QStringLiteral("COMPLETATA"));
            for (QWidget *w : std::initializer_list<QWidget *>{f.VIA, f.gratifica, f.Lbmostra(1), f.Lbmostra(5), f.Lbmostra(6), f.Lbmostra(8)})
                QVERIFY2(!w->geometry().intersects(f.LbFrasi->geometry()), qPrintable(w->property("text").toString()));
        }
        const int altezza = f.LbFrasi->height();
        f.showNormal();
        f.resize(f.width() / 2, f.height() / 2);
        QCoreApplication::processEvents();
        QVERIFY(f.LbFrasi->height() < altezza);
    }

    void fileGuastoAllAvvio()
    {
        // The message names the file once and its first problems by their
        // lines; the drill then runs on the built-in bank.
        QByteArray guasto;
        for (int n = 0; n < 21; ++n)
            guasto += "Frase " + QByteArray::number(n) + ".\nFrase = 1\n\n";
        const QString percorso = file("guasto.txt", guasto);
        QString testo, dettagli;
        QStringList pulsante; // Qt's button for the whole list, before and after a press
        int righe = 0;
        bool cresce = false;
        quandoModale([&](QWidget *m) {
            auto *box = qobject_cast<Messaggio *>(m);
            testo = box->text();
            dettagli = box->detailedText();
            QAbstractButton *mostra = box->buttons().constFirst() == box->button(QMessageBox::Ok) ? box->buttons().constLast()
                                                                                                 : box->buttons().constFirst();
            pulsante << mostra->text() << (mostra->click(), mostra->text());
            // Twenty lines of problems in view at once, and more in a larger box.
            QWidget *area = box->areaDettagli();
            const int altezza = area->height();
            righe = altezza / area->fontMetrics().lineSpacing();
            box->resize(box->width(), box->height() + 200);
            QCoreApplication::processEvents();
            cresce = area->height() > altezza;
            m->close();
        });
        sceltabanca::carica(percorso);
        QVERIFY2(testo.startsWith("Il file di frasi\n" + nativo(percorso) + "\nha dei problemi e non si può usare:\n\n"
                                  "riga 1: la frase non ha il predicato"), qPrintable(testo));
        QVERIFY(testo.contains("\nriga 13: "));
        QVERIFY(!testo.contains("riga 16: "));
        QVERIFY(testo.contains("(e altri 16: «Mostra dettagli» li elenca tutti)"));
        // What to do, in words, for a teacher with no terminal.
        QVERIFY(testo.contains("correggere quelle righe, salvarlo e aprirlo di nuovo"));
        QVERIFY(testo.contains("Parsilia userà le frasi già incluse nel programma."));
        QVERIFY(dettagli.startsWith(nativo(percorso) + "\n\nriga 1: la frase non ha il predicato"));
        QCOMPARE(dettagli.count(nativo(percorso)), 1);
        QCOMPARE(dettagli.count("\nriga "), 21);
        QCOMPARE(pulsante, (QStringList{"Mostra dettagli...", "Nascondi dettagli..."}));
        QVERIFY2(righe >= 20, qPrintable(QString::number(righe)));
        QVERIFY(cresce);
        QVERIFY(frasiinsegnante.isEmpty());
        QCOMPARE(frasiinuso, QStringLiteral("guasto.txt non si può usare: frasi del programma"));

        FormB &f = istanza<FormB>();
        f.Show();
        QCOMPARE(int(totalefrasi), 100);
        QCOMPARE(f.Com(1)->isEnabled(), false);
        ambiente->orologio.numeri = {0.005f};
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        QCOMPARE(f.FRASE_INTERA_A->caption(), sceltabanca::frasiIncorporate().at(0).fraseinteraa);
        // The built-in bank's rows count from 0.
        QCOMPARE(f.Label1->caption(), QStringLiteral("frase n°0"));
    }

    void fileLettoUnaVolta()
    {
        // A file the teacher opened herself, usable with a warning on one
        // of its lines: a box says so, and the drill starts on it.
        const QString percorso = file("frasi.txt", "- " + blocco(1) + blocco(2));
        QString testo;
        quandoModale([&](QWidget *m) {
            testo = qobject_cast<QMessageBox *>(m)->text();
            m->close();
        });
        sceltabanca::carica(percorso);
        QVERIFY2(testo.startsWith("Il file di frasi\n" + nativo(percorso) + "\nsi può usare, ma con 2 avvisi:\n\n"
                                  "riga 1: la frase comincia con «- »"), qPrintable(testo));
        QVERIFY(testo.contains("\nnessun sintagma è delle categorie 3 «predicato nominale»"));
        QVERIFY(QFile::remove(percorso));
        FormB &f = istanza<FormB>();
        f.Show();
        QCOMPARE(int(totalefrasi), 2);
        ambiente->orologio.numeri = {0.9f};
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        QCOMPARE(f.FRASE_INTERA_A->caption(), QStringLiteral("Il gatto 2 dorme."));
        // Her second sentence, as she counts them.
        QCOMPARE(f.Label1->caption(), QStringLiteral("frase n°2"));
    }

    void ogniFraseUnaVoltaPoiCompletate()
    {
        sceltabanca::carica(esempio);
        FormB &f = istanza<FormB>();
        f.Show();
        domandeperserie = 30000; // no grade screen in the way
        QSet<QString> viste;
        // The generator picks among the sentences not shown yet: 0 the first
        // of them, 0.99 the last.
        const QList<float> scelte = {0.99f, 0.0f, 0.99f, 0.5f, 0.0f};
        const QList<int> righe = {4, 0, 3, 2, 1};
        for (int i = 0; i < scelte.size(); ++i) {
            ambiente->orologio.numeri = {scelte.at(i)};
            QTest::mouseClick(f.VIA, Qt::LeftButton);
            QCOMPARE(int(numerofrase), righe.at(i));
            viste.insert(f.FRASE_INTERA_A->caption());
            QCOMPARE(f.FRASE_INTERA_B->isVisible(), righe.at(i) == 4);
            for (int j = 1; j <= 8; ++j)
                QCOMPARE(f.Lbmostra(j)->caption(), frasiinsegnante.at(righe.at(i)).sintagmi.at(j - 1).testo);
            for (int passi = 0; numerosintagma <= codici(numerofrase, 0); ++passi) {
                QVERIFY2(passi < 8, qPrintable(QStringLiteral("the drill never completed row %1").arg(righe.at(i))));
                QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
            }
            QVERIFY(f.VIA->isVisible());
        }
        QCOMPARE(viste.size(), 5);
        ambiente->lettore.richieste.clear();
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        QCOMPARE(f.AVVISO->caption(), QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        QCOMPARE(ambiente->lettore.nomi(), (QStringList{"rumorevia", "conga"}));
        QVERIFY(!f.VIA->isVisible() && !f.Com(1)->isEnabled());
    }

    void duemilaFrasi()
    {
        // The largest bank: tables of its size, indices still checked, and
        // every row drawn once before the bank is used up.
        QByteArray testo;
        for (int n = 0; n < maxFrasi; ++n)
            testo += blocco(n);
        sceltabanca::carica(file("grande.txt", testo));
        QCOMPARE(frasiinsegnante.size(), maxFrasi);
        FormB &f = istanza<FormB>();
        f.Show();
        QCOMPARE(int(totalefrasi), maxFrasi);
        QCOMPARE(fraseinteraa(1999), QStringLiteral("Il gatto 1999 dorme."));
        QCOMPARE(int(codici(1999, 0)), 2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, codici(2000, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, usata(2000));
        Orologio reale;
        QSet<int> estratte;
        for (int i = 0; i < maxFrasi; ++i) {
            ambiente->orologio.numeri = {reale.Rnd()};
            f.VIA_Click();
            QVERIFY(f.Com(1)->isEnabled());
            estratte.insert(numerofrase);
        }
        QCOMPARE(estratte.size(), maxFrasi);
        f.VIA_Click();
        QCOMPARE(f.AVVISO->caption(), QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        // Back to program start: the built-in bank's bounds.
        azzera();
        QCOMPARE(usata.limiteSuperiore(), 100);
        QCOMPARE(frasi.limiteSuperiore(), 100);
    }

    void corpusDelFuzzer()
    {
        // The fuzzer's seed files: good ones load, broken ones do not, and
        // whatever a fuzz run has found is read without harm.
        const QDir corpus(sorgenti + QStringLiteral("/fuzz/corpus"));
        const QStringList nomi = corpus.entryList(QDir::Files);
        QVERIFY(nomi.size() >= 10);
        for (const QString &nome : nomi) {
            const Lettura l = leggi(contenuto(corpus.filePath(nome)), nome);
            if (nome.startsWith(QLatin1String("buona")))
                QVERIFY2(l.valida(), qPrintable(nome + '\n' + l.errori().join('\n')));
            else if (nome.startsWith(QLatin1String("guasta")))
                QVERIFY2(!l.valida(), qPrintable(nome));
        }
    }
};

QTEST_MAIN(TestBancaInsegnante)
#include "tst_bancainsegnante.moc"

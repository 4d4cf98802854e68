#include "services/audio.h"
#include "services/criteri.h"
#include "services/lettoremuto.h"
#include "services/lettorewinmm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>
#include <mmsystem.h>

namespace {

// What winmm's entry was handed, copied during the call: the path it gets
// lives no longer than that.
struct Chiamata
{
    QByteArray percorso;
    unsigned int opzioni;
    const char *indirizzo; // a sound in memory is read from there as it plays
};
QList<Chiamata> chiamate;

int registra(const char *percorso, unsigned int opzioni)
{
    chiamate.append({QByteArray(percorso), opzioni, percorso});
    return 1;
}

void creaWav(const QString &percorso)
{
    QFile f(percorso);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(percorso));
    f.write("RIFF");
}

// Whether Windows finds a file by the bytes an ANSI function receives.
bool esisteAnsi(const QByteArray &percorso)
{
    const DWORD attributi = GetFileAttributesA(percorso.constData());
    return attributi != INVALID_FILE_ATTRIBUTES && !(attributi & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

class TestLettoreWinmm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        chiamate.clear();
        LettoreWinmm::sostituisci(registra);
    }
    void cleanup() { LettoreWinmm::sostituisci(nullptr); }

    void ilLettoreDiWindowsEQuelloPredefinito()
    {
        QVERIFY(dynamic_cast<LettoreWinmm *>(&Lettore::corrente()));
    }

    void legaProprioSndPlaySoundADiWinmm()
    {
        const LettoreWinmm::Funzione entrata = LettoreWinmm::entrataWinmm();
        QVERIFY(entrata);
        const HMODULE winmm = GetModuleHandleA("winmm.dll");
        QVERIFY(winmm);
        QCOMPARE(reinterpret_cast<void *>(entrata), reinterpret_cast<void *>(GetProcAddress(winmm, "sndPlaySoundA")));
    }

    // One call per cue, in the background (SND_ASYNC) and with no other flag:
    // not SND_NODEFAULT, not SND_LOOP, not a resource or alias name.
    void suonaInBackgroundSenzaAltreOpzioni()
    {
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("esatto.wav"));
        creaWav(file);
        LettoreWinmm().riproduci(file);
        QCOMPARE(chiamate.size(), 1);
        QCOMPARE(chiamate[0].opzioni, 1u);
        QVERIFY2(esisteAnsi(chiamate[0].percorso), chiamate[0].percorso.constData());
        QVERIFY(!chiamate[0].percorso.contains('/'));
    }

    // A folder with accented letters, as a pupil's Italian user name gives:
    // the bytes are in the ANSI code page, where Windows finds the file.
    void percorsoConLettereAccentate()
    {
        const QString nome = QStringLiteral("citt\u00e0 perch\u00e9");
        if (QString::fromLocal8Bit(nome.toLocal8Bit()) != nome)
            QSKIP("the ANSI code page of this system has no accented Latin letters");
        QTemporaryDir cartella;
        QVERIFY(QDir(cartella.path()).mkdir(nome));
        const QString file = cartella.path() + QLatin1Char('/') + nome + QStringLiteral("/conga.wav");
        creaWav(file);
        LettoreWinmm().riproduci(file);
        QCOMPARE(chiamate.size(), 1);
        QVERIFY2(esisteAnsi(chiamate[0].percorso), chiamate[0].percorso.constData());
        QCOMPARE(QString::fromLocal8Bit(chiamate[0].percorso), QDir::toNativeSeparators(file));
    }

    // A missing cue goes to winmm as any other, with the same flags: Windows
    // plays its default sound for it and cuts off the cue before.
    void unFileMancanteSuonaIlPredefinito()
    {
        QTemporaryDir cartella;
        LettoreWinmm lettore;
        lettore.riproduci(cartella.filePath(QStringLiteral("manca.wav")));
        lettore.riproduci(cartella.path());
        QCOMPARE(chiamate.size(), 2);
        QVERIFY(chiamate[0].percorso.endsWith("\\manca.wav"));
        QCOMPARE(chiamate[0].opzioni, 1u);
        QCOMPARE(chiamate[1].opzioni, 1u);
    }

    void ogniRichiestaArrivaAWinmm()
    {
        QTemporaryDir cartella;
        const QString a = cartella.filePath(QStringLiteral("conga.wav"));
        const QString b = cartella.filePath(QStringLiteral("congafine.wav"));
        creaWav(a);
        creaWav(b);
        LettoreWinmm lettore;
        lettore.riproduci(a);
        lettore.riproduci(b);
        lettore.riproduci(a);
        QCOMPARE(chiamate.size(), 3);
        QVERIFY(chiamate[1].percorso.endsWith("\\congafine.wav"));
        QVERIFY(chiamate[2].percorso.endsWith("\\conga.wav"));
    }

    // --muto puts the silent player in place: no cue reaches winmm, but the
    // voice of --muto --voce does, from memory (SND_MEMORY), and its memory
    // lives on after the call, while it plays, until a cue takes its place.
    void senzaSuoniWinmmNonSente()
    {
        QVERIFY2(QFile::exists(audio::percorsoSuono(QStringLiteral("conga"))), "the cues are built beside the tests");
        LettoreMuto muto;
        Lettore::imposta(&muto);
        audio::suona(QStringLiteral("conga"));
        audio::suonacasuale(QStringLiteral("esatto"));
        QCOMPARE(chiamate.size(), 0);
        muto.riproduciWav(QByteArray("RIFF") + QByteArray(4000, 'v'));
        QCOMPARE(chiamate.size(), 1);
        QCOMPARE(chiamate[0].opzioni, unsigned(SND_MEMORY | SND_ASYNC | SND_NODEFAULT));
        QCOMPARE(QByteArray(chiamate[0].indirizzo, 4004), QByteArray("RIFF") + QByteArray(4000, 'v'));
        Lettore::imposta(nullptr);
        // Without it the same cue does.
        audio::suona(QStringLiteral("conga"));
        QCOMPARE(chiamate.size(), 2);
        QVERIFY(chiamate[1].percorso.endsWith("\\conga.wav"));
    }

    // The value a lab's group policy pushes, where the README says, silences
    // every start as --muto does.
    void ilCriterioDelLaboratorioToglieISuoni()
    {
        const DWORD muto = 1;
        QVERIFY(!mutoPerCriterio());
        QCOMPARE(RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Parsilia", L"Muto", REG_DWORD, &muto, sizeof muto), LSTATUS(ERROR_SUCCESS));
        QVERIFY(mutoPerCriterio());
        QCOMPARE(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Policies\\Parsilia"), LSTATUS(ERROR_SUCCESS));
    }
};

QTEST_GUILESS_MAIN(TestLettoreWinmm)
#include "tst_lettorewinmm.moc"
